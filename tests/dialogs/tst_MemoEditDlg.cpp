#include "support/ModalDriver.h"
#include "support/TestRegistry.h"

#include "dialogs/MemoEditDlg.h"
#include "platform/dao/OleDateTime.h"
#include "platform/rtf/Rtf.h"
#include "platform/ui/ControlId.h"
#include "platform/ui/MessageBox.h"

#include <functional>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFontDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>

namespace {

using Editor = CMemoEditDlg;

// "Hallo " plain, "vet" bold, " tekst" plain.
const QString kVetInMidden = QStringLiteral(
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Hallo \\b vet\\b0  tekst}");

// Types text as key presses that carry it, letters outside ASCII included.
void Typ(QWidget* doel, const QString& tekst) {
    for (const QChar ch : tekst) {
        QKeyEvent druk(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(doel, &druk);
    }
}

QTextEdit* Tekst(Editor* dlg) {
    return qobject_cast<QTextEdit*>(GetDlgItem(dlg, Editor::IDC_TEKST));
}

QToolButton* Knop(Editor* dlg, int id) {
    return qobject_cast<QToolButton*>(GetDlgItem(dlg, id));
}

void Selecteer(Editor* dlg, int van, int tot) {
    QTextCursor cursor = Tekst(dlg)->textCursor();
    cursor.setPosition(van);
    cursor.setPosition(tot, QTextCursor::KeepAnchor);
    Tekst(dlg)->setTextCursor(cursor);
}

void Ctrl(Editor* dlg, Qt::Key toets) {
    QTest::keyClick(Tekst(dlg), toets, Qt::ControlModifier);
}

QTextCharFormat FormaatOp(Editor* dlg, int positie) {
    QTextCursor cursor(Tekst(dlg)->document());
    cursor.setPosition(positie + 1);
    return cursor.charFormat();
}

QAction* MenuActie(Editor* dlg, int id) {
    for (QAction* actie : dlg->findChildren<QAction*>()) {
        if (actie->data().toInt() == id) {
            return actie;
        }
    }
    return nullptr;
}

// Runs the editor modally on the rich text; the check runs once the editor shows. Without
// later steps the editor is cancelled after the check unless the check ended it; with them
// (modals the check opens through a queued call) that call ends the editor.
int Draai(Editor& dlg, const QString& rtf, const std::function<void(Editor*)>& check,
          const std::vector<ModalDriver::Action>& vervolg = {}) {
    dlg.m_strTekst = rtf;
    dlg.m_pTekstIn = &dlg.m_strTekst;
    ModalDriver driver;
    driver.Queue([&](QWidget* modal) {
        auto* editor = qobject_cast<Editor*>(modal);
        QVERIFY(editor != nullptr);
        check(editor);
        if (editor->isVisible() && (vervolg.empty() || QTest::currentTestFailed())) {
            static_cast<QDialog*>(editor)->reject();
        }
    });
    for (const auto& stap : vervolg) {
        driver.Queue(stap);
    }
    return dlg.DoModal();
}

// Runs later steps from the editor's own event loop, so that the modals they open are
// driven; the editor is closed whatever happens.
void Straks(Editor* e, std::function<void()> stappen) {
    QMetaObject::invokeMethod(
        e,
        [e, stappen = std::move(stappen)] {
            auto sluit = qScopeGuard([e] {
                if (e->isVisible()) {
                    static_cast<QDialog*>(e)->reject();
                }
            });
            stappen();
        },
        Qt::QueuedConnection);
}

CFindReplaceDialog* Open(Editor* dlg, int id) {
    if (id == Editor::ID_ZOEKEN) {
        Ctrl(dlg, Qt::Key_F);
    } else {
        MenuActie(dlg, id)->trigger();
    }
    return dlg->m_pZoekDlg;
}

void Zoek(CFindReplaceDialog* zoek, const QString& wat, const QString& door = QString()) {
    SetControlText(zoek, CFindReplaceDialog::IDC_FINDWHAT, wat);
    if (!zoek->IsFindOnly()) {
        SetControlText(zoek, CFindReplaceDialog::IDC_REPLACEWITH, door);
    }
}

void Klik(QWidget* zoek, int id) {
    auto* knop = qobject_cast<QAbstractButton*>(GetDlgItem(zoek, id));
    QVERIFY(knop != nullptr && knop->isEnabled());
    knop->click();
}

// "Hallo vet tekst" in a font the test machine has, with "vet" bold.
const QString kDejaVu =
    QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 DejaVu Sans;}}\\f0\\fs20 "
                   "Hallo \\b vet\\b0  tekst}");

