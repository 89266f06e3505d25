#include "platform/mail/SimpleMail.h"

#include "platform/shell/DesktopTools.h"

#include <QUrl>

namespace {

const QString kMailTool = QStringLiteral("xdg-email");

QString Encode(const QString& text) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

// RFC 5322 display name: quoted, so that commas, blanks at the end and the like survive.
QString Recipient(const SimpleMailMessage& message) {
    if (message.recipientAddress.isEmpty()) {
        return {};
    }
    if (message.recipientName.isEmpty()) {
        return message.recipientAddress;
    }
    QString name = message.recipientName;
    name.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    name.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + name + QStringLiteral("\" <") + message.recipientAddress +
           QLatin1Char('>');
}

// Mail bodies end their lines with CR LF.
QString MailLines(const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return lines;
}

} // namespace

QString CSimpleMail::MailtoUrl(const SimpleMailMessage& message) {
    return QStringLiteral("mailto:") + Encode(Recipient(message)) + QStringLiteral("?subject=") +
           Encode(message.subject) + QStringLiteral("&body=") + Encode(MailLines(message.noteText));
}

bool CSimpleMail::IsAvailable() {
    if (CDesktopTools::FindProgram(kMailTool).isEmpty()) {
        return false;
    }
    if (!qEnvironmentVariableIsEmpty("MAILER")) {
        return true;
    }
    return !CDesktopTools::DefaultHandler(QStringLiteral("x-scheme-handler/mailto")).isEmpty();
}

bool CSimpleMail::SendMail(const SimpleMailMessage& message) {
    if (!IsAvailable()) {
        return false;
    }
    // The composer lives on by itself; the program does not wait for the user to finish.
    return CDesktopTools::StartDetached(kMailTool, {MailtoUrl(message)});
}
