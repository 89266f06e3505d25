#include "support/TestRegistry.h"
#include "TestDesktop.h"

#include "platform/mail/SimpleMail.h"

#include <QTest>
#include <QUrl>

namespace {

constexpr int kLaunchWaitMs = 20000;

struct ArrivedMail {
    QString to;
    QString subject;
    QString body;
};

// Takes a mailto: address apart the way a mail program does.
ArrivedMail Decode(const QString& mailto) {
    const qsizetype query = mailto.indexOf(QLatin1Char('?'));
    const QString to = mailto.mid(7, query < 0 ? -1 : query - 7);
    ArrivedMail mail{QUrl::fromPercentEncoding(to.toLatin1()), {}, {}};
    for (const QString& item : mailto.mid(query + 1).split(QLatin1Char('&'))) {
        const QString key = item.section(QLatin1Char('='), 0, 0);
        const QString value =
            QUrl::fromPercentEncoding(item.section(QLatin1Char('='), 1).toLatin1());
        if (key == QLatin1String("subject")) {
            mail.subject = value;
        } else if (key == QLatin1String("body")) {
            mail.body = value;
        }
    }
    return mail;
}

} // namespace

// The mail stand-in through the real xdg-email, with a composer that records.
class SimpleMailTest : public QObject {
    Q_OBJECT
private slots:
    void messageArrivesExactly() {
        TestDesktop desktop;
        desktop.AddHandler(QStringLiteral("composer"), {QStringLiteral("x-scheme-handler/mailto")},
                           QStringLiteral("%u"));
        const SimpleMailMessage message{
            QStringLiteral("Bakker, \"Jan\" "), QStringLiteral("jan+offerte@bakker.nl"),
            QStringLiteral("Offerte 12 & 13 = 100% #1?"),
            QStringLiteral("Beste Jan,\nzie bijlage; $(id) `x` 'y'\nGroet, Renée")};

        QVERIFY(CSimpleMail::IsAvailable());
        QVERIFY(CSimpleMail::SendMail(message));
        QTRY_COMPARE_WITH_TIMEOUT(desktop.Calls(QStringLiteral("composer")).size(), 1,
                                  kLaunchWaitMs);
        const QStringList call = desktop.Calls(QStringLiteral("composer")).first();
        QCOMPARE(call.size(), 1);
        QVERIFY(call.first().startsWith(QStringLiteral("mailto:")));
        const ArrivedMail mail = Decode(call.first());
        QCOMPARE(mail.to, QStringLiteral("\"Bakker, \\\"Jan\\\" \" <jan+offerte@bakker.nl>"));
        QCOMPARE(mail.subject, message.subject);
        QCOMPARE(mail.body,
                 QStringLiteral("Beste Jan,\r\nzie bijlage; $(id) `x` 'y'\r\nGroet, Renée"));
    }

    void emptyAddressStillOpensComposer() {
        TestDesktop desktop;
        desktop.AddHandler(QStringLiteral("composer"), {QStringLiteral("x-scheme-handler/mailto")},
                           QStringLiteral("%u"));
        QVERIFY(CSimpleMail::SendMail({QStringLiteral("Jan "), QString(),
                                       QStringLiteral("Onderwerp:"), QStringLiteral("Tekst")}));
        QTRY_COMPARE_WITH_TIMEOUT(desktop.Calls(QStringLiteral("composer")).size(), 1,
                                  kLaunchWaitMs);
        const ArrivedMail mail = Decode(desktop.Calls(QStringLiteral("composer")).first().first());
        QCOMPARE(mail.to, QString());
        QCOMPARE(mail.subject, QStringLiteral("Onderwerp:"));
        QCOMPARE(mail.body, QStringLiteral("Tekst"));
    }

    void mailerVariableNamesTheProgram() {
        TestDesktop desktop;
        const QString mailer = desktop.AddRecorder(QStringLiteral("mailer"));
        qputenv("MAILER", mailer.toUtf8());
        QVERIFY(CSimpleMail::IsAvailable());
        QVERIFY(CSimpleMail::SendMail(
            {QString(), QStringLiteral("a@b.nl"), QStringLiteral("S"), QStringLiteral("B")}));
        QTRY_COMPARE_WITH_TIMEOUT(desktop.Calls(QStringLiteral("mailer")).size(), 1, kLaunchWaitMs);
        QCOMPARE(Decode(desktop.Calls(QStringLiteral("mailer")).first().first()).to,
                 QStringLiteral("a@b.nl"));
    }

    void withoutMailProgramNothingHappens() {
        TestDesktop desktop;
        desktop.AddHandler(QStringLiteral("browser"), {QStringLiteral("x-scheme-handler/http")},
                           QStringLiteral("%u"));
        QVERIFY(!CSimpleMail::IsAvailable());
        QVERIFY(!CSimpleMail::SendMail({QStringLiteral("Jan"), QStringLiteral("jan@x.nl"),
                                        QStringLiteral("S"), QStringLiteral("B")}));
        QTest::qWait(300);
        QCOMPARE(desktop.Calls(QStringLiteral("browser")).size(), 0);
    }
};

TOLVAR_TEST(SimpleMailTest);

#include "tst_Mail.moc"
