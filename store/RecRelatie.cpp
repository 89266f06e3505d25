#include "store/RecRelatie.h"

namespace {

const SelectieKolommen kKolommen = {"Relaties", "szInLijst", "lRelatieNummer", "lRelatieNummer"};

} // namespace

CRecRelatie::CRecRelatie(CDaoDatabase* pDatabase) : CRecBasis(kKolommen, 22, pDatabase) {}

int CRecRelatie::NieuwRecord() {
    BeginNieuw();
    dtModificatie = COleDateTime::GetCurrentTime();
    bKlantJaNee = 0;
    bLeverancierJaNee = 0;
    bPriveJaNee = 0;
    szInLijst = QStringLiteral("<Nieuwe Relatie>");
    szVolleNaam = QStringLiteral("<Volle Naam>");
    // The address and contact columns stay empty, as AddNew left them; szPostBus is unset.
    return BewaarNieuw();
}

void CRecRelatie::DoFieldExchange(CDaoFieldExchange* pFX) {
    pFX->SetFieldType(CDaoFieldExchange::outputColumn);
    DFX_Long(pFX, "[lRelatieNummer]", lRelatieNummer);
    DFX_DateTime(pFX, "[dtModificatie]", dtModificatie);
    DFX_Bool(pFX, "[bKlantJaNee]", bKlantJaNee);
    DFX_Bool(pFX, "[bLeverancierJaNee]", bLeverancierJaNee);
    DFX_Bool(pFX, "[bPriveJaNee]", bPriveJaNee);
    DFX_Text(pFX, "[szInLijst]", szInLijst);
    DFX_Text(pFX, "[szVolleNaam]", szVolleNaam);
    DFX_Text(pFX, "[szBezoekStraat]", szBezoekStraat);
    DFX_Text(pFX, "[szBezoekNummer]", szBezoekNummer);
    DFX_Text(pFX, "[szBezoekPostcode]", szBezoekPostcode);
    DFX_Text(pFX, "[szBezoekWoonplaats]", szBezoekWoonplaats);
    DFX_Text(pFX, "[szTelefoon]", szTelefoon);
    DFX_Text(pFX, "[szTeleFax]", szTeleFax);
    DFX_Text(pFX, "[szEmailAdres]", szEmailAdres);
    DFX_Text(pFX, "[szHomePage]", szHomePage);
    DFX_Text(pFX, "[szBtwNummer]", szBtwNummer);
    DFX_Text(pFX, "[szAfleverStraat]", szAfleverStraat);
    DFX_Text(pFX, "[szAfleverNummer]", szAfleverNummer);
    DFX_Text(pFX, "[szAfleverPostcode]", szAfleverPostcode);
    DFX_Text(pFX, "[szAfleverPlaats]", szAfleverPlaats);
    DFX_Text(pFX, "[memAlgemeneMemo]", memAlgemeneMemo);
    DFX_Text(pFX, "[szPostBus]", szPostBus);
}
