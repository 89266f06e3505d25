#include "store/RecTeDoen.h"

#include "store/DatabasePath.h"

CRecTeDoen::CRecTeDoen(CDaoDatabase* pDatabase) : CDaoRecordset(pDatabase) {
    m_nFields = 4;
    m_nDefaultType = dbOpenDynaset;
}

void CRecTeDoen::SorteerOp(int nKolom) {
    m_strFilter.clear();
    switch (nKolom) {
    case 1:
        m_strSort = QStringLiteral("lPrio");
        break;
    case 2:
    case 3:
        m_strSort = QStringLiteral("dtDatumTijd");
        break;
    default:
        m_strSort = QStringLiteral("szTekst");
        break;
    }
}

QString CRecTeDoen::GetDefaultDBName() {
    return g_strDatabasePath;
}

QString CRecTeDoen::GetDefaultSQL() {
    return QStringLiteral("[TeDoen]");
}

void CRecTeDoen::DoFieldExchange(CDaoFieldExchange* pFX) {
    pFX->SetFieldType(CDaoFieldExchange::outputColumn);
    DFX_Long(pFX, "[dwIndex]", dwIndex);
    DFX_Long(pFX, "[lPrio]", lPrio);
    DFX_Text(pFX, "[szTekst]", szTekst);
    DFX_DateTime(pFX, "[dtDatumTijd]", dtDatumTijd);
}
