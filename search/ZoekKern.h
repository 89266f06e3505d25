#pragma once

#include "search/ZoekIndex.h"

#include <functional>
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
    double Bouw(const Voortgang& voortgang) override;
    std::vector<CZoekTreffer> Zoek(const QString& strVraag, int nMax) override;

protected:
    // How many of the records that match a search are weighed to find the best: the first
    // letters of a word can match a large part of a big database.
    static constexpr int kKandidaten = 2000;

    CZoekKern(std::shared_ptr<CDaoDatabase> database, std::vector<int> soorten);

    CDaoDatabase& Database() const { return *m_database; }
    // Runs werk in a write transaction of its own and notes how long it kept others out.
    void Kort(const std::function<void()>& werk);
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
    // The statement that writes nRijen records (to the index being built beside the current
    // one when bBouw), each taking KolommenPerRij() parameters as BindInhoud binds them from
    // parameter nEerste on.
    virtual QString SchrijfRijen(int nRijen, bool bBouw) const = 0;
    virtual int KolommenPerRij() const = 0;
    virtual void BindInhoud(CDaoStatement& schrijf, int nEerste, const ZoekTabel& tabel,
                            const ZoekInhoud& inhoud) const = 0;
    // After every row of tabel is in the index, and after all tables.
    virtual void TabelGedaan(const ZoekTabel& tabel) { (void)tabel; }
    virtual void Afronden() {}

    // The build beside the index. The sign changes with every commit another connection makes
    // to the tables; it is asked when the reading begins and again under the write lock.
    virtual QString Wijzigingsteken() = 0;
    // Before and after a build beside the index (never throwing after): keeps other desks from
    // building at the same time.
    virtual void BeginBouw() {}
    virtual void EindBouw() noexcept {}
    // Makes the index to be built beside the current one anew and empty (outside any
    // transaction), and removes it again (in a write transaction).
    virtual void MaakBouw() = 0;
    virtual void RuimBouwOp() = 0;
    // Where the rows of the new index are written, and how: by default each page in a write
    // transaction of its own.
    virtual CDaoDatabase& BouwDatabase() const { return Database(); }
    virtual void SchrijfPagina(const std::function<void()>& schrijf) { Kort(schrijf); }
    // Right after the sign is taken when the reading begins: what the swap may then take
    // as the state of the tables, since it swaps only when nothing changed.
    virtual void BeginLezen() {}
    // After every row is in the new index, outside any transaction.
    virtual void BouwGevuld() {}
    // First in the transaction that puts the new index in place: keeps other writers out
    // from here on, on an engine where the transaction alone does not.
    virtual void VoorWissel() {}
    // Puts the new index in the place of the current one, with its version; what is left of
    // the old one is cleared away afterwards, outside the swap's transaction.
    virtual void Wissel() = 0;
    virtual void NaWissel() {}

    // The queries of a search, asked in turn until nMax records are found; each answers
    // table, number, list name, parent, name, other text (its start), telephone digits and
    // whether every word was found in the name.
    virtual std::vector<std::unique_ptr<CDaoStatement>> Zoekers(const CZoekVraag& vraag,
                                                                int nMax) = 0;

private:
    enum class Wisseling { Gedaan, Gewijzigd, Bezet };

    void VulRelaties(std::vector<CZoekTreffer>& treffers);
    long Totaal();
    // Reads tabel a page at a time and hands each page on as index content.
    void LeesPaginas(const ZoekTabel& tabel,
                     const std::function<void(const std::vector<ZoekInhoud>&)>& pagina);
    // Every table of the index a page at a time, each page to verwerk and each row to the
    // progress; naTabel, when given, after a table's last page.
    void
    LeesAlles(const Voortgang& voortgang,
              const std::function<void(const ZoekTabel&, const std::vector<ZoekInhoud>&)>& verwerk,
              const std::function<void(const ZoekTabel&)>& naTabel = nullptr);
    void Schrijf(const ZoekTabel& tabel, const std::vector<ZoekInhoud>& rijen, bool bBouw);
    bool BouwErnaast(const Voortgang& voortgang);
    void VulBouw(const Voortgang& voortgang);
    Wisseling ProbeerWissel(const QString& strTeken);

    std::shared_ptr<CDaoDatabase> m_database;
    std::vector<int> m_soorten;
    double m_msLangsteSlot = 0;
};
