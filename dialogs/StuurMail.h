#pragma once

#include <QString>

// Starts an e-mail to one recipient in the mail program's compose window, with the note and
// subject that the relation and person dialogs both use; the user completes it there.
void StuurMail(const QString& naam, const QString& adres);
