#pragma once

#include "search/ZoekKern.h"

#include <memory>

class CDaoDatabase;
struct ZoekTabel;

// The index as a database server keeps it, shared by every desk: a table with one row per
// record (its name, text and telephone digits, and the words of all three as a text-search
// vector under a GIN index), written in the transaction of every write the program makes,
// so that what one desk stores the others find as soon as it commits. The words are cut,
// folded and numbered by the program itself, not by the server's parser, so that matching
// does not depend on the server's language settings and agrees with a database file.
//
// Whether the index still agrees with the tables (a program that does not keep it may have
// written them) is judged by count, highest number and latest modification time per table,
// compared in one snapshot with the same three of the index's own rows.
class CPgZoekIndex : public CZoekKern {
public:
    CPgZoekIndex(std::shared_ptr<CDaoDatabase> database, std::vector<int> soorten);

    bool DoorAnderenGewijzigd() override;

    // Brings the index in step with one written row, on the connection and in the
    // transaction of the write. A database without an index, or one whose index this
    // desk's server account may not write, is left alone: the next check finds the index
    // out of date and has it rebuilt.
    static void WerkBij(CDaoDatabase& database, const ZoekTabel& tabel, qint64 lSleutel);

    // The version of the index layout; another number means a rebuild.
    static constexpr int kVersie = 1;

protected:
    bool HeeftIndex() override;
    QString VersieKlopt() const override;
    QString TabelKlopt(const ZoekTabel& tabel) const override;
    void MaakLeeg() override;
    QString SchrijfRijen(int nRijen, bool bBouw) const override;
    int KolommenPerRij() const override;
    void BindInhoud(CDaoStatement& schrijf, int nEerste, const ZoekTabel& tabel,
                    const ZoekInhoud& inhoud) const override;
    void Afronden() override;
    QString Wijzigingsteken() override;
    void BeginBouw() override;
    void EindBouw() noexcept override;
    void MaakBouw() override;
    void RuimBouwOp() override;
    void BouwGevuld() override;
    void VoorWissel() override;
    void Wissel() override;
    std::vector<std::unique_ptr<CDaoStatement>> Zoekers(const CZoekVraag& vraag, int nMax) override;

private:
    bool m_bGevraagd = false;
};
