#pragma once

#include "platform/dao/DaoTypes.h"
#include "platform/ui/Dialog.h"

#include <initializer_list>
#include <QStringList>

class QTreeWidget;
class QTreeWidgetItem;

// What the relation and person pickers share: one report list that fills the resizable
// dialog, rows kept in the order they were added, each carrying its record number. A double
// click on a row or Enter chooses the selected row; with no row selected nothing happens.
class CKeuzeLijstDlg : public CDialog {
    Q_OBJECT
public:
    void OnOK() override;

protected:
    struct Kolom {
        const char* kop;
        int breedte; // pixels
    };

    explicit CKeuzeLijstDlg(QWidget* parent);

    void ZetLijst(QTreeWidget* lijst, std::initializer_list<Kolom> kolommen);
    void VoegToe(const QStringList& teksten, LONG lNummer);
    // Takes the chosen row's number and texts into the result members.
    virtual void NeemKeuze(LONG lNummer, const QStringList& teksten) = 0;

    void keyPressEvent(QKeyEvent* event) override;

private:
    QTreeWidget* m_pLijst = nullptr;
};
