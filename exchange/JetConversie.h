#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

class CDaoEngine;
class CJetBestand;

// Takes a database file of the Windows version over into a new Tolvar database: a file
// with the twelve main tables, or an appointment file with KalenderLijst. Every row comes
// along with its own key and values as they were; new rows continue after the file's last
// counter. All or nothing: on any failure the new database is removed again (or its tables
// on the server dropped) and a CUitwisselFout names what is wrong; the old file is only
// read.
class CJetConversie {
public:
    // Converts jet into doel, a new file or an empty database on a server, builds the
    // search index, and answers the summary: per table what came along and what was left
    // out and why.
    static QStringList Converteer(const QString& jet, const QString& doel);

private:
    explicit CJetConversie(const CJetBestand& jet) : m_jet(jet) {}

    QStringList Tabellen(const QString& doel) const;
    void NeemOver(CDaoEngine& engine, const QStringList& tabellen);
    void NeemTabelOver(CDaoEngine& engine, const QString& tabel, const QString& jetTabel);

    const CJetBestand& m_jet;
    QStringList m_verslag;
    // The keys of each table taken over, to find rows whose parent is gone.
    QHash<QString, QSet<qint64>> m_sleutels;
};