QString Platte(const QString& woorden) {
    return QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 %1}")
        .arg(woorden);
}

} // namespace

class MemoEditDlgTest : public QObject {
    Q_OBJECT
private slots:
    void init() { MessageBeepCount() = 0; }

    void opensWithPaneTitleToolbarAndMenu() {
        Editor dlg;
        const QString onderwerp = QStringLiteral("Nieuwe memo");
        const QString nummer = QStringLiteral("17");
        dlg.m_strTitel = onderwerp;
        dlg.m_nKopPaneel = 138;
        dlg.m_apszKop = {&onderwerp, &nummer};
        Draai(dlg, QString(), [&](Editor* e) {
            QCOMPARE(e->windowTitle(), onderwerp);
            QCOMPARE(ControlText(e, 1200), onderwerp);
            QCOMPARE(ControlText(e, 1201), nummer);
            QCOMPARE(ControlText(e, 1202), QString());
            QVERIFY(GetDlgItem(e, 1204) != nullptr);
            QVERIFY(!GetDlgItem(e, 1201)->isEnabled());
            QVERIFY(!GetDlgItem(e, 1203)->isEnabled());
            QVERIFY(GetDlgItem(e, 1202)->isEnabled());
            QCOMPARE(e->focusWidget(), GetDlgItem(e, 1200));
            QVERIFY(Tekst(e)->toPlainText().isEmpty());
            QCOMPARE(Knop(e, Editor::ID_BEWAREN)->toolTip(), "Ctrl+S:Tekst overnemen");
            QCOMPARE(Knop(e, Editor::ID_FONT)->toolTip(), "Ctrl+O: Font kiezen");
            QCOMPARE(e->findChildren<QToolButton*>().size() >= 6, true);
            QCOMPARE(MenuActie(e, Editor::ID_ALLES_WISSEN)->text(), "&Alles Wissen\tCtrl+W");
            QVERIFY(MenuActie(e, Editor::ID_KALENDER)->shortcut().isEmpty());
            // The text area starts below the toolbar band and the pane.
            const int boven = Tekst(e)->mapTo(e, QPoint(0, 0)).y();
            QVERIFY(boven >= 30 + GetDlgItem(e, 1200)->height());
        });
        QVERIFY(dlg.m_strTekst.isEmpty());
    }

    void loadingConsumesTextAndCannotBeUndone() {
        Editor dlg;
        Draai(dlg, kVetInMidden, [&](Editor* e) {
            QVERIFY(dlg.m_strTekst.isEmpty());
            QCOMPARE(Tekst(e)->toPlainText(), "Hallo vet tekst");
            QCOMPARE(Tekst(e)->textCursor().position(), 0);
            Ctrl(e, Qt::Key_Z);
            QCOMPARE(Tekst(e)->toPlainText(), "Hallo vet tekst");
            // Without a pane the text area has the focus.
            QCOMPARE(e->focusWidget(), Tekst(e));
        });
    }

    void plainStoredTextIsKept() {
        Editor dlg;
        Draai(dlg, QStringLiteral("gewone tekst"),
              [](Editor* e) { QCOMPARE(Tekst(e)->toPlainText(), "gewone tekst"); });
    }

