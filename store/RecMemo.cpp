#include "store/RecMemo.h"

CRecMemo::CRecMemo(const char* szTabel, const char* szOuderKolom, int nKopPaneel,
                   CDaoDatabase* pDatabase)
    : CRecBasis({szTabel, "", szOuderKolom, "dwIndex"}, 8, pDatabase), m_szOuderKolom(szOuderKolom),
      m_nKopPaneel(nKopPaneel) {}

int CRecMemo::NieuweMemo(LONG lOuder, LONG lGestuurdVia) {
    BeginNieuw();
    dtDatumCreatie = COleDateTime::GetCurrentTime();
    dtModificatie = COleDateTime::GetCurrentTime();
    Ouder() = lOuder;
    iGestuurdVia = lGestuurdVia;
    szInLijst = QStringLiteral("Nieuwe memo");
    szKontaktPersoon = QStringLiteral("<Kontakt persoon>");
    // The body stays empty, as AddNew left it.
    return BewaarNieuw();
}

void CRecMemo::DoFieldExchange(CDaoFieldExchange* pFX) {
    const QByteArray ouder = '[' + QByteArray(m_szOuderKolom) + ']';
    pFX->SetFieldType(CDaoFieldExchange::outputColumn);
    DFX_Long(pFX, "[dwIndex]", dwIndex);
    DFX_Long(pFX, ouder.constData(), Ouder());
    DFX_Text(pFX, "[szKontaktPersoon]", szKontaktPersoon);
    DFX_Text(pFX, "[szTekst]", szTekst, 0);
    DFX_Text(pFX, "[szInLijst]", szInLijst);
    DFX_DateTime(pFX, "[dtDatumCreatie]", dtDatumCreatie);
    DFX_DateTime(pFX, "[dtModificatie]", dtModificatie);
    DFX_Long(pFX, "[iGestuurdVia]", iGestuurdVia);
}
