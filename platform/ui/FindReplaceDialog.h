#pragma once

#include "platform/dao/DaoTypes.h"

#include <QDialog>
#include <QString>

class QBoxLayout;
class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Flags of the find and replace dialog: options as the dialog shows them, plus the one
// action that a notification reports.
enum : DWORD {
    FR_DOWN = 0x1,
    FR_WHOLEWORD = 0x2,
    FR_MATCHCASE = 0x4,
    FR_FINDNEXT = 0x8,
    FR_REPLACE = 0x10,
    FR_REPLACEALL = 0x20,
    FR_DIALOGTERM = 0x40,
};

// What one action in the dialog asks of its owner.
struct FindReplaceRequest {
    DWORD flags = 0;
    QString findWhat;
    QString replaceWith;

    bool FindNext() const { return flags & FR_FINDNEXT; }
    bool ReplaceCurrent() const { return flags & FR_REPLACE; }
    bool ReplaceAll() const { return flags & FR_REPLACEALL; }
    bool IsTerminating() const { return flags & FR_DIALOGTERM; }
    bool MatchCase() const { return flags & FR_MATCHCASE; }
    bool MatchWholeWord() const { return flags & FR_WHOLEWORD; }
    bool SearchDown() const { return flags & FR_DOWN; }
};

// The desktop's modeless find dialog ("Zoeken", with a direction) or find-and-replace
// dialog ("Vervangen", always downwards). Each button sends one notification; closing sends
// a terminating one, after which the dialog deletes itself. While a notification is being
// handled, the getters describe that notification.
class CFindReplaceDialog : public QDialog {
    Q_OBJECT
public:
    // Control ids of the dialog's controls.
    enum : int {
        IDC_FINDNEXT = 1,
        IDC_CLOSE = 2,
        IDC_REPLACE = 1024,
        IDC_REPLACEALL = 1025,
        IDC_WHOLEWORD = 1040,
        IDC_MATCHCASE = 1041,
        IDC_UP = 1056,
        IDC_DOWN = 1057,
        IDC_FINDWHAT = 1152,
        IDC_REPLACEWITH = 1153,
    };

    explicit CFindReplaceDialog(QWidget* owner);

    // Builds and shows the dialog; options come from flags (FR_DOWN, FR_MATCHCASE,
    // FR_WHOLEWORD).
    bool Create(bool findDialogOnly, const QString& findWhat, const QString& replaceWith = {},
                DWORD flags = FR_DOWN);

    bool IsFindOnly() const { return m_bFindOnly; }
    QString GetFindString() const;
    QString GetReplaceString() const;
    bool SearchDown() const;
    bool MatchCase() const;
    bool MatchWholeWord() const;
    bool FindNext() const { return m_request.FindNext(); }
    bool ReplaceCurrent() const { return m_request.ReplaceCurrent(); }
    bool ReplaceAll() const { return m_request.ReplaceAll(); }
    bool IsTerminating() const { return m_request.IsTerminating(); }

signals:
    void FindReplace(const FindReplaceRequest& request);

private:
    void BuildTexts(QGridLayout* grid, const QString& findWhat, const QString& replaceWith);
    void BuildOptions(QGridLayout* grid, DWORD flags);
    void BuildButtons(QBoxLayout* column);
    QPushButton* AddButton(QBoxLayout* column, const QString& text, int id,
                           void (CFindReplaceDialog::*action)());
    void UpdateButtons();
    DWORD Options() const;
    void Notify(DWORD action);
    void OnFindNext() { Notify(FR_FINDNEXT); }
    void OnReplace() { Notify(FR_REPLACE); }
    void OnReplaceAll() { Notify(FR_REPLACEALL); }
    void OnFinished();

    bool m_bFindOnly = true;
    bool m_bTerminated = false;
    FindReplaceRequest m_request;
    QLineEdit* m_pFindWhat = nullptr;
    QLineEdit* m_pReplaceWith = nullptr;
    QCheckBox* m_pWholeWord = nullptr;
    QCheckBox* m_pMatchCase = nullptr;
    QRadioButton* m_pUp = nullptr;
    QRadioButton* m_pDown = nullptr;
    QPushButton* m_pFindNext = nullptr;
    QPushButton* m_pReplace = nullptr;
    QPushButton* m_pReplaceAll = nullptr;
};
