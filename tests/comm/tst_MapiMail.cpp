#include "platform/TestDesktop.h"
#include "support/TestRegistry.h"

#include "comm/MapiMail.h"

#include <QTest>
#include <QUrl>

// A mail request as the relation and person dialogs make it.
class MapiMailTest : public QObject {
    Q_OBJECT
private slots:
    void composerGetsRecipientSubjectAndText() {
        TestDesktop desktop;
        desktop.AddHandler(QStringLiteral("composer"), {QStringLiteral("x-scheme-handler/mailto")},
                           QStringLiteral("%u"));
        {
            CMapiMail mail;
            // A person with a first name only: the name ends in one blank.
            mail.SetRecipient(QStringLiteral("Jan "), QStringLiteral("jan@bakker.nl"));
            mail.SetTextAndSubject(QStringLiteral("Volgende versie via ingebouwde editor"),
                                   QStringLiteral("Onderwerp:"));
            mail.Send(false);
        }
        QTRY_COMPARE_WITH_TIMEOUT(desktop.Calls(QStringLiteral("composer")).size(), 1, 20000);
        const QString url = desktop.Calls(QStringLiteral("composer")).first().first();
        QCOMPARE(QUrl::fromPercentEncoding(url.toLatin1()),
                 QStringLiteral("mailto:\"Jan \" <jan@bakker.nl>?subject=Onderwerp:&body="
                                "Volgende versie via ingebouwde editor"));
    }

    void withoutMailProgramNothingHappens() {
        TestDesktop desktop;
        desktop.AddHandler(
            QStringLiteral("browser"),
            {QStringLiteral("x-scheme-handler/http"), QStringLiteral("x-scheme-handler/https")},
            QStringLiteral("%u"));
        CMapiMail mail;
        mail.SetRecipient(QStringLiteral("Jan"), QStringLiteral("jan@bakker.nl"));
        mail.SetTextAndSubject(QStringLiteral("Tekst"), QStringLiteral("Onderwerp:"));
        mail.Send(false);
        QTest::qWait(3000);
        QCOMPARE(desktop.Calls(QStringLiteral("browser")).size(), 0);
    }
};

TOLVAR_TEST(MapiMailTest);

#include "tst_MapiMail.moc"
