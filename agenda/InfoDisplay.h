#pragma once

#include "platform/ui/View.h"
#include "store/RecTeDoen.h"

class CDialog;
class CFullRowListCtrl;

// The to-do list: every action with its priority icon, text, and the date and time it was
// entered, sorted by the column whose header was clicked last (priority at first).
class CInfoDisplay : public CView {
    Q_OBJECT
public:
    enum { IDC_LIJST = 1105 };
    enum { KOLOM_TEKST = 0, KOLOM_PRIO = 1, KOLOM_DATUM = 2, KOLOM_TIJD = 3 };

    explicit CInfoDisplay(QWidget* parent = nullptr);

    void OnInitialUpdate() override;

    CFullRowListCtrl* GetListCtrl() const { return m_pLijst; }
    int GetSorteerKolom() const { return m_nSorteerKolom; }

    void OnNieuw();
    void OnWijzig();
    void OnVerwijder();
    void OnKolomKlik(int nKolom);
    // Clears the list and fills it again in the order of the remembered sort column.
    void Herlaad();

private:
    void MaakKolommen();
    void Vul(int nKolom);
    void VoegRijToe(int nRij);
    void Bewaar(CDialog& dlg);

    CFullRowListCtrl* m_pLijst;
    CRecTeDoen m_set;
    int m_nSorteerKolom = KOLOM_PRIO;
};
