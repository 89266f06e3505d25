#include "exchange/UitwisselFout.h"
#include "exchange/VCardLezer.h"
#include "exchange/VCardSchrijver.h"
#include "support/TestRegistry.h"

#include <QTest>

namespace {

VCardLeesResultaat Lees(const QByteArray& data) {
    return CVCardLezer::Lees(data);
}

QString Fout(const QByteArray& data) {
    try {
        CVCardLezer::Lees(data);
    } catch (const CUitwisselFout& e) {
        return e.Tekst();
    }
    return {};
}

} // namespace

// The vCard reader and writer on their own: what the file format itself asks of them.
class VCardCodecTest : public QObject {
    Q_OBJECT

private slots:
    // Long values, multi-byte letters and every character that needs escaping come back as
    // they went in, and no written line is longer than 75 octets or cuts a letter in two.
    void writtenLinesFoldAndEscapeAndReadBack() {
        for (const bool versie3 : {false, true}) {
            CVCardSchrijver schrijver(versie3);
            const QString lang = QString(QStringLiteral("Één café, één ü; ")).repeated(20);
            const QString lastig = QStringLiteral("a,b;c\\d\ne\r\nf:g");
            schrijver.Begin();
            schrijver.Tekst("NOTE", lang);
            schrijver.Tekst("FN", lastig);
            schrijver.Delen("ADR",
                            {QString(), QString(), QStringLiteral("Straat; 1"),
                             QStringLiteral("Plaats, NL"), QString(), QString(), QString()},
                            QStringLiteral("TYPE=work"));
            schrijver.Lijst("CATEGORIES", {QStringLiteral("Klant"), QStringLiteral("A,B")});
            schrijver.Tekst("TITLE", QString());
            schrijver.Einde();
            const QByteArray uit = schrijver.Uitvoer();
            QVERIFY(uit.startsWith(versie3 ? "BEGIN:VCARD\r\nVERSION:3.0\r\n"
                                           : "BEGIN:VCARD\r\nVERSION:4.0\r\n"));
            QVERIFY(!uit.contains("TITLE"));
            for (const QByteArray& regel : uit.split('\n')) {
                QVERIFY2(regel.size() <= 76, regel.constData()); // 75 plus the CR
                QVERIFY(!QString::fromUtf8(regel).contains(QChar::ReplacementCharacter));
            }
            const VCardLeesResultaat gelezen = Lees(uit);
            QCOMPARE(gelezen.fouten, QStringList());
            QCOMPARE(gelezen.kaarten.size(), 1);
            const VCardKaart& kaart = gelezen.kaarten[0];
            QCOMPARE(kaart.versie, QString(versie3 ? "3.0" : "4.0"));
            QCOMPARE(kaart.Eerste("NOTE")->Tekst(), lang);
            QCOMPARE(kaart.Eerste("FN")->Tekst(), QStringLiteral("a,b;c\\d\ne\nf:g"));
            QCOMPARE(kaart.Eerste("ADR")->Delen(),
                     QStringList({"", "", "Straat; 1", "Plaats, NL", "", "", ""}));
            QCOMPARE(kaart.Eerste("ADR")->types, QStringList{"work"});
            QCOMPARE(kaart.Eerste("CATEGORIES")->Lijst(), QStringList({"Klant", "A,B"}));
        }
    }

