#include "app/TolvarDoc.h"

#include "platform/dao/DaoDatabase.h"
#include "platform/dao/DaoFailureScope.h"
#include "platform/ui/MessageBox.h"
#include "store/DatabasePath.h"
#include "store/RecLijstKalender.h"

#include <QStringList>
#include <utility>

namespace {

// What is wrong with the file at path, or nothing. Within the start-up's failure scope the
// panes then stay silent about the same failure, and do not wait for the same lock again.
QString Controleer(const QString& path) {
    try {
        const auto database = CDaoDatabase::OpenShared(path);
        return database->IsReadOnly()
                   ? CDaoException::KindSentence(DaoErrorKind::ReadOnly, database->GetName())
                   : QString();
    } catch (const CDaoException& e) {
        return CDaoFailureScope::FirstReport(e) ? e.m_strError : QString();
    }
}

} // namespace

bool CTolvarDoc::OnNewDocument() {
    QStringList meldingen;
    for (const QString& path : {g_strDatabasePath, CRecLijstKalender().GetDefaultDBName()}) {
        if (const QString melding = Controleer(path); !melding.isEmpty()) {
            meldingen << melding;
        }
    }
    m_strStartProblems = meldingen.join(QStringLiteral("\n\n"));
    return true;
}

void CTolvarDoc::ReportStartProblems() {
    if (!m_strStartProblems.isEmpty()) {
        MessageBox(nullptr, std::exchange(m_strStartProblems, QString()), QString(),
                   MB_OK | MB_ICONEXCLAMATION);
    }
}
