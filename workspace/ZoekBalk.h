#pragma once

#include "search/ZoekTreffer.h"

#include <map>
#include <memory>
#include <QWidget>
#include <set>
#include <vector>

class CDaoException;
class CFullRowListCtrl;
class CTolvarView;
class CZoekIndex;
class CZoekIndexBouwer;
class QLineEdit;
class QListWidget;

// The search line of the main window: while the user types, the records in which every
// word occurs are listed below the line; choosing one (Enter or a double click) shows it in
// the workspace, selected as if it had been clicked there. Escape clears the search and
// gives the tree the focus back.
class CZoekBalk : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxTreffers = 200;

    // pVenster is the window over which the result list is shown.
    CZoekBalk(CTolvarView* pView, QWidget* pVenster, QWidget* parent = nullptr);
    ~CZoekBalk() override;

    // Starts following every write to the databases and has their indexes checked, and each
    // rebuilt when it is missing or out of date, on a thread of their own, with the progress
    // in the window's status bar: the database of the settings and, when it is another file,
    // the appointments' file. A database that cannot be opened is left to the views to report.
    void OpenIndex();
    // Whether an index is being checked or built.
    bool IsBezig() const;
    // The agenda list that shows the records of table nSoort, each row carrying its
    // record's number, so that choosing such a result selects its row there.
    void ZetAgendaLijst(int nSoort, CFullRowListCtrl* pLijst);
    // Puts the focus in the search line with its text selected.
    void Activeer();
    // Searches for strTekst and lists what was found; what a key press in the line runs.
    void Zoek(const QString& strTekst);
    // Shows the result in row nRij in the workspace; false when there is none.
    bool Kies(int nRij);
    // Clears the search and gives the tree the focus.
    void Wis();

    QLineEdit* Veld() const { return m_pVeld; }
    QListWidget* Lijst() const { return m_pLijst; }
    const std::vector<CZoekTreffer>& Treffers() const { return m_treffers; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Toets(QObject* watched, int nKey);
    void VulLijst();
    void PlaatsLijst();
    // Has index checked (bControleer) or built at once on a thread, unless that is under way.
    void BouwIndex(CZoekIndex& index, bool bControleer);
    void IndexGereed(CZoekIndex* pIndex);
    void Status(const QString& strTekst);
    // The line under the results that says why something may be missing; empty when none.
    QString Melding() const;
    void ControleerIndexen();
    // Rebuilds an index that failed, or, when a rebuild cannot help, leaves it aside until
    // the user next turns to the search line. A broken connection is made again by the next
    // search: the index stays.
    void Mislukt(CZoekIndex& index, const CDaoException& e);
    void ZoekIn(const QString& strTekst);
    bool ToonInAgenda(const CZoekTreffer& treffer);

    CTolvarView* m_pView;
    QWidget* m_pVenster;
    QLineEdit* m_pVeld = nullptr;
    QListWidget* m_pLijst = nullptr;
    std::vector<std::unique_ptr<CZoekIndex>> m_indexen;
    std::map<int, CFullRowListCtrl*> m_agendaLijsten;
    std::vector<CZoekTreffer> m_treffers;
    // The indexes left aside, each with the first sentence of why.
    std::map<CZoekIndex*, QString> m_buitenBereik;
    // Why the text typed now cannot be searched (too long); empty when it can.
    QString m_strVraagFout;
    // Where each index's database is, by the name the record store opens it with, and the
    // tables it covers: what the thread that checks and builds it needs.
    std::map<CZoekIndex*, std::pair<QString, std::vector<int>>> m_bronnen;
    // The latest check or build of each index; those being built are not searched.
    std::map<CZoekIndex*, std::unique_ptr<CZoekIndexBouwer>> m_bouwers;
    std::set<CZoekIndex*> m_inOpbouw;
    QString m_strStatus;
};
