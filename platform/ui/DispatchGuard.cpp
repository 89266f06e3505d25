#include "platform/ui/DispatchGuard.h"

#include "platform/dao/DaoException.h"
#include "platform/dao/DaoFailureScope.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/MessageBox.h"

#include <exception>

void ReportFailure(const QString& text, QWidget* owner) {
    MessageBox(owner, text, QString(), MB_OK | MB_ICONEXCLAMATION);
}

bool Guarded(const std::function<void()>& call, QWidget* owner) {
    try {
        call();
        return true;
    } catch (const CDaoException& e) {
        if (CDaoFailureScope::FirstReport(e)) {
            ReportFailure(e.m_strError, owner);
        }
    } catch (const CUserException&) {
        // The user has been told already.
    } catch (const std::exception& e) {
        ReportFailure(QString::fromUtf8(e.what()), owner);
    }
    return false;
}