    // Version 2.1 as old phones wrote it: bare types, quoted-printable with soft breaks,
    // a Windows character set, and base64 continuing on unindented lines.
    void version21QuotedPrintableAndCharsets() {
        const QByteArray data =
            "BEGIN:VCARD\r\nVERSION:2.1\r\n"
            "N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:M=FCller;J=FCrgen\r\n"
            "TEL;WORK;FAX:010-123\r\n"
            "NOTE;QUOTED-PRINTABLE;CHARSET=windows-1252:Regel =80 1=0D=0A=\r\n"
            "Regel 2\r\n"
            "PHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/4AAQ\r\n"
            "AAAA\r\n"
            "\r\n"
            "EMAIL;INTERNET:a@b.nl\r\n"
            "END:VCARD\r\n";
        const VCardLeesResultaat gelezen = Lees(data);
        QCOMPARE(gelezen.fouten, QStringList());
        QCOMPARE(gelezen.kaarten.size(), 1);
        const VCardKaart& kaart = gelezen.kaarten[0];
        QCOMPARE(kaart.Eerste("N")->Delen(), QStringList({"Müller", "Jürgen"}));
        QCOMPARE(kaart.Eerste("TEL")->types, QStringList({"work", "fax"}));
        QCOMPARE(kaart.Eerste("NOTE")->Tekst(), QStringLiteral("Regel € 1\r\nRegel 2"));
        QCOMPARE(kaart.Tekst("EMAIL"), QStringLiteral("a@b.nl"));
        // Without a character set: UTF-8 when it is valid, else the Windows code page.
        const VCardLeesResultaat zonder =
            Lees("BEGIN:VCARD\nVERSION:3.0\nFN:Caf\xc3\xa9\nNOTE:Caf\xe9\nEND:VCARD\n");
        QCOMPARE(zonder.kaarten[0].Tekst("FN"), QStringLiteral("Café"));
        QCOMPARE(zonder.kaarten[0].Tekst("NOTE"), QStringLiteral("Café"));
    }

    // A damaged card is named by its line and skipped whole; the cards around it are read.
    void damagedCardsAreListedAndSkipped() {
        const QByteArray goed = "BEGIN:VCARD\nVERSION:3.0\nFN:Goed\nEND:VCARD\n";
        QByteArray data = goed;                                       // lines 1-4
        data += "BEGIN:VCARD\nVERSION:3.0\nFN:Zonder einde\n";        // lines 5-7
        data += goed;                                                 // lines 8-11
        data += "BEGIN:VCARD\nVERSION:5.1\nFN:Toekomst\nEND:VCARD\n"; // lines 12-15
        data += "BEGIN:VCARD\nVERSION:3.0\nFN:Lang\nNOTE:" + QByteArray(10 * 1024 * 1024, 'x') +
                "\nEND:VCARD\n";                                             // lines 16-20
        data += "BEGIN:VCARD\nVERSION:3.0\nzomaar tekst\nFN:X\nEND:VCARD\n"; // lines 21-25
        data += goed;                                                        // lines 26-29
        data += "BEGIN:VCARD\nVERSION:4.0\nFN:Afgebroken\n";                 // lines 30-32
        const VCardLeesResultaat gelezen = Lees(data);
        QCOMPARE(gelezen.kaarten.size(), 3);
        for (const VCardKaart& kaart : gelezen.kaarten) {
            QCOMPARE(kaart.Tekst("FN"), QStringLiteral("Goed"));
        }
        QCOMPARE(gelezen.kaarten[1].regel, 8);
        QCOMPARE(gelezen.fouten.size(), 5);
        QVERIFY(gelezen.fouten[0].startsWith("Kaart op regel 5: "));
        QVERIFY(gelezen.fouten[0].contains("END:VCARD"));
        QVERIFY(gelezen.fouten[1].startsWith("Kaart op regel 12: "));
        QVERIFY(gelezen.fouten[1].contains("onbekende vCard-versie 5.1"));
        QVERIFY(gelezen.fouten[2].startsWith("Kaart op regel 16: regel 19 is langer dan"));
        QVERIFY(gelezen.fouten[3].contains("regel 23 is geen geldige vCard-regel"));
        QVERIFY(gelezen.fouten[4].startsWith("Kaart op regel 30: "));
    }

    // Files that are no vCard at all are refused as a whole, with a sentence that says so.
    void filesThatAreNoVCardAreRefused() {
        QByteArray binair("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        binair += "BEGIN:VCARD\n";
        QVERIFY(Fout(binair).contains("binaire gegevens"));
        QVERIFY(Fout("Naam;Telefoon\nJan;010-1\n").contains("geen enkele kaart"));
        QVERIFY(Fout(QByteArray()).contains("geen enkele kaart"));
        // UTF-16 with a byte-order mark is text, not binary.
        const QString tekst =
            QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Zoë\r\nEND:VCARD\r\n");
        QByteArray utf16("\xFF\xFE");
        utf16.append(reinterpret_cast<const char*>(tekst.utf16()), tekst.size() * 2);
        QCOMPARE(Lees(utf16).kaarten.value(0).Tekst("FN"), QStringLiteral("Zoë"));
    }
};

TOLVAR_TEST(VCardCodecTest);
#include "tst_VCardCodec.moc"
