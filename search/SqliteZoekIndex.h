#pragma once

#include "platform/dao/DaoWriteObserver.h"
#include "search/ZoekIndex.h"

#include <memory>

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
class CSqliteZoekIndex : public CZoekIndex {
public:
    explicit CSqliteZoekIndex(std::shared_ptr<CDaoDatabase> database);

    bool IsActueel() override;
    void Herbouw(const Voortgang& voortgang) override;
    std::vector<CZoekTreffer> Zoek(const QString& strVraag, int nMax) override;

    // Brings the index in step with one written row, on the connection and in the
    // transaction of the write. A file without an index is left alone: it gets one when it
    // is next opened.
    static void WerkBij(CDaoDatabase& database, const ZoekTabel& tabel, qint64 lSleutel,
                        CDaoWriteObserver::Change change);

    // The version of the index layout; another number means a rebuild.
    static constexpr int kVersie = 1;

private:
    void VulRelaties(std::vector<CZoekTreffer>& treffers);

    std::shared_ptr<CDaoDatabase> m_database;
};
