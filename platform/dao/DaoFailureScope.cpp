#include "platform/dao/DaoFailureScope.h"

CDaoFailureScope*& CDaoFailureScope::Current() {
    static CDaoFailureScope* current = nullptr;
    return current;
}

CDaoFailureScope::CDaoFailureScope() {
    Current() = this;
}

CDaoFailureScope::~CDaoFailureScope() {
    Current() = nullptr;
}

void CDaoFailureScope::ThrowEarlierOpenFailure(const QString& path) {
    if (const CDaoFailureScope* scope = Current()) {
        if (auto it = scope->m_openFailures.find(path); it != scope->m_openFailures.end()) {
            throw it->second;
        }
    }
}

void CDaoFailureScope::NoteOpenFailure(const QString& path, const CDaoException& failure) {
    if (CDaoFailureScope* scope = Current()) {
        scope->m_openFailures.insert_or_assign(path, failure);
    }
}

bool CDaoFailureScope::FirstReport(const CDaoException& failure) {
    CDaoFailureScope* scope = Current();
    if (!scope || failure.m_strName.isEmpty()) {
        return true;
    }
    return scope->m_reported.emplace(failure.m_strName, failure.m_kind).second;
}
