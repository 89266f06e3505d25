#pragma once

#include "platform/dao/DaoException.h"

#include <map>
#include <QString>
#include <set>
#include <utility>

// A stretch of work, such as the program's start-up, in which one failure of a file is met
// once: a file that could not be opened is not tried again (so a locked file is waited for
// once, not once per pane), and a failure already shown for a file is not shown again.
// Scopes do not nest; the program runs them on its interface thread.
class CDaoFailureScope {
public:
    CDaoFailureScope();
    ~CDaoFailureScope();
    CDaoFailureScope(const CDaoFailureScope&) = delete;
    CDaoFailureScope& operator=(const CDaoFailureScope&) = delete;

    // Rethrows the failure of an earlier open of path within the current scope, if any.
    static void ThrowEarlierOpenFailure(const QString& path);
    static void NoteOpenFailure(const QString& path, const CDaoException& failure);
    // True when the failure should be shown: outside a scope always, inside a scope the
    // first time its file and kind come up.
    static bool FirstReport(const CDaoException& failure);

private:
    static CDaoFailureScope*& Current();

    std::map<QString, CDaoException> m_openFailures;
    std::set<std::pair<QString, DaoErrorKind>> m_reported;
};
