#pragma once

#include <QString>

// One message for the desktop's mail composer: one recipient, a subject and a body.
struct SimpleMailMessage {
    QString recipientName;
    QString recipientAddress;
    QString subject;
    QString noteText;
};

// The simple-mail service of the desktop: hands a message to the user's mail program, which
// shows it in its compose window. The message travels as one mailto: address in which every
// part is percent-encoded, given to xdg-email as a single argument.
class CSimpleMail {
public:
    // Whether the desktop knows a mail program (xdg-email is there and a program is set for
    // mailto: addresses, or $MAILER names one).
    static bool IsAvailable();

    // Starts the composer with the message; answers whether it could be handed on. Without
    // a known mail program nothing happens.
    static bool SendMail(const SimpleMailMessage& message);

    // The mailto: address for the message. An empty address leaves the recipient out, so
    // that the user fills it in; a name is kept exactly, in quotes, before the address.
    static QString MailtoUrl(const SimpleMailMessage& message);
};
