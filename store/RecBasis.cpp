#include "store/RecBasis.h"

#include "store/DatabasePath.h"
#include "store/Verwantschap.h"

namespace {

QString Voorwaarde(const char* kolom, LONG lNummer) {
    return QStringLiteral("[%1] = %2").arg(QLatin1String(kolom)).arg(lNummer);
}

} // namespace

CRecBasis::CRecBasis(const SelectieKolommen& kolommen, int nFields, CDaoDatabase* pDatabase)
    : CDaoRecordset(pDatabase), m_kolommen(kolommen) {
    m_nFields = nFields;
    m_nDefaultType = dbOpenDynaset;
}

QString CRecBasis::GetDefaultDBName() {
    return g_strDatabasePath;
}

QString CRecBasis::GetDefaultSQL() {
    return QLatin1Char('[') + QLatin1String(m_kolommen.tabel) + QLatin1Char(']');
}

void CRecBasis::Selecteer(int nSoort, LONG lNummer) {
    switch (nSoort) {
    case SEL_ALLES:
        SelecteerAlles();
        break;
    case SEL_OUDER:
        SelecteerOuder(lNummer);
        break;
    case SEL_NUMMER:
        SelecteerNummer(lNummer);
        break;
    default:
        break;
    }
}

void CRecBasis::OpenOpnieuw(const QString& strSort, const QString& strFilter) {
    if (IsOpen()) {
        Close();
    }
    m_strSort = strSort;
    m_strFilter = strFilter;
    Open();
}

void CRecBasis::SelecteerAlles() {
    const QString lijst = QLatin1String(m_kolommen.lijst);
    m_strFilter.clear();
    if (m_strSort != lijst || !IsOpen()) {
        OpenOpnieuw(lijst, QString());
    }
    m_bVanafBegin = 1;
}

void CRecBasis::SelecteerOuder(LONG lNummer) {
    const QString ouder = QLatin1String(m_kolommen.ouder);
    // A relation has no parent: its parent selection is the relation itself, chosen afresh.
    if (ouder == QLatin1String(m_kolommen.sleutel)) {
        SelecteerNummer(lNummer);
        return;
    }
    const QString filter = Voorwaarde(m_kolommen.ouder, lNummer);
    if (m_strSort == ouder && m_strFilter == filter && IsOpen()) {
        return;
    }
    m_bVanafBegin = 1;
    OpenOpnieuw(ouder, filter);
}

void CRecBasis::SelecteerNummer(LONG lNummer) {
    m_bVanafBegin = 1;
    OpenOpnieuw(QLatin1String(m_kolommen.sleutel), Voorwaarde(m_kolommen.sleutel, lNummer));
}

int CRecBasis::Volgende() {
    if (IsBOF()) {
        return 0;
    }
    if (m_bVanafBegin) {
        MoveFirst();
    } else {
        MoveNext();
    }
    m_bVanafBegin = 0;
    if (IsEOF()) {
        m_bVanafBegin = 1;
        return 0;
    }
    return 1;
}

int CRecBasis::VerwijderRecord(LONG lNummer) {
    SelecteerNummer(lNummer);
    Delete();
    return 1;
}

void CRecBasis::VerwijderMetKinderen(LONG lNummer) {
    if (!IsOpen()) {
        SelecteerNummer(lNummer);
    }
    CVerwantschap::VerwijderMetKinderen(*GetDatabase(), QLatin1String(m_kolommen.tabel), lNummer);
}

void CRecBasis::NieuwOnder(LONG lOuder, const std::function<void()>& nieuw) {
    if (!IsOpen()) {
        SelecteerNummer(0);
    }
    try {
        CVerwantschap::VoegToeOnder(*GetDatabase(), QLatin1String(m_kolommen.tabel), lOuder, nieuw);
    } catch (...) {
        if (GetEditMode() != dbEditNone) {
            CancelUpdate();
        }
        throw;
    }
}

void CRecBasis::BeginNieuw() {
    if (!IsOpen()) {
        SelecteerNummer(0);
    }
    AddNew();
}

int CRecBasis::BewaarNieuw() {
    Update();
    SetBookmark(GetLastModifiedBookmark());
    return 1;
}
