#include "store/RecDocument.h"

CRecDocument::CRecDocument(const char* szTabel, const char* szNieuweTitel, Volgorde volgorde,
                           int nFields, CDaoDatabase* pDatabase)
    : CRecBasis({szTabel, "szInLijst", "dwRelatieNummer", "dwIndex"}, nFields, pDatabase),
      m_szNieuweTitel(szNieuweTitel), m_volgorde(volgorde) {}

int CRecDocument::NieuwRecord(LONG lRelatie) {
    BeginNieuw();
    ZetNieuweWaarden();
    dwRelatieNummer = lRelatie;
    return BewaarNieuw();
}

void CRecDocument::ZetNieuweWaarden() {
    dwRelatieNummer = 0;
    dtCreateDatum = COleDateTime::GetCurrentTime();
    dtModificatieDatum = COleDateTime::GetCurrentTime();
    szDocument = QStringLiteral("<Document>");
    szKontaktPersoon = QStringLiteral("<Kontakt Persoon>");
    szInLijst = QString::fromUtf8(m_szNieuweTitel);
    dwSoortDocument = QStringLiteral("<Type Document>");
}

void CRecDocument::DoFieldExchange(CDaoFieldExchange* pFX) {
    pFX->SetFieldType(CDaoFieldExchange::outputColumn);
    DFX_Long(pFX, "[dwIndex]", dwIndex);
    DFX_Text(pFX, "[dwSoortDocument]", dwSoortDocument);
    DFX_DateTime(pFX, "[dtCreateDatum]", dtCreateDatum);
    DFX_DateTime(pFX, "[dtModificatieDatum]", dtModificatieDatum);
    DFX_Text(pFX, "[szDocument]", szDocument);
    DFX_Text(pFX, "[szInLijst]", szInLijst);
    if (m_volgorde == RelatieVoorKontakt) {
        DFX_Long(pFX, "[dwRelatieNummer]", dwRelatieNummer);
        DFX_Text(pFX, "[szKontaktPersoon]", szKontaktPersoon);
    } else {
        DFX_Text(pFX, "[szKontaktPersoon]", szKontaktPersoon);
        DFX_Long(pFX, "[dwRelatieNummer]", dwRelatieNummer);
    }
}
