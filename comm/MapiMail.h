#pragma once

#include "platform/mail/SimpleMail.h"

// One mail request: made for one message and dropped right after. The desktop's mail
// service is looked up when the object is made; without one, Send does nothing.
class CMapiMail {
public:
    CMapiMail();

    void SetRecipient(const QString& name, const QString& address);
    void SetTextAndSubject(const QString& noteText, const QString& subject);
    // Opens the mail program's compose window with the message. A receipt cannot be asked
    // through the desktop's composer; the request is passed on without it.
    void Send(bool receipt = false);

private:
    bool m_bServiceFound;
    SimpleMailMessage m_message;
};
