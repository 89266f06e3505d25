#pragma once

#include "platform/dao/DaoWriteObserver.h"
#include "search/ZoekKern.h"

#include <map>
#include <memory>
#include <QStringList>
#include <QTemporaryDir>

class CDaoDatabase;
struct ZoekTabel;

// The index as SQLite keeps it, in the database file itself: a full-text table (words
// without case or accents, with prefix indexes) with one row per record, numbered by table
// and record number, and a small table with, per table, the row count, the counter's last
// number and the latest modification time the index was made from. Those three are what a
// program that does not keep the index changes when it adds, removes or (as an older Tolvar
// does, which sets the modification time) edits a record, and comparing them costs one
// count per table when the file is opened. An edit by hand that leaves the modification
// time alone goes unseen until the next rebuild.
class CSqliteZoekIndex : public CZoekKern {
public:
    CSqliteZoekIndex(std::shared_ptr<CDaoDatabase> database, std::vector<int> soorten);

    bool DoorAnderenGewijzigd() override;

    // Notes a written row in the index's queue, on the connection and in the transaction of
    // the write, so that it commits and rolls back with the row. The queue is worked off
    // before the index is read (searching, checking at opening). A file without an index is
    // left alone: it gets one when it is next opened.
    static void WerkBij(CDaoDatabase& database, const ZoekTabel& tabel, qint64 lSleutel);

    // The version of the index layout; another number means a rebuild.
    static constexpr int kVersie = 3;

protected:
    bool HeeftIndex() override;
    void VoorLezen(bool bZoeken) override;
    QString VersieKlopt() const override;
    QString TabelKlopt(const ZoekTabel& tabel) const override;
    void MaakLeeg() override;
    QString SchrijfRijen(int nRijen, bool bBouw) const override;
    int KolommenPerRij() const override;
    void BindInhoud(CDaoStatement& schrijf, int nEerste, const ZoekTabel& tabel,
                    const ZoekInhoud& inhoud) const override;
    void TabelGedaan(const ZoekTabel& tabel) override;
    QString Wijzigingsteken() override;
    void EindBouw() noexcept override;
    void MaakBouw() override;
    void RuimBouwOp() override;
    CDaoDatabase& BouwDatabase() const override { return *m_bouw; }
    void SchrijfPagina(const std::function<void()>& schrijf) override { schrijf(); }
    void BeginLezen() override;
    void BouwGevuld() override;
    void Wissel() override;
    void NaWissel() override;
    std::vector<std::unique_ptr<CDaoStatement>> Zoekers(const CZoekVraag& vraag, int nMax) override;

private:
    // Works off the queue; bWachten waits for another program's lock as every write does.
    void VerwerkWachtrij(bool bWachten);
    // Copies the tables of the full-text index built in the scratch file into the file's
    // own, a few rows in each write transaction.
    void KopieerBouw();
    // Clears away the old index after a swap, a few rows in each write transaction.
    void RuimOudOp();

    qint64 m_nDataVersie = -1;
    // The scratch file in which the full-text work of a build is done, away from the file's
    // lock, and the connection to it.
    std::unique_ptr<QTemporaryDir> m_pBouwMap;
    std::shared_ptr<CDaoDatabase> m_bouw;
    bool m_bGekoppeld = false;
    // Per table, what ZoekStand is to hold after the swap, as the reading found it.
    std::map<QString, QStringList> m_stand;
};
