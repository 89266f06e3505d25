#include "fixture/TestDatabase.h"
#include "support/ModalDriver.h"
#include "support/TestRegistry.h"

#include "dialogs/MemoEditDlg.h"
#include "platform/rtf/Rtf.h"
#include "platform/ui/ControlId.h"
#include "platform/ui/MessageBox.h"
#include "store/RecCalculatieMemo.h"
#include "store/RecOfferteMemo.h"
#include "store/RecRelatieMemo.h"

#include <functional>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

namespace {

constexpr auto kCreatie = "2001-02-03 04:05:06";
constexpr auto kModificatie = "2002-03-04 05:06:07";

// Gives the memo known old dates, so that what an edit does to them shows.
void OudeDatums(TestDatabase& db, const QString& tabel, CRecMemo& memo) {
    db.Exec(QStringLiteral("UPDATE %1 SET dtDatumCreatie = '%2', dtModificatie = '%3' "
                           "WHERE dwIndex = %4")
                .arg(tabel, kCreatie, kModificatie)
                .arg(memo.dwIndex));
    memo.Selecteer(SEL_NUMMER, memo.dwIndex);
    memo.Volgende();
}

QString Kolom(TestDatabase& db, const QString& tabel, const QString& kolom) {
    return db.Scalar(QStringLiteral("SELECT %1 FROM %2").arg(kolom, tabel)).toString();
}

bool HeeftLabel(QWidget* dlg, const QString& tekst) {
    for (QLabel* label : dlg->findChildren<QLabel*>()) {
        if (label->text() == tekst) {
            return true;
        }
    }
    return false;
}

// Types text as key presses that carry it, letters outside ASCII included.
void Typ(QWidget* doel, const QString& tekst) {
    for (const QChar ch : tekst) {
        QKeyEvent druk(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(doel, &druk);
    }
}

QTextEdit* Tekst(QWidget* dlg) {
    return qobject_cast<QTextEdit*>(GetDlgItem(dlg, CMemoEditDlg::IDC_TEKST));
}

int Wijzig(const std::function<int()>& wijzig, const std::function<void(QWidget*)>& actie) {
    ModalDriver driver;
    driver.Queue([&](QWidget* modal) {
        actie(modal);
        if (modal->isVisible()) {
            qobject_cast<QDialog*>(modal)->reject();
        }
    });
    return wijzig();
}

} // namespace

class MemoEditWijzigTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_db = std::make_unique<TestDatabase>();
        MessageBoxLog().clear();
    }
    void cleanup() { m_db.reset(); }

    void calculationMemoShowsItsPaneAndStoresOnOk() {
        CRecCalculatieMemo memo;
        memo.NieuweMemo(42, 0);
        OudeDatums(*m_db, "MemoCalculatie", memo);
        const QString creatie = memo.dtDatumCreatie.Format();
        const QString modificatie = memo.dtModificatie.Format();
        const int resultaat =
            Wijzig([&] { return memo.WijzigMemo(); },
                   [&](QWidget* dlg) {
                       QCOMPARE(dlg->windowTitle(), "Nieuwe memo");
                       QVERIFY(HeeftLabel(dlg, "Calculatie nr."));
                       QCOMPARE(ControlText(dlg, 1200), "Nieuwe memo");
                       QCOMPARE(ControlText(dlg, 1201), "42");
                       QVERIFY(!GetDlgItem(dlg, 1201)->isEnabled());
                       QCOMPARE(ControlText(dlg, 1202), "<Kontakt persoon>");
                       QCOMPARE(ControlText(dlg, 1203), creatie);
                       QCOMPARE(ControlText(dlg, 1204), modificatie);
                       QVERIFY(Tekst(dlg)->toPlainText().isEmpty());
                       SetControlText(dlg, 1200, QStringLiteral("Prijs besproken"));
                       SetControlText(dlg, 1201, QStringLiteral("99"));
                       SetControlText(dlg, 1202, QStringLiteral("Jan Jansen"));
                       Tekst(dlg)->setFocus();
                       QTest::keyClick(Tekst(dlg), Qt::Key_B, Qt::ControlModifier);
                       Typ(Tekst(dlg), QStringLiteral("Afspraak gemaakt, € 12"));
                       // The title keeps the old subject while the editor runs.
                       QCOMPARE(dlg->windowTitle(), "Nieuwe memo");
                       QTest::keyClick(Tekst(dlg), Qt::Key_S, Qt::ControlModifier);
                   });
        QCOMPARE(resultaat, 1);
        QCOMPARE(Kolom(*m_db, "MemoCalculatie", "szInLijst"), "Prijs besproken");
        QCOMPARE(Kolom(*m_db, "MemoCalculatie", "szKontaktPersoon"), "Jan Jansen");
        QCOMPARE(Kolom(*m_db, "MemoCalculatie", "dwOfferteNr"), "42");
        QCOMPARE(Kolom(*m_db, "MemoCalculatie", "dtDatumCreatie"), kCreatie);
        QVERIFY(Kolom(*m_db, "MemoCalculatie", "dtModificatie") > QString(kModificatie));
        QTextDocument doc;
        QVERIFY(ReadRtf(Kolom(*m_db, "MemoCalculatie", "szTekst").toLatin1(), &doc));
        QCOMPARE(doc.toPlainText(), "Afspraak gemaakt, € 12");
        QTextCursor cursor(&doc);
        cursor.setPosition(3);
        QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Bold));
    }

    void cancelledEditLeavesTheRowAlone() {
        CRecCalculatieMemo memo;
        memo.NieuweMemo(7, 0);
        OudeDatums(*m_db, "MemoCalculatie", memo);
        const int resultaat = Wijzig([&] { return memo.WijzigMemo(); },
                                     [](QWidget* dlg) {
                                         SetControlText(dlg, 1200, QStringLiteral("Weg"));
                                         QTest::keyClicks(Tekst(dlg), QStringLiteral("weg"));
                                         QTest::keyClick(Tekst(dlg), Qt::Key_Escape);
                                     });
        QCOMPARE(resultaat, 0);
        QCOMPARE(memo.GetEditMode(), int(CDaoRecordset::dbEditNone));
        QCOMPARE(Kolom(*m_db, "MemoCalculatie", "szInLijst"), "Nieuwe memo");
        QCOMPARE(Kolom(*m_db, "MemoCalculatie", "dtModificatie"), kModificatie);
        QCOMPARE(Kolom(*m_db, "MemoCalculatie", "szTekst"), QString());
        QCOMPARE(MessageBoxLog().size(), size_t(0));
    }

    void quotationMemoStoresItsContact() {
        CRecOfferteMemo memo;
        memo.NieuweMemo(3, 0);
        const int resultaat = Wijzig([&] { return memo.WijzigMemo(); },
                                     [](QWidget* dlg) {
                                         QVERIFY(HeeftLabel(dlg, "Offerte nummer"));
                                         SetControlText(dlg, 1202, QStringLiteral("Els de Vries"));
                                         QTest::keyClick(GetDlgItem(dlg, 1202), Qt::Key_Return);
                                     });
        QCOMPARE(resultaat, 1);
        QCOMPARE(Kolom(*m_db, "MemoOfferte", "szKontaktPersoon"), "Els de Vries");
        QCOMPARE(Kolom(*m_db, "MemoOfferte", "szInLijst"), "Nieuwe memo");
    }

    void relationMemoKeepsItsContact() {
        CRecRelatieMemo memo;
        memo.NieuweMemo(5, 0);
        OudeDatums(*m_db, "MemoRelatie", memo);
        m_db->Exec("UPDATE MemoRelatie SET szTekst = '{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 "
                   "Arial;}}\\f0\\fs20 Eerste \\i regel\\i0}'");
        memo.Selecteer(SEL_NUMMER, memo.dwIndex);
        memo.Volgende();
        const QString creatie = memo.dtDatumCreatie.Format();
        const int resultaat =
            Wijzig([&] { return memo.WijzigMemo(); },
                   [&](QWidget* dlg) {
                       QCOMPARE(ControlText(dlg, 1201), creatie);
                       QVERIFY(!GetDlgItem(dlg, 1202)->isEnabled());
                       QVERIFY(GetDlgItem(dlg, 1203) == nullptr);
                       QVERIFY(!HeeftLabel(dlg, "Kontakt persoon"));
                       QCOMPARE(Tekst(dlg)->toPlainText(), "Eerste regel");
                       SetControlText(dlg, 1200, QStringLiteral("Bezoek"));
                       QTextCursor cursor = Tekst(dlg)->textCursor();
                       cursor.movePosition(QTextCursor::End);
                       Tekst(dlg)->setTextCursor(cursor);
                       QTest::keyClicks(Tekst(dlg), QStringLiteral(" en meer"));
                       QTest::keyClick(Tekst(dlg), Qt::Key_S, Qt::ControlModifier);
                   });
        QCOMPARE(resultaat, 1);
        QCOMPARE(Kolom(*m_db, "MemoRelatie", "szInLijst"), "Bezoek");
        QCOMPARE(Kolom(*m_db, "MemoRelatie", "szKontaktPersoon"), "<Kontakt persoon>");
        QCOMPARE(Kolom(*m_db, "MemoRelatie", "dwRelatieNr"), "5");
        QCOMPARE(Kolom(*m_db, "MemoRelatie", "dtDatumCreatie"), kCreatie);
        QTextDocument doc;
        QVERIFY(ReadRtf(Kolom(*m_db, "MemoRelatie", "szTekst").toLatin1(), &doc));
        QCOMPARE(doc.toPlainText(), "Eerste regel en meer");
        QTextCursor cursor(&doc);
        cursor.setPosition(9);
        QVERIFY(cursor.charFormat().fontItalic());
        cursor.setPosition(3);
        QVERIFY(!cursor.charFormat().fontItalic());
    }

private:
    std::unique_ptr<TestDatabase> m_db;
};

TOLVAR_TEST(MemoEditWijzigTest);

#include "tst_MemoEditWijzig.moc"
