#include "dialogs/IcoonKnop.h"

#include <QAbstractButton>
#include <QIcon>
#include <QKeySequence>

void ZetKnopIcoon(QAbstractButton* button, const QString& name) {
    const QString text = button->text();
    QString plain = text;
    plain.remove(QLatin1Char('&'));
    if (button->accessibleName().isEmpty()) {
        button->setAccessibleName(plain);
    }
    button->setToolTip(button->accessibleName());
    const QKeySequence mnemonic = QKeySequence::mnemonic(text);
    button->setText(QString());
    if (!mnemonic.isEmpty()) {
        button->setShortcut(mnemonic);
    }
    button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(name)));
}
