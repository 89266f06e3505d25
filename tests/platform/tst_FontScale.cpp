#include "platform/ui/ControlId.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/FontScale.h"
#include "support/TestRegistry.h"

#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

// Widths made for the 8-point system font, scaled to the running font; and texts the
// program puts into boxes, shown from their start.
class TestFontScale : public QObject {
    Q_OBJECT

private slots:
    // A width of n average characters of the design font holds n average characters of any
    // font, small or large, as dialog units do.
    void breedteVolgtGemiddeldTeken() {
        const QString alfabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        for (int punten : {6, 9, 12, 20}) {
            QFont font;
            font.setPointSize(punten);
            const int nodig = QFontMetrics(font).horizontalAdvance(alfabet);
            const int breedte = ScaleToFont(6 * 52, font);
            QVERIFY2(breedte >= nodig && breedte <= nodig + 52 + 1,
                     qPrintable(
                         QStringLiteral("%1 pt: %2 voor %3").arg(punten).arg(breedte).arg(nodig)));
        }
        QFont groot;
        groot.setPointSize(18);
        QCOMPARE(ScaleToFont(0, groot), 0);
    }

    // The laid-out minimum and maximum widths and the window width grow once; Qt's own
    // inner widgets and a window without a size of its own are left to their layout.
    void vensterEenmaalGeschaald() {
        QFont font;
        font.setPointSize(18);
        QDialog dlg;
        dlg.setFont(font);
        auto* layout = new QVBoxLayout(&dlg);
        auto* vak = new QLineEdit(&dlg);
        vak->setObjectName("vak");
        vak->setMinimumWidth(60);
        vak->setMaximumWidth(120);
        auto* intern = new QLineEdit(&dlg);
        intern->setObjectName("qt_intern");
        intern->setMinimumWidth(60);
        layout->addWidget(vak);
        layout->addWidget(intern);
        dlg.resize(300, 100);
        ScaleWindowToFont(&dlg);
        ScaleWindowToFont(&dlg);
        QCOMPARE(vak->minimumWidth(), ScaleToFont(60, font));
        QCOMPARE(vak->maximumWidth(), ScaleToFont(120, font));
        QVERIFY(vak->minimumWidth() > 60);
        QCOMPARE(intern->minimumWidth(), 60);
        QCOMPARE(dlg.width(), ScaleToFont(300, font));

        QDialog vrij;
        vrij.setFont(font);
        ScaleWindowToFont(&vrij);
        QVERIFY(!vrij.testAttribute(Qt::WA_Resized));
    }

    // Text, numbers and combo texts that the exchange or the program sets leave the cursor
    // at the start, so a long text shows its beginning.
    void tekstBeginVooraan() {
        QDialog dlg;
        auto* vak = new QLineEdit(&dlg);
        SetCtrlId(vak, 10);
        auto* getal = new QLineEdit(&dlg);
        SetCtrlId(getal, 11);
        auto* soort = new QComboBox(&dlg);
        soort->setEditable(true);
        soort->addItem("Microsoft Access Document met een zeer lange omschrijving");
        SetCtrlId(soort, 12);
        auto* vrij = new QComboBox(&dlg);
        vrij->setEditable(true);
        SetCtrlId(vrij, 13);
        for (QWidget* w : {static_cast<QWidget*>(vak), static_cast<QWidget*>(getal),
                           static_cast<QWidget*>(soort), static_cast<QWidget*>(vrij)}) {
            w->setFixedWidth(60);
        }
        dlg.show();
        QString tekst = "Vos Elektrotechniek, Amersfoort";
        int nummer = 1234567890;
        QString kind = "Microsoft Access";
        QString anders = "Een soort die niet in de lijst staat";
        CDataExchange dx(&dlg, false);
        DDX_Text(&dx, 10, tekst);
        DDX_Text(&dx, 11, nummer);
        DDX_CBString(&dx, 12, kind);
        DDX_CBString(&dx, 13, anders);
        QCOMPARE(vak->cursorPosition(), 0);
        QCOMPARE(getal->cursorPosition(), 0);
        QCOMPARE(soort->currentIndex(), 0);
        QCOMPARE(soort->lineEdit()->cursorPosition(), 0);
        QCOMPARE(vrij->lineEdit()->text(), anders);
        QCOMPARE(vrij->lineEdit()->cursorPosition(), 0);
        SetWindowText(vak, "de Boer Dakdekkers, Deventer");
        SetWindowText(vrij, "Nog een lange soort document");
        QCOMPARE(vak->cursorPosition(), 0);
        QCOMPARE(vrij->lineEdit()->cursorPosition(), 0);
    }
};

TOLVAR_TEST(TestFontScale);

#include "tst_FontScale.moc"
