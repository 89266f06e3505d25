#include "comm/MapiMail.h"

CMapiMail::CMapiMail() : m_bServiceFound(CSimpleMail::IsAvailable()) {}

void CMapiMail::SetRecipient(const QString& name, const QString& address) {
    m_message.recipientName = name;
    m_message.recipientAddress = address;
}

void CMapiMail::SetTextAndSubject(const QString& noteText, const QString& subject) {
    m_message.noteText = noteText;
    m_message.subject = subject;
}

void CMapiMail::Send(bool) {
    if (!m_bServiceFound) {
        return;
    }
    // Whatever the mail program does with the message is its own affair.
    CSimpleMail::SendMail(m_message);
}
