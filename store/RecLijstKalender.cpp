#include "store/RecLijstKalender.h"

CRecLijstKalender::CRecLijstKalender(CDaoDatabase* pDatabase) : CDaoRecordset(pDatabase) {
    m_nFields = 4;
    m_nDefaultType = dbOpenDynaset;
}

// The platform layer turns the drive path into the local file.
QString CRecLijstKalender::GetDefaultDBName() {
    return QStringLiteral("C:\\Mijn documenten\\Projects\\tolvdata.mdb");
}

QString CRecLijstKalender::GetDefaultSQL() {
    return QStringLiteral("[KalenderLijst]");
}

void CRecLijstKalender::DoFieldExchange(CDaoFieldExchange* pFX) {
    pFX->SetFieldType(CDaoFieldExchange::outputColumn);
    DFX_Long(pFX, "[dwIndex]", dwIndex);
    DFX_Text(pFX, "[szTekst]", szTekst);
    DFX_DateTime(pFX, "[dtDatumTijdAlarm]", dtDatumTijdAlarm);
    DFX_Bool(pFX, "[bGemeld]", bGemeld);
}
