#include "agenda/AlarmDlg.h"
#include "agenda/KalenderDlg.h"
#include "agenda/TeDoenDlg.h"
#include "comm/ConfigDlg.h"
#include "dialogs/BestellingDlg.h"
#include "dialogs/CalculatieDlg.h"
#include "dialogs/OfferteDlg.h"
#include "dialogs/OrderDlg.h"
#include "dialogs/PersoonDlg.h"
#include "dialogs/PersoonLijstDlg.h"
#include "dialogs/RelatieDlg.h"
#include "dialogs/RelatieLijstDlg.h"
#include "platform/ui/ControlId.h"
#include "support/TestRegistry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// Keyboard and screen-reader use of the record dialogs: every label names its box, every box
// without a label and every "..." button has a name of its own, and read-only boxes are
// left out of the tab order.
class TestToegankelijkheid : public QObject {
    Q_OBJECT

    static void Controleer(QWidget* dlg) {
        for (auto* label : dlg->findChildren<QLabel*>()) {
            if (label->text().isEmpty()) {
                continue; // a picture
            }
            QVERIFY2(label->buddy(), qPrintable(dlg->windowTitle() + ": " + label->text()));
        }
        for (auto* edit : dlg->findChildren<QLineEdit*>()) {
            if (GetCtrlId(edit) == 0) {
                continue; // a part of a composite control (combo box, calendar)
            }
            bool benoemd = !edit->accessibleName().isEmpty();
            for (auto* label : dlg->findChildren<QLabel*>()) {
                benoemd = benoemd || label->buddy() == edit;
            }
            QVERIFY2(benoemd, qPrintable(dlg->windowTitle() + ": " + edit->objectName()));
            if (edit->isReadOnly()) {
                QVERIFY(!(edit->focusPolicy() & Qt::TabFocus));
            }
        }
        for (auto* knop : dlg->findChildren<QPushButton*>()) {
            if (knop->text() == "...") {
                QVERIFY(knop->accessibleName().endsWith(" kiezen"));
            }
        }
    }

private slots:
    void alleDialogen() {
        CRelatieDlg relatie;
        CPersoonDlg persoon;
        COfferteDlg offerte;
        CCalculatieDlg calculatie;
        COrderDlg order;
        CBestellingDlg bestelling;
        CRelatieLijstDlg relaties;
        CPersoonLijstDlg personen;
        CKalenderDlg kalender;
        CTeDoenDlg teDoen(nullptr);
        CAlarmDlg alarm(nullptr);
        CConfigDlg instellingen;
        for (QWidget* dlg : std::initializer_list<QWidget*>{
                 &relatie, &persoon, &offerte, &calculatie, &order, &bestelling, &relaties,
                 &personen, &kalender, &teDoen, &alarm, &instellingen}) {
            Controleer(dlg);
        }
        QCOMPARE(relatie.windowTitle(), "Relatie gegevens");
        QCOMPARE(bestelling.windowTitle(), "Bestelling");
    }
};

TOLVAR_TEST(TestToegankelijkheid);
#include "tst_Toegankelijkheid.moc"
