#include "store/RecPersoon.h"

namespace {

const SelectieKolommen kKolommen = {"Personen", "szAchterNaam", "dwRelatieNummer", "IDnr"};

} // namespace

CRecPersoon::CRecPersoon(CDaoDatabase* pDatabase) : CRecBasis(kKolommen, 10, pDatabase) {}

int CRecPersoon::NieuwRecord(LONG lRelatie) {
    BeginNieuw();
    dwRelatieNummer = lRelatie;
    szVoorNaam = QStringLiteral("<Voornaam>");
    szAchterNaam = QStringLiteral("<Achternaam>");
    szTelefoon = QStringLiteral("<Telefoon>");
    szAutoTelefoon = QStringLiteral("<Autotelefoon>");
    szTelefax = QStringLiteral("<Telefax>");
    szEmail = QStringLiteral("<E-mail adres>");
    szAfdeling = QStringLiteral("<Afdeling>");
    return BewaarNieuw();
}

void CRecPersoon::DoFieldExchange(CDaoFieldExchange* pFX) {
    pFX->SetFieldType(CDaoFieldExchange::outputColumn);
    DFX_Long(pFX, "[IDnr]", IDnr);
    DFX_Long(pFX, "[dwRelatieNummer]", dwRelatieNummer);
    DFX_Text(pFX, "[szVoorNaam]", szVoorNaam);
    DFX_Text(pFX, "[szAchterNaam]", szAchterNaam);
    DFX_Text(pFX, "[szTelefoon]", szTelefoon);
    DFX_Text(pFX, "[szAutoTelefoon]", szAutoTelefoon);
    DFX_Text(pFX, "[szTelefax]", szTelefax);
    DFX_Text(pFX, "[szEmail]", szEmail);
    DFX_Text(pFX, "[szAfdeling]", szAfdeling);
    DFX_Text(pFX, "[szFunctie]", szFunctie);
}
