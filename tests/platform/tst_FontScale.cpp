#include "platform/ui/FontScale.h"
#include "support/TestRegistry.h"

#include <QDialog>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

// Widths made for the 8-point system font, scaled to the running font.
class TestFontScale : public QObject {
    Q_OBJECT

private slots:
    // A width of n average characters of the design font holds n average characters of any
    // font, small or large, as dialog units do.
    void breedteVolgtGemiddeldTeken() {
        for (int punten : {6, 9, 12, 20}) {
            QFont font;
            font.setPointSize(punten);
            const int nodig = QFontMetrics(font).horizontalAdvance(
                "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
            const int breedte = ScaleToFont(6 * 52, font);
            QVERIFY2(breedte >= nodig && breedte <= nodig + 53,
                     qPrintable(QString::number(punten)));
        }
    }

    // The laid-out minimum and maximum widths and the window width grow once; Qt's own
    // inner widgets and a window without a size of its own are left to their layout.
    void vensterEenmaalGeschaald() {
        QFont font;
        font.setPointSize(18);
        QDialog dlg, vrij;
        dlg.setFont(font);
        auto* layout = new QVBoxLayout(&dlg);
        auto* vak = new QLineEdit(&dlg);
        auto* intern = new QLineEdit(&dlg);
        vak->setObjectName("vak");
        intern->setObjectName("qt_intern");
        vak->setMinimumWidth(60);
        vak->setMaximumWidth(120);
        intern->setMinimumWidth(60);
        layout->addWidget(vak);
        layout->addWidget(intern);
        dlg.resize(300, 100);
        ScaleWindowToFont(&dlg);
        ScaleWindowToFont(&dlg);
        ScaleWindowToFont(&vrij);
        QVERIFY(vak->minimumWidth() > 60);
        QCOMPARE(vak->minimumWidth(), ScaleToFont(60, font));
        QCOMPARE(vak->maximumWidth(), ScaleToFont(120, font));
        QCOMPARE(intern->minimumWidth(), 60);
        QCOMPARE(dlg.size(), QSize(ScaleToFont(300, font), 100));
        QVERIFY(!vrij.testAttribute(Qt::WA_Resized));
    }
};

TOLVAR_TEST(TestFontScale);

#include "tst_FontScale.moc"
