#include "dialogs/StuurMail.h"

#include "comm/MapiMail.h"

void StuurMail(const QString& naam, const QString& adres) {
    CMapiMail mail;
    mail.SetRecipient(naam, adres);
    mail.SetTextAndSubject(QStringLiteral("Volgende versie via ingebouwde editor"),
                           QStringLiteral("Onderwerp:"));
    mail.Send(false);
}
