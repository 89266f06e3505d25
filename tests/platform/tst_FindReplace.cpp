#include "support/TestRegistry.h"

#include "platform/ui/ControlId.h"
#include "platform/ui/FindReplaceDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

namespace {

struct Seen {
    FindReplaceRequest request;
    // The dialog's getters while the owner handles the notification.
    bool findNext, replace, replaceAll, terminating, down, matchCase, wholeWord;
    QString findWhat, replaceWith;
};

class Owner : public QWidget {
public:
    CFindReplaceDialog* Open(bool findOnly, DWORD flags = FR_DOWN) {
        auto* dialog = new CFindReplaceDialog(this);
        connect(dialog, &CFindReplaceDialog::FindReplace, this,
                [this, dialog](const FindReplaceRequest& r) {
                    seen.push_back({r, dialog->FindNext(), dialog->ReplaceCurrent(),
                                    dialog->ReplaceAll(), dialog->IsTerminating(),
                                    dialog->SearchDown(), dialog->MatchCase(),
                                    dialog->MatchWholeWord(), dialog->GetFindString(),
                                    dialog->GetReplaceString()});
                });
        dialog->Create(findOnly, QString(), QString(), flags);
        return dialog;
    }
    std::vector<Seen> seen;
};

QAbstractButton* Button(QWidget* dialog, int id) {
    return qobject_cast<QAbstractButton*>(GetDlgItem(dialog, id));
}

void Click(QWidget* dialog, int id) {
    QAbstractButton* button = Button(dialog, id);
    QVERIFY(button != nullptr && button->isVisible() && button->isEnabled());
    // Near the left edge: a check box only answers on its box and caption, not on the
    // empty width that the layout gives it.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

void Type(QWidget* dialog, int id, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(dialog, id));
    QVERIFY(edit != nullptr);
    edit->clear();
    QTest::keyClicks(edit, text);
}

QStringList Texts(QWidget* dialog) {
    QStringList texts;
    for (auto* b : dialog->findChildren<QAbstractButton*>()) {
        texts << b->text().remove('&');
    }
    for (auto* l : dialog->findChildren<QLabel*>()) {
        texts << l->text().remove('&');
    }
    for (auto* g : dialog->findChildren<QGroupBox*>()) {
        texts << g->title();
    }
    return texts;
}

} // namespace

class TestFindReplace : public QObject {
    Q_OBJECT
private slots:
    void findOnlyOffersDirection() {
        Owner owner;
        owner.show();
        QPointer<CFindReplaceDialog> dialog = owner.Open(true);
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(dialog->windowTitle(), QString("Zoeken"));
        const QStringList texts = Texts(dialog);
        for (const char* text :
             {"Zoeken naar:", "Volgende zoeken", "Annuleren", "Heel woord",
              "Identieke hoofdletters/kleine letters", "Richting", "Omhoog", "Omlaag"}) {
            QVERIFY2(texts.contains(text), text);
        }
        QVERIFY(!texts.contains("Vervangen"));
        QVERIFY(GetDlgItem(dialog, CFindReplaceDialog::IDC_REPLACEWITH) == nullptr);
        QVERIFY(Button(dialog, CFindReplaceDialog::IDC_DOWN)->isChecked());
        QVERIFY(!Button(dialog, CFindReplaceDialog::IDC_FINDNEXT)->isEnabled());

        Type(dialog, CFindReplaceDialog::IDC_FINDWHAT, "Klant");
        Click(dialog, CFindReplaceDialog::IDC_FINDNEXT);
        QCOMPARE(owner.seen.size(), size_t(1));
        const Seen& down = owner.seen.back();
        QCOMPARE(down.request.flags, DWORD(FR_FINDNEXT | FR_DOWN));
        QVERIFY(down.findNext && down.down && !down.replace && !down.replaceAll);
        QVERIFY(!down.terminating && !down.matchCase && !down.wholeWord);
        QCOMPARE(down.findWhat, QString("Klant"));
        QCOMPARE(down.request.findWhat, QString("Klant"));

        Click(dialog, CFindReplaceDialog::IDC_UP);
        Click(dialog, CFindReplaceDialog::IDC_MATCHCASE);
        Click(dialog, CFindReplaceDialog::IDC_WHOLEWORD);
        QCOMPARE(owner.seen.size(), size_t(1));
        QTest::keyClick(GetDlgItem(dialog, CFindReplaceDialog::IDC_FINDWHAT), Qt::Key_Return);
        QCOMPARE(owner.seen.size(), size_t(2));
        const Seen& up = owner.seen.back();
        QCOMPARE(up.request.flags, DWORD(FR_FINDNEXT | FR_MATCHCASE | FR_WHOLEWORD));
        QVERIFY(up.findNext && !up.down && up.matchCase && up.wholeWord);
        QVERIFY(dialog->isVisible());
    }

