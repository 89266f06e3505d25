#pragma once

#include <functional>
#include <memory>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

// A database file of the Windows version, read row by row and never written. Every value
// comes as the file holds it: a null is an invalid QVariant and never an empty text, a
// number or yes/no a qlonglong, a date the stored day number as a double, text and memo
// whole as a QString however long. Throws CUitwisselFout, naming the file, when it cannot
// be read (not such a file, damaged, encrypted).
class CJetBestand {
public:
    enum Soort { Geheel, JaNee, Datum, Tekst, Anders };
    struct Kolom {
        QString naam;
        Soort soort;
    };
    using Rij = std::vector<QVariant>;

    // Whether the file begins as such a database does, whatever its name.
    static bool IsJet(const QString& pad);

    explicit CJetBestand(const QString& pad);
    ~CJetBestand();
    CJetBestand(const CJetBestand&) = delete;
    CJetBestand& operator=(const CJetBestand&) = delete;

    const QString& Pad() const;
    // The generation of the file format, as a firm knows it ("Access 97", ...).
    QString Versie() const;
    QStringList Tabellen() const;
    std::vector<Kolom> Kolommen(const QString& tabel) const;
    // The last counter value the file handed out for the table: above the highest key
    // still there when the newest rows were deleted.
    qint64 LaatsteTeller(const QString& tabel) const;
    // Calls rij for every row that is not deleted, its values in the order of Kolommen.
    // Throws when the rows found do not match the count the table keeps.
    void Lees(const QString& tabel, const std::function<void(const Rij&)>& rij) const;

private:
    struct Data;
    std::unique_ptr<Data> d;
};
