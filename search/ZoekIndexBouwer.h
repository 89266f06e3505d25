#pragma once

#include "platform/dao/DaoException.h"

#include <atomic>
#include <memory>
#include <optional>
#include <QObject>
#include <vector>

class QThread;

// Checks the index of one database on a thread of its own, over a connection of its own,
// and builds it afresh when it is missing or out of date, while the program goes on using
// the database. What it finds reaches the window's thread as signals.
class CZoekIndexBouwer : public QObject {
    Q_OBJECT
public:
    // strNaam names the database as the record store opens it; soorten are the tables of its
    // index (ZoekTabel::Soort). bControleer builds only an index that is not current.
    CZoekIndexBouwer(QString strNaam, std::vector<int> soorten, bool bControleer);
    // Breaks off a build under way (what it wrote is undone) and waits for the thread.
    ~CZoekIndexBouwer() override;

    void Start();
    bool IsKlaar() const { return m_bKlaar; }
    // Why the check or the build failed, when it did.
    const std::optional<CDaoException>& Fout() const { return m_fout; }

signals:
    // The index is found missing or out of date, or was to be built at once: the build begins.
    void Bouwt();
    void Voortgang(int nProcent);
    void Klaar();

private:
    void Voeruit();
    void Bouw();
    template <typename F> void Meld(F&& melding);

    QString m_strNaam;
    std::vector<int> m_soorten;
    bool m_bControleer;
    std::unique_ptr<QThread> m_pThread;
    std::atomic<bool> m_bStop{false};
    bool m_bKlaar = false;
    std::optional<CDaoException> m_fout;
};