    void replaceSendsEachAction() {
        Owner owner;
        owner.show();
        QPointer<CFindReplaceDialog> dialog = owner.Open(false);
        QCOMPARE(dialog->windowTitle(), QString("Vervangen"));
        const QStringList texts = Texts(dialog);
        for (const char* text : {"Zoeken naar:", "Vervangen door:", "Volgende zoeken", "Vervangen",
                                 "Alles vervangen", "Annuleren"}) {
            QVERIFY2(texts.contains(text), text);
        }
        QVERIFY(GetDlgItem(dialog, CFindReplaceDialog::IDC_UP) == nullptr);
        Type(dialog, CFindReplaceDialog::IDC_FINDWHAT, "oud");
        Type(dialog, CFindReplaceDialog::IDC_REPLACEWITH, "nieuw");
        Click(dialog, CFindReplaceDialog::IDC_REPLACE);
        Click(dialog, CFindReplaceDialog::IDC_REPLACEALL);
        Click(dialog, CFindReplaceDialog::IDC_FINDNEXT);
        QCOMPARE(owner.seen.size(), size_t(3));
        QCOMPARE(owner.seen[0].request.flags, DWORD(FR_REPLACE | FR_DOWN));
        QVERIFY(owner.seen[0].replace && !owner.seen[0].findNext && !owner.seen[0].replaceAll);
        QCOMPARE(owner.seen[0].replaceWith, QString("nieuw"));
        QCOMPARE(owner.seen[1].request.flags, DWORD(FR_REPLACEALL | FR_DOWN));
        QVERIFY(owner.seen[1].replaceAll && !owner.seen[1].replace);
        QCOMPARE(owner.seen[2].request.flags, DWORD(FR_FINDNEXT | FR_DOWN));
        QCOMPARE(owner.seen[2].request.replaceWith, QString("nieuw"));
        QCOMPARE(owner.seen[2].findWhat, QString("oud"));
    }

    void closingTerminatesOnce_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("Annuleren") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("close box") << 2;
    }

    void closingTerminatesOnce() {
        QFETCH(int, how);
        Owner owner;
        owner.show();
        QPointer<CFindReplaceDialog> dialog = owner.Open(false, FR_DOWN | FR_MATCHCASE);
        Type(dialog, CFindReplaceDialog::IDC_FINDWHAT, "x");
        if (how == 0) {
            Click(dialog, CFindReplaceDialog::IDC_CLOSE);
        } else if (how == 1) {
            QTest::keyClick(dialog, Qt::Key_Escape);
        } else {
            dialog->close();
        }
        QCOMPARE(owner.seen.size(), size_t(1));
        QVERIFY(owner.seen[0].terminating && !owner.seen[0].findNext);
        QVERIFY(owner.seen[0].matchCase);
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(owner.seen.size(), size_t(1));
    }

    void diesWithItsOwner() {
        auto* owner = new Owner;
        QPointer<CFindReplaceDialog> dialog = owner->Open(true);
        delete owner;
        QVERIFY(dialog.isNull());
    }
};

TOLVAR_TEST(TestFindReplace);

#include "tst_FindReplace.moc"
