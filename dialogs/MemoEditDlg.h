#pragma once

#include "platform/ui/CmdTarget.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/FindReplaceDialog.h"

#include <array>
#include <memory>
#include <QPointer>
#include <QString>

class QTextEdit;
class QToolBar;
class QToolButton;

namespace Ui {
class MemoEditDlg;
}

// "Memo Edit": the one editor of every memo. It edits copies: the caller hands it the rich
// text and the header texts, and after OK reads the edited rich text and the header boxes
// back. It knows nothing of the database.
class CMemoEditDlg : public CDialog, public CCmdTarget {
    Q_OBJECT
public:
    enum { IDD = 136, IDR_MENU = 137, IDR_ACCELERATOR = 134, IDR_TOOLBAR = 142 };
    enum { IDC_TEKST = 1022, IDC_KOP = 1200, KOP_AANTAL = 10 };
    enum : int {
        ID_BEWAREN = 32771,
        ID_ZOEKEN = 32772,
        ID_VET = 32773,
        ID_CURSIEF = 32774,
        ID_ONDERSTREEP = 32775,
        ID_FONT = 32776,
        ID_KOPIEER = 32777,
        ID_PLAKKEN = 32779,
        ID_KNIPPEN = 32780,
        ID_ONGEDAAN = 32781,
        ID_ALLES_WISSEN = 32782,
        ID_VERVANG = 32783,
        ID_KALENDER = 32784,
    };

    // A stretch of the text by character positions, end exclusive.
    struct CharRange {
        int cpMin = 0;
        int cpMax = 0;
    };

    explicit CMemoEditDlg(QWidget* parent = nullptr);
    ~CMemoEditDlg() override;

    // Saves: the text as rich text into m_strTekst, the header boxes into m_astrKop.
    void OnOK() override;

    // The search step of the find and replace dialog: selects the next match of its search
    // text and answers true, or beeps and answers false.
    bool ZoekTekst(bool bVooruit, CharRange* pBereik = nullptr);

    QString m_strTekst;
    QString* m_pTekstIn = nullptr;
    std::array<const QString*, KOP_AANTAL> m_apszKop{};
    std::array<QString, KOP_AANTAL> m_astrKop;
    int m_nKopPaneel = 0;
    QString m_strTitel = QStringLiteral("Memo Editor");
    QPointer<CFindReplaceDialog> m_pZoekDlg;
    bool m_bAlleenZoeken = false;
    bool m_bGevonden = false;

protected:
    bool OnInitDialog() override;
    void done(int result) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RegistreerCommandos();
    void MaakMenu();
    void MaakWerkbalk();
    void MaakKopPaneel();
    void LaadTekst();
    void Commando(int id);
    bool Sneltoets(QWidget* doel, const QKeyEvent* key);

    void OnAllesWissen();
    void OnOpmaak(int id);
    void OnSelectieGewijzigd();
    void OnFont();
    void OnKalender();
    void OnZoeken(bool bAlleenZoeken);
    void OnZoekMelding();
    bool NeemTekst();
    void VervangSelectie(bool bSelecteer);
    void OnVervangAlles();

    std::unique_ptr<Ui::MemoEditDlg> m_ui;
    QTextEdit* m_pTekst = nullptr;
    QWidget* m_pKop = nullptr;
    QToolBar* m_pWerkbalk = nullptr;
    std::array<QToolButton*, 3> m_apOpmaakKnop{};
};