    void saveGivesRtfAndBoxes() {
        Editor dlg;
        const QString onderwerp = QStringLiteral("Oud");
        dlg.m_nKopPaneel = 139;
        dlg.m_apszKop = {&onderwerp};
        const int resultaat = Draai(dlg, kVetInMidden, [](Editor* e) {
            SetControlText(e, 1200, QStringLiteral("Nieuw onderwerp"));
            Tekst(e)->setFocus();
            Typ(Tekst(e), QStringLiteral("Één "));
            Ctrl(e, Qt::Key_S);
        });
        QCOMPARE(resultaat, int(IDOK));
        QCOMPARE(dlg.m_astrKop[0], "Nieuw onderwerp");
        QCOMPARE(dlg.m_astrKop[1], dlg.m_apszKop[1] ? *dlg.m_apszKop[1] : QString());
        QVERIFY(dlg.m_astrKop[3].isEmpty());
        QTextDocument doc;
        QVERIFY(ReadRtf(dlg.m_strTekst.toLatin1(), &doc));
        QCOMPARE(doc.toPlainText(), "Één Hallo vet tekst");
        QTextCursor cursor(&doc);
        cursor.setPosition(12);
        QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Bold));
        cursor.setPosition(8);
        QCOMPARE(cursor.charFormat().fontWeight(), int(QFont::Normal));
    }

    void enterInBoxSavesEscapeDiscards() {
        Editor opslaan;
        opslaan.m_nKopPaneel = 139;
        QCOMPARE(Draai(opslaan, QString(),
                       [](Editor* e) { QTest::keyClick(GetDlgItem(e, 1200), Qt::Key_Return); }),
                 int(IDOK));

        Editor weg;
        weg.m_nKopPaneel = 139;
        const int resultaat = Draai(weg, kVetInMidden, [](Editor* e) {
            SetControlText(e, 1200, QStringLiteral("weg"));
            Tekst(e)->setFocus();
            QTest::keyClick(Tekst(e), Qt::Key_Return);
            QTest::keyClicks(Tekst(e), QStringLiteral("getypt"));
            QVERIFY(e->isVisible());
            QTest::keyClick(Tekst(e), Qt::Key_Escape);
        });
        QCOMPARE(resultaat, int(IDCANCEL));
        QVERIFY(weg.m_astrKop[0].isEmpty());
        QVERIFY(weg.m_strTekst.isEmpty());
        QCOMPARE(MessageBoxLog().size(), size_t(0));
    }

    void boldFollowsTheCheckMarkNotTheText() {
        Editor dlg;
        Draai(dlg, kVetInMidden, [](Editor* e) {
            QToolButton* vet = Knop(e, Editor::ID_VET);
            Selecteer(e, 7, 7);
            QVERIFY(vet->isChecked());
            // "llo v": partly bold, so the mark stays on and Vet takes bold away.
            Selecteer(e, 2, 7);
            QVERIFY(vet->isChecked());
            Ctrl(e, Qt::Key_B);
            QVERIFY(!vet->isChecked());
            QCOMPARE(FormaatOp(e, 6).fontWeight(), int(QFont::Normal));
            QCOMPARE(FormaatOp(e, 7).fontWeight(), int(QFont::Bold));
            // From plain text the same partly bold selection keeps the mark off: Vet applies.
            Selecteer(e, 0, 0);
            QVERIFY(!vet->isChecked());
            Selecteer(e, 5, 8);
            QVERIFY(!vet->isChecked());
            vet->click();
            QVERIFY(vet->isChecked());
            for (int i = 5; i < 8; ++i) {
                QCOMPARE(FormaatOp(e, i).fontWeight(), int(QFont::Bold));
            }
            QCOMPARE(FormaatOp(e, 4).fontWeight(), int(QFont::Normal));
        });
    }

    void italicAndUnderlineTouchOnlyTheirAttribute() {
        Editor dlg;
        Draai(dlg, kVetInMidden, [](Editor* e) {
            Selecteer(e, 6, 9);
            Ctrl(e, Qt::Key_I);
            Ctrl(e, Qt::Key_U);
            const QTextCharFormat f = FormaatOp(e, 7);
            QVERIFY(f.fontItalic() && f.fontUnderline());
            QCOMPARE(f.fontWeight(), int(QFont::Bold));
            QCOMPARE(f.fontPointSize(), 10.0);
            QVERIFY(Knop(e, Editor::ID_CURSIEF)->isChecked());
            Selecteer(e, 1, 1);
            QVERIFY(!Knop(e, Editor::ID_CURSIEF)->isChecked());
            QVERIFY(!Knop(e, Editor::ID_ONDERSTREEP)->isChecked());
            Selecteer(e, 6, 9);
            QVERIFY(Knop(e, Editor::ID_ONDERSTREEP)->isChecked());
        });
    }

    void clearAllCutPasteUndo() {
        Editor dlg;
        Draai(dlg, kVetInMidden, [](Editor* e) {
            MenuActie(e, Editor::ID_ALLES_WISSEN)->trigger();
            QVERIFY(Tekst(e)->toPlainText().isEmpty());
            Ctrl(e, Qt::Key_Z);
            QCOMPARE(Tekst(e)->toPlainText(), "Hallo vet tekst");
            Selecteer(e, 0, 6);
            Ctrl(e, Qt::Key_X);
            QCOMPARE(Tekst(e)->toPlainText(), "vet tekst");
            Selecteer(e, 9, 9);
            Ctrl(e, Qt::Key_V);
            QCOMPARE(Tekst(e)->toPlainText(), "vet tekstHallo ");
        });
    }

    void unboundMenuKeysDoNothing() {
        Editor dlg;
        Draai(dlg, kVetInMidden, [](Editor* e) {
            Selecteer(e, 2, 2);
            for (Qt::Key toets : {Qt::Key_W, Qt::Key_G, Qt::Key_K}) {
                Ctrl(e, toets);
            }
            QCOMPARE(Tekst(e)->toPlainText(), "Hallo vet tekst");
            QVERIFY(e->m_pZoekDlg.isNull());
            QVERIFY(e->isVisible());
        });
    }

    void oneSearchDialogAtATime() {
        Editor dlg;
        Draai(dlg, kVetInMidden, [](Editor* e) {
            CFindReplaceDialog* zoek = Open(e, Editor::ID_ZOEKEN);
            QVERIFY(zoek != nullptr && zoek->isVisible() && zoek->IsFindOnly());
            QVERIFY(e->m_bAlleenZoeken);
            MenuActie(e, Editor::ID_VERVANG)->trigger();
            Ctrl(e, Qt::Key_F);
            QCOMPARE(e->m_pZoekDlg.data(), zoek);
            QVERIFY(e->m_bAlleenZoeken);
            zoek->close();
            QVERIFY(e->m_pZoekDlg.isNull());
            CFindReplaceDialog* vervang = Open(e, Editor::ID_VERVANG);
            QVERIFY(vervang != nullptr && !vervang->IsFindOnly());
            QVERIFY(!e->m_bAlleenZoeken);
        });
    }

    void findNextSkipsTheMatchAtTheCaret() {
        Editor dlg;
        Draai(dlg, Platte("abc xabc abc"), [](Editor* e) {
            CFindReplaceDialog* zoek = Open(e, Editor::ID_ZOEKEN);
            Zoek(zoek, QStringLiteral("abc"));
            Klik(zoek, CFindReplaceDialog::IDC_FINDNEXT);
            QCOMPARE(Tekst(e)->textCursor().selectionStart(), 5);
            QCOMPARE(Tekst(e)->textCursor().selectedText(), "abc");
            // Whole word now: "xabc" no longer counts.
            Selecteer(e, 1, 1);
            qobject_cast<QAbstractButton*>(GetDlgItem(zoek, CFindReplaceDialog::IDC_WHOLEWORD))
                ->setChecked(true);
            Klik(zoek, CFindReplaceDialog::IDC_FINDNEXT);
            QCOMPARE(Tekst(e)->textCursor().selectionStart(), 9);
            QCOMPARE(MessageBeepCount(), 0);
            Klik(zoek, CFindReplaceDialog::IDC_FINDNEXT);
            QCOMPARE(MessageBeepCount(), 1);
            QCOMPARE(Tekst(e)->textCursor().selectionStart(), 9);
        });
    }

    void findUpTakesTheFirstMatchIgnoringOptions() {
        Editor dlg;
        Draai(dlg, Platte("Woordenlijst en woorden"), [](Editor* e) {
            CFindReplaceDialog* zoek = Open(e, Editor::ID_ZOEKEN);
            Zoek(zoek, QStringLiteral("woorden"));
            for (int id : {CFindReplaceDialog::IDC_WHOLEWORD, CFindReplaceDialog::IDC_MATCHCASE,
                           CFindReplaceDialog::IDC_UP}) {
                qobject_cast<QAbstractButton*>(GetDlgItem(zoek, id))->setChecked(true);
            }
            Selecteer(e, 20, 20);
            QVERIFY(!e->m_bGevonden);
            Klik(zoek, CFindReplaceDialog::IDC_FINDNEXT);
            QCOMPARE(Tekst(e)->textCursor().selectionStart(), 0);
            QCOMPARE(Tekst(e)->textCursor().selectionEnd(), 7);
            QVERIFY(e->m_bGevonden);
            Zoek(zoek, QStringLiteral("nergens"));
            Klik(zoek, CFindReplaceDialog::IDC_FINDNEXT);
            QCOMPARE(MessageBeepCount(), 1);
            QVERIFY(e->m_bGevonden);
        });
    }

    void replaceTakesNextMatchAndSelectsIt() {
        Editor dlg;
        Draai(dlg, Platte("een kat en een kat"), [](Editor* e) {
            CFindReplaceDialog* vervang = Open(e, Editor::ID_VERVANG);
            Zoek(vervang, QStringLiteral("kat"), QStringLiteral("poes"));
            Klik(vervang, CFindReplaceDialog::IDC_REPLACE);
            QCOMPARE(Tekst(e)->toPlainText(), "een poes en een kat");
            QCOMPARE(Tekst(e)->textCursor().selectedText(), "poes");
            QCOMPARE(Tekst(e)->textCursor().selectionStart(), 4);
            Klik(vervang, CFindReplaceDialog::IDC_REPLACE);
            QCOMPARE(Tekst(e)->toPlainText(), "een poes en een poes");
            Ctrl(e, Qt::Key_Z);
            QCOMPARE(Tekst(e)->toPlainText(), "een poes en een kat");
            QCOMPARE(MessageBeepCount(), 0);
        });
    }

    void replaceAllFromTheMiddleEndsWithABeep() {
        Editor dlg;
        Draai(dlg, Platte("kat kat kat kat"), [](Editor* e) {
            Selecteer(e, 5, 5);
            CFindReplaceDialog* vervang = Open(e, Editor::ID_VERVANG);
            Zoek(vervang, QStringLiteral("kat"), QStringLiteral("hond"));
            Klik(vervang, CFindReplaceDialog::IDC_REPLACEALL);
            QCOMPARE(Tekst(e)->toPlainText(), "kat kat hond hond");
            QCOMPARE(MessageBeepCount(), 1);
            QVERIFY(!Tekst(e)->textCursor().hasSelection());
            QCOMPARE(Tekst(e)->textCursor().position(), 5);
        });
    }

    void replaceAllWithTheSearchTextInsideEnds() {
        Editor dlg;
        Draai(dlg, Platte("ja nee ja"), [](Editor* e) {
            CFindReplaceDialog* vervang = Open(e, Editor::ID_VERVANG);
            Zoek(vervang, QStringLiteral("ja"), QStringLiteral("jaja"));
            Klik(vervang, CFindReplaceDialog::IDC_REPLACEALL);
            QCOMPARE(Tekst(e)->toPlainText(), "jaja nee jaja");
            QCOMPARE(MessageBeepCount(), 1);
            QCOMPARE(Tekst(e)->textCursor().position(), 0);
        });
    }

    void replaceTakesAnUpwardFindThatIsTheReplacement() {
        Editor dlg;
        Draai(dlg, Platte("poes kat"), [](Editor* e) {
            CFindReplaceDialog* zoek = Open(e, Editor::ID_ZOEKEN);
            Zoek(zoek, QStringLiteral("poes"));
            qobject_cast<QAbstractButton*>(GetDlgItem(zoek, CFindReplaceDialog::IDC_UP))
                ->setChecked(true);
            Klik(zoek, CFindReplaceDialog::IDC_FINDNEXT);
            zoek->close();
            QVERIFY(e->m_bGevonden);
            CFindReplaceDialog* vervang = Open(e, Editor::ID_VERVANG);
            Zoek(vervang, QStringLiteral("kat"), QStringLiteral("poes"));
            Klik(vervang, CFindReplaceDialog::IDC_REPLACE);
            // The found text was taken as it was: nothing else changed, the mark is cleared.
            QCOMPARE(Tekst(e)->toPlainText(), "poes kat");
            QVERIFY(!e->m_bGevonden);
            Klik(vervang, CFindReplaceDialog::IDC_REPLACE);
            QCOMPARE(Tekst(e)->toPlainText(), "poes poes");
        });
    }

    void calendarReplacesTheSelection() {
        Editor dlg;
        const QString datum =
            COleDateTime(2024, 3, 15, 0, 0, 0).Format(COleDateTime::VAR_DATEVALUEONLY);
        bool klaar = false;
        const auto kiesDatum = [](QWidget* modal) {
            auto* agenda = modal->findChild<QCalendarWidget*>();
            QVERIFY(agenda != nullptr);
            agenda->setSelectedDate(QDate(2024, 3, 15));
            ClickButton(modal, IDOK);
        };
        const auto annuleer = [](QWidget* modal) { ClickButton(modal, IDCANCEL); };
        Draai(dlg, Platte("Datum: XX."),
              [&](Editor* e) {
                  Selecteer(e, 7, 9);
                  Straks(e, [&, e] {
                      MenuActie(e, Editor::ID_KALENDER)->trigger();
                      QCOMPARE(Tekst(e)->toPlainText(), QStringLiteral("Datum: %1.").arg(datum));
                      Ctrl(e, Qt::Key_Z);
                      QCOMPARE(Tekst(e)->toPlainText(), "Datum: XX.");
                      MenuActie(e, Editor::ID_KALENDER)->trigger();
                      QCOMPARE(Tekst(e)->toPlainText(), "Datum: XX.");
                      klaar = true;
                  });
              },
              {kiesDatum, annuleer});
        QVERIFY(klaar);
    }

    void fontIsOfferedTheTrueSizeAndAppliesTheChosenOne() {
        Editor dlg;
        QFont aangeboden;
        bool klaar = false;
        const auto kies = [&](QWidget* modal) {
            auto* font = qobject_cast<QFontDialog*>(modal);
            QVERIFY(font != nullptr);
            auto sluit = qScopeGuard([font] { font->reject(); });
            aangeboden = font->currentFont();
            QFont keuze(QStringLiteral("DejaVu Sans"));
            keuze.setPointSize(14);
            keuze.setItalic(true);
            keuze.setStrikeOut(true);
            font->setCurrentFont(keuze);
            auto* kleur = qobject_cast<QComboBox*>(GetDlgItem(font, 1139));
            QVERIFY(kleur != nullptr);
            QCOMPARE(kleur->currentText(), "Zwart");
            kleur->setCurrentIndex(kleur->findText(QStringLiteral("Rood")));
            sluit.dismiss();
            font->accept();
        };
        Draai(dlg, kDejaVu,
              [&](Editor* e) {
                  Selecteer(e, 6, 9);
                  QVERIFY(Knop(e, Editor::ID_VET)->isChecked());
                  Straks(e, [&, e] {
                      Ctrl(e, Qt::Key_O);
                      const QTextCharFormat f = FormaatOp(e, 7);
                      QCOMPARE(f.fontPointSize(), 14.0);
                      QVERIFY(f.fontItalic() && f.fontStrikeOut() && !f.fontUnderline());
                      QCOMPARE(f.fontWeight(), int(QFont::Normal));
                      QCOMPARE(f.foreground().color(), QColor(Qt::red));
                      QCOMPARE(FormaatOp(e, 4).fontPointSize(), 10.0);
                      QVERIFY(!FormaatOp(e, 4).hasProperty(QTextFormat::ForegroundBrush));
                      // The command leaves the toolbar's marks alone.
                      QVERIFY(Knop(e, Editor::ID_VET)->isChecked());
                      klaar = true;
                      e->OnOK();
                  });
              },
              {kies});
        QVERIFY(klaar);
        QCOMPARE(aangeboden.pointSizeF(), 10.0);
        QCOMPARE(aangeboden.weight(), int(QFont::Bold));
        QCOMPARE(aangeboden.family(), "DejaVu Sans");
        QTextDocument doc;
        QVERIFY(ReadRtf(dlg.m_strTekst.toLatin1(), &doc));
        QTextCursor cursor(&doc);
        cursor.setPosition(8);
        QCOMPARE(cursor.charFormat().fontPointSize(), 14.0);
        QCOMPARE(cursor.charFormat().foreground().color(), QColor(Qt::red));
        QVERIFY(cursor.charFormat().fontStrikeOut());
    }

    void cancelledFontChangesNothing() {
        Editor dlg;
        bool klaar = false;
        const auto annuleer = [](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); };
        Draai(dlg, kDejaVu,
              [&](Editor* e) {
                  Selecteer(e, 0, 15);
                  Straks(e, [&, e] {
                      MenuActie(e, Editor::ID_FONT)->trigger();
                      QCOMPARE(FormaatOp(e, 7).fontWeight(), int(QFont::Bold));
                      QCOMPARE(FormaatOp(e, 1).fontWeight(), int(QFont::Normal));
                      QVERIFY(!Tekst(e)->document()->isUndoAvailable());
                      klaar = true;
                  });
              },
              {annuleer});
        QVERIFY(klaar);
    }
};

TOLVAR_TEST(MemoEditDlgTest);

#include "tst_MemoEditDlg.moc"
