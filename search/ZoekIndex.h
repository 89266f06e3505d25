#pragma once

#include "search/ZoekTreffer.h"

#include <functional>
#include <memory>
#include <QString>
#include <vector>

class CDaoDatabase;

// The text index over the records of one database. The engine supplies it (a file's
// full-text tables, a server's text-search vectors); callers only ask whether it is current,
// rebuild it and search. The index is derived data: it can always be rebuilt from the
// tables, which it never changes.
class CZoekIndex {
public:
    using Voortgang = std::function<void(const QString& strTabel, long nGedaan, long nTotaal)>;

    virtual ~CZoekIndex() = default;

    // False when the index is missing, made by another version, or when the tables were
    // changed by a program that does not keep it.
    virtual bool IsActueel() = 0;
    // True when another program (or another connection) has changed the database since the
    // previous call; the first call only takes note. Cheap enough to ask whenever the user
    // turns to the search line.
    virtual bool DoorAnderenGewijzigd() = 0;
    // Builds the index afresh from the tables in one transaction, reporting each row with
    // its table, the rows done and the rows of all tables together.
    virtual void Herbouw(const Voortgang& voortgang) = 0;
    // Builds the index afresh while the program goes on using the database: the rows are read
    // and made into index content in short statements, written beside the index in short
    // transactions, and put in its place in one last short transaction that first makes sure
    // that no table changed since the reading began. When others' writes overtake it a few
    // times, it builds as Herbouw does. Answers the longest time, in milliseconds, that it
    // kept other writers out.
    virtual double Bouw(const Voortgang& voortgang) = 0;
    // At most nMax records in which every word of strVraag occurs (as the start of a
    // word), those found by their name first, the best matches first.
    virtual std::vector<CZoekTreffer> Zoek(const QString& strVraag, int nMax) = 0;

    // The index of the tables soorten (ZoekTabel::Soort) of the database at strPath (as the
    // record classes name it).
    static std::unique_ptr<CZoekIndex> Voor(const QString& strPath, std::vector<int> soorten);
    // The same on a connection of the caller's choice, such as one of a thread's own.
    static std::unique_ptr<CZoekIndex> Voor(std::shared_ptr<CDaoDatabase> database,
                                            std::vector<int> soorten);
};
