#include "platform/ui/FindReplaceDialog.h"

#include "platform/ui/ControlId.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CFindReplaceDialog::CFindReplaceDialog(QWidget* owner) : QDialog(owner) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    connect(this, &QDialog::finished, this, &CFindReplaceDialog::OnFinished);
}

bool CFindReplaceDialog::Create(bool findDialogOnly, const QString& findWhat,
                                const QString& replaceWith, DWORD flags) {
    m_bFindOnly = findDialogOnly;
    setWindowTitle(m_bFindOnly ? QStringLiteral("Zoeken") : QStringLiteral("Vervangen"));
    auto* row = new QHBoxLayout(this);
    auto* grid = new QGridLayout;
    row->addLayout(grid, 1);
    BuildTexts(grid, findWhat, replaceWith);
    BuildOptions(grid, flags);
    auto* column = new QVBoxLayout;
    row->addLayout(column);
    BuildButtons(column);
    UpdateButtons();
    m_request.flags = Options();
    show();
    m_pFindWhat->setFocus();
    m_pFindWhat->selectAll();
    return true;
}

void CFindReplaceDialog::BuildTexts(QGridLayout* grid, const QString& findWhat,
                                    const QString& replaceWith) {
    auto* findLabel = new QLabel(QStringLiteral("Zoeken &naar:"), this);
    m_pFindWhat = new QLineEdit(findWhat, this);
    findLabel->setBuddy(m_pFindWhat);
    SetCtrlId(m_pFindWhat, IDC_FINDWHAT);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(m_pFindWhat, 0, 1, 1, 2);
    connect(m_pFindWhat, &QLineEdit::textChanged, this, &CFindReplaceDialog::UpdateButtons);
    if (m_bFindOnly) {
        return;
    }
    auto* replaceLabel = new QLabel(QStringLiteral("Vervangen &door:"), this);
    m_pReplaceWith = new QLineEdit(replaceWith, this);
    replaceLabel->setBuddy(m_pReplaceWith);
    SetCtrlId(m_pReplaceWith, IDC_REPLACEWITH);
    grid->addWidget(replaceLabel, 1, 0);
    grid->addWidget(m_pReplaceWith, 1, 1, 1, 2);
}

void CFindReplaceDialog::BuildOptions(QGridLayout* grid, DWORD flags) {
    m_pWholeWord = new QCheckBox(QStringLiteral("&Heel woord"), this);
    m_pMatchCase = new QCheckBox(QStringLiteral("Identieke hoofdletters/&kleine letters"), this);
    m_pWholeWord->setChecked(flags & FR_WHOLEWORD);
    m_pMatchCase->setChecked(flags & FR_MATCHCASE);
    SetCtrlId(m_pWholeWord, IDC_WHOLEWORD);
    SetCtrlId(m_pMatchCase, IDC_MATCHCASE);
    auto* checks = new QVBoxLayout;
    checks->addStretch();
    checks->addWidget(m_pWholeWord);
    checks->addWidget(m_pMatchCase);
    grid->addLayout(checks, 2, 0, 1, 2);
    if (!m_bFindOnly) {
        return;
    }
    auto* direction = new QGroupBox(QStringLiteral("Richting"), this);
    m_pUp = new QRadioButton(QStringLiteral("&Omhoog"), direction);
    m_pDown = new QRadioButton(QStringLiteral("Om&laag"), direction);
    (flags & FR_DOWN ? m_pDown : m_pUp)->setChecked(true);
    SetCtrlId(m_pUp, IDC_UP);
    SetCtrlId(m_pDown, IDC_DOWN);
    auto* radios = new QHBoxLayout(direction);
    radios->addWidget(m_pUp);
    radios->addWidget(m_pDown);
    grid->addWidget(direction, 2, 2);
}

void CFindReplaceDialog::BuildButtons(QBoxLayout* column) {
    m_pFindNext = AddButton(column, QStringLiteral("&Volgende zoeken"), IDC_FINDNEXT,
                            &CFindReplaceDialog::OnFindNext);
    m_pFindNext->setDefault(true);
    if (!m_bFindOnly) {
        m_pReplace = AddButton(column, QStringLiteral("Ve&rvangen"), IDC_REPLACE,
                               &CFindReplaceDialog::OnReplace);
        m_pReplaceAll = AddButton(column, QStringLiteral("&Alles vervangen"), IDC_REPLACEALL,
                                  &CFindReplaceDialog::OnReplaceAll);
    }
    auto* cancel = new QPushButton(QStringLiteral("Annuleren"), this);
    SetCtrlId(cancel, IDC_CLOSE);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    column->addWidget(cancel);
    column->addStretch();
}

QPushButton* CFindReplaceDialog::AddButton(QBoxLayout* column, const QString& text, int id,
                                           void (CFindReplaceDialog::*action)()) {
    auto* button = new QPushButton(text, this);
    SetCtrlId(button, id);
    connect(button, &QPushButton::clicked, this, action);
    column->addWidget(button);
    return button;
}

// As on the desktop, there is nothing to find or replace without a search text.
void CFindReplaceDialog::UpdateButtons() {
    const bool any = !m_pFindWhat->text().isEmpty();
    for (QPushButton* button : {m_pFindNext, m_pReplace, m_pReplaceAll}) {
        if (button != nullptr) {
            button->setEnabled(any);
        }
    }
}

QString CFindReplaceDialog::GetFindString() const {
    return m_pFindWhat != nullptr ? m_pFindWhat->text() : m_request.findWhat;
}

QString CFindReplaceDialog::GetReplaceString() const {
    return m_pReplaceWith != nullptr ? m_pReplaceWith->text() : m_request.replaceWith;
}

bool CFindReplaceDialog::SearchDown() const {
    return m_request.SearchDown();
}

bool CFindReplaceDialog::MatchCase() const {
    return m_request.MatchCase();
}

bool CFindReplaceDialog::MatchWholeWord() const {
    return m_request.MatchWholeWord();
}

// The replace dialog has no direction: it always searches downwards.
DWORD CFindReplaceDialog::Options() const {
    DWORD flags = 0;
    if (m_pDown == nullptr || m_pDown->isChecked()) {
        flags |= FR_DOWN;
    }
    if (m_pWholeWord != nullptr && m_pWholeWord->isChecked()) {
        flags |= FR_WHOLEWORD;
    }
    if (m_pMatchCase != nullptr && m_pMatchCase->isChecked()) {
        flags |= FR_MATCHCASE;
    }
    return flags;
}

void CFindReplaceDialog::Notify(DWORD action) {
    if (m_bTerminated || (action != FR_DIALOGTERM && GetFindString().isEmpty())) {
        return;
    }
    m_request.flags = Options() | action;
    m_request.findWhat = GetFindString();
    m_request.replaceWith = GetReplaceString();
    emit FindReplace(m_request);
}

void CFindReplaceDialog::OnFinished() {
    Notify(FR_DIALOGTERM);
    m_bTerminated = true;
}
