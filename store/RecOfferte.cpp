#include "store/RecOfferte.h"

CRecOfferte::CRecOfferte(CDaoDatabase* pDatabase)
    : CRecDocument("Offertes", "<Nieuwe Offerte>", KontaktVoorRelatie, 10, pDatabase) {}

void CRecOfferte::ZetNieuweWaarden() {
    CRecDocument::ZetNieuweWaarden();
    dtVervalDatum = COleDateTime::GetCurrentTime();
    dwStatusOfferte = 0;
}

void CRecOfferte::DoFieldExchange(CDaoFieldExchange* pFX) {
    pFX->SetFieldType(CDaoFieldExchange::outputColumn);
    DFX_Long(pFX, "[dwIndex]", dwIndex);
    DFX_Long(pFX, "[dwRelatieNummer]", dwRelatieNummer);
    DFX_DateTime(pFX, "[dtCreateDatum]", dtCreateDatum);
    DFX_DateTime(pFX, "[dtModificatieDatum]", dtModificatieDatum);
    DFX_DateTime(pFX, "[dtVervalDatum]", dtVervalDatum);
    DFX_Long(pFX, "[dwStatusOfferte]", dwStatusOfferte);
    DFX_Text(pFX, "[szDocument]", szDocument);
    DFX_Text(pFX, "[szKontaktPersoon]", szKontaktPersoon);
    DFX_Text(pFX, "[szInLijst]", szInLijst);
    DFX_Text(pFX, "[dwSoortDocument]", dwSoortDocument);
}

QString CRecOfferte::StatusTekst(LONG lStatus) {
    switch (lStatus) {
    case 0:
        return QStringLiteral("Te versturen");
    case 1:
        return QStringLiteral("Is verstuurd");
    case 2:
        return QStringLiteral("Positief");
    case 3:
        return QStringLiteral("Vervallen");
    default:
        return QString();
    }
}
