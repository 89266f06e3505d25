#pragma once

#include "search/ZoekIndex.h"

#include <memory>
#include <QString>
#include <vector>

class CDaoDatabase;
class CDaoStatement;
class CZoekVraag;
struct ZoekInhoud;
struct ZoekTabel;

// What an index does the same on every engine, on the engine interface alone: the check
// that it agrees with the tables, the rebuild, the search with its pieces of text and the
// relation each result belongs to. Each engine's index supplies only its own statements:
// how its index is made, written, compared and queried.
class CZoekKern : public CZoekIndex {
public:
    bool IsActueel() override;
    void Herbouw(const Voortgang& voortgang) override;
    std::vector<CZoekTreffer> Zoek(const QString& strVraag, int nMax) override;

protected:
    // How many of the records that match a search are weighed to find the best: the first
    // letters of a word can match a large part of a big database.
    static constexpr int kKandidaten = 2000;

    CZoekKern(std::shared_ptr<CDaoDatabase> database, std::vector<int> soorten);

    CDaoDatabase& Database() const { return *m_database; }
    const std::vector<int>& Soorten() const { return m_soorten; }

    // Whether the index's own tables are there.
    virtual bool HeeftIndex() = 0;
    // Brings the index in step with this program's own writes before it is read; bZoeken
    // while the user types, when nothing is waited for.
    virtual void VoorLezen(bool bZoeken) { (void)bZoeken; }
    // Conditions (SQL yielding true or false) that the index has this layout's version and
    // agrees with tabel; all are asked in one statement, so one moment answers them all.
    virtual QString VersieKlopt() const = 0;
    virtual QString TabelKlopt(const ZoekTabel& tabel) const = 0;

    // Inside the rebuild's transaction: the index made anew and empty.
    virtual void MaakLeeg() = 0;
    // The statement that writes nRijen records, each taking KolommenPerRij() parameters as
    // BindInhoud binds them from parameter nEerste on.
    virtual QString SchrijfRijen(int nRijen) const = 0;
    virtual int KolommenPerRij() const = 0;
    virtual void BindInhoud(CDaoStatement& schrijf, int nEerste, const ZoekTabel& tabel,
                            const ZoekInhoud& inhoud) const = 0;
    // After every row of tabel is in the index, and after all tables.
    virtual void TabelGedaan(const ZoekTabel& tabel) { (void)tabel; }
    virtual void Afronden() {}

    // The queries of a search, asked in turn until nMax records are found; each answers
    // table, number, list name, parent, name, other text (its start), telephone digits and
    // whether every word was found in the name.
    virtual std::vector<std::unique_ptr<CDaoStatement>> Zoekers(const CZoekVraag& vraag,
                                                                int nMax) = 0;

private:
    void VulRelaties(std::vector<CZoekTreffer>& treffers);

    std::shared_ptr<CDaoDatabase> m_database;
    std::vector<int> m_soorten;
};
