#include "exchange/JetConversie.h"

#include "exchange/JetBestand.h"
#include "exchange/UitwisselFout.h"
#include "platform/dao/DaoEngine.h"
#include "platform/dao/DaoException.h"
#include "platform/dao/OleDateTime.h"
#include "platform/paths/Paths.h"
#include "search/ZoekIndex.h"
#include "search/ZoekTabel.h"
#include "store/Schema.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <QFile>

namespace {

const QString kAgenda = QStringLiteral("KalenderLijst");

QString Gevonden(const QStringList& lijst, const QString& naam) {
    for (const QString& kandidaat : lijst) {
        if (kandidaat.compare(naam, Qt::CaseInsensitive) == 0) {
            return kandidaat;
        }
    }
    return {};
}

// The stored form of a day number: a fraction that rounds up past the last second of
// 31 December 9999 stays on that second, as there is no later day to go to.
QString Datum(double dag) {
    QString tekst = COleDateTime(dag).ToStorageText();
    if (tekst.size() != 19 && std::isfinite(dag) && dag > 2958465.0 && dag < 2958466.0) {
        tekst = QStringLiteral("9999-12-31 23:59:59");
    }
    return tekst;
}

void RuimOp(const QString& doel) {
    if (!CDaoEngine::IsServerAddress(doel)) {
        QFile::remove(CPaths::ToLocalPath(doel));
        return;
    }
    try {
        DropTolvarTables(doel);
    } catch (const CDaoException&) {
        // The conversion's own failure is the one to report.
    }
}

} // namespace

QStringList CJetConversie::Tabellen(const QString& doel) const {
    const QStringList aanwezig = m_jet.Tabellen();
    QStringList hoofd = TolvarTables();
    hoofd.removeAll(kAgenda);
    QStringList ontbrekend;
    for (const QString& tabel : hoofd) {
        if (Gevonden(aanwezig, tabel).isEmpty()) {
            ontbrekend << tabel;
        }
    }
    if (ontbrekend.size() < hoofd.size()) {
        if (!ontbrekend.isEmpty()) {
            throw CUitwisselFout(
                QStringLiteral("In het bestand %1 ontbreken de tabellen %2; een deel van de "
                               "gegevens wordt niet overgenomen. Er is niets overgenomen.")
                    .arg(m_jet.Pad(), ontbrekend.join(QStringLiteral(", "))));
        }
        if (!Gevonden(aanwezig, kAgenda).isEmpty()) {
            hoofd << kAgenda;
        }
        return hoofd;
    }
    if (Gevonden(aanwezig, kAgenda).isEmpty()) {
        throw CUitwisselFout(
            QStringLiteral("Het bestand %1 bevat geen gegevens van Tolvar: het heeft niet "
                           "de tabellen van het hoofdbestand en ook geen tabel %2.")
                .arg(m_jet.Pad(), kAgenda));
    }
    if (CDaoEngine::IsServerAddress(doel)) {
        throw CUitwisselFout(
            QStringLiteral("Het bestand %1 is een afsprakenbestand; afspraken staan altijd "
                           "in een eigen bestand, niet op de server.")
                .arg(m_jet.Pad()));
    }
    return {kAgenda};
}

void CJetConversie::NeemTabelOver(CDaoEngine& engine, const QString& tabel,
                                  const QString& jetTabel) {
    const auto doelKolommen = TolvarColumns(tabel);
    const auto jetKolommen = m_jet.Kolommen(jetTabel);
    // Per column of the new table the place of its value in a Jet row, -1 when the old
    // file has no such column.
    QStringList namen;
    QStringList vragen;
    std::vector<int> bron;
    std::vector<CDaoEngine::ColumnKind> soort;
    QStringList weggelaten;
    for (const auto& [naam, kind] : doelKolommen) {
        int plaats = -1;
        for (size_t i = 0; i < jetKolommen.size(); ++i) {
            if (jetKolommen[i].naam.compare(naam, Qt::CaseInsensitive) == 0) {
                plaats = int(i);
            }
        }
        if (plaats < 0) {
            weggelaten << QStringLiteral("kolom %1 ontbreekt in het oude bestand en blijft leeg")
                              .arg(naam);
            continue;
        }
        namen << QLatin1Char('[') + naam + QLatin1Char(']');
        vragen << QStringLiteral("?");
        bron.push_back(plaats);
        soort.push_back(kind);
    }
    for (const auto& kolom : jetKolommen) {
        const bool bekend = std::any_of(doelKolommen.begin(), doelKolommen.end(), [&](auto& k) {
            return k.first.compare(kolom.naam, Qt::CaseInsensitive) == 0;
        });
        if (!bekend) {
            weggelaten << QStringLiteral("kolom %1 is onbekend en is weggelaten").arg(kolom.naam);
        }
    }
    if (bron.empty() || soort.front() != CDaoEngine::Counter) {
        throw CUitwisselFout(
            QStringLiteral("In tabel %1 van het bestand %2 ontbreekt de sleutelkolom %3. "
                           "Er is niets overgenomen.")
                .arg(jetTabel, m_jet.Pad(), doelKolommen.front().first));
    }

    const ZoekTabel* zoek = ZoekTabel::Zoek(tabel);
    int ouderPlaats = -1;
    // Parents come before their children in the order of the tables.
    std::optional<QSet<qint64>> ouders;
    if (zoek && zoek->ouder && zoek->nOuderSoort >= 0) {
        for (size_t i = 0; i < bron.size(); ++i) {
            if (namen[qsizetype(i)] == QStringLiteral("[%1]").arg(QLatin1String(zoek->ouder))) {
                ouderPlaats = int(i);
            }
        }
        ouders = m_sleutels.value(QLatin1String(ZoekTabel::Van(zoek->nOuderSoort).tabel));
    }

    auto insert = engine.Prepare(
        QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
            .arg(tabel, namen.join(QLatin1Char(',')), vragen.join(QLatin1Char(','))));
    QSet<qint64> sleutels;
    int nRijen = 0;
    int nWezen = 0;
    int nBuitenBereik = 0;
    int nNul = 0;
    m_jet.Lees(jetTabel, [&](const CJetBestand::Rij& rij) {
        for (size_t i = 0; i < bron.size(); ++i) {
            const QVariant& waarde = rij[size_t(bron[i])];
            const int n = int(i) + 1;
            if (!waarde.isValid()) {
                insert->BindNull(n);
            } else if (soort[i] == CDaoEngine::Date) {
                const QString tekst = Datum(waarde.toDouble());
                if (tekst.isEmpty()) {
                    ++nBuitenBereik;
                    insert->BindNull(n);
                } else {
                    insert->BindText(n, tekst);
                }
            } else if (soort[i] == CDaoEngine::Text) {
                QString tekst = waarde.toString();
                // A server keeps no NUL character in text and would cut the text off there;
                // only that character is left out, and said.
                if (engine.IsServer() && tekst.contains(QChar(0))) {
                    tekst.remove(QChar(0));
                    ++nNul;
                }
                insert->BindText(n, tekst);
            } else {
                insert->BindInt64(n, waarde.toLongLong());
            }
        }
        const QVariant& sleutel = rij[size_t(bron.front())];
        if (!sleutel.isValid()) {
            throw CUitwisselFout(
                QStringLiteral("Tabel %1 van het bestand %2 heeft een rij zonder nummer. "
                               "Er is niets overgenomen.")
                    .arg(jetTabel, m_jet.Pad()));
        }
        sleutels.insert(sleutel.toLongLong());
        if (ouders && (ouderPlaats < 0 ||
                       !ouders->contains(rij[size_t(bron[size_t(ouderPlaats)])].toLongLong()))) {
            ++nWezen;
        }
        insert->Reset();
        while (insert->Step()) {
        }
        insert->Reset();
        ++nRijen;
    });
    m_sleutels.insert(tabel, sleutels);
    const qint64 teller = m_jet.LaatsteTeller(jetTabel);
    engine.ContinueCounterAfter(tabel, doelKolommen.front().first, teller);

    QString regel = QStringLiteral("%1: %2 rijen overgenomen").arg(tabel).arg(nRijen);
    if (nWezen > 0) {
        regel += QStringLiteral(", waarvan %1 zonder bestaande ouder in %2")
                     .arg(nWezen)
                     .arg(QLatin1String(ZoekTabel::Van(zoek->nOuderSoort).tabel));
    }
    regel += QStringLiteral("; nieuwe nummers na %1").arg(std::max<qint64>(teller, 0));
    if (nBuitenBereik > 0) {
        weggelaten << QStringLiteral(
                          "%1 datums buiten het bereik 1-1-100 tot 31-12-9999 zijn leeg gelaten")
                          .arg(nBuitenBereik);
    }
    if (nNul > 0) {
        weggelaten << QStringLiteral(
                          "in %1 teksten is een NUL-teken weggelaten: de server kan het niet "
                          "bewaren")
                          .arg(nNul);
    }
    for (const QString& reden : weggelaten) {
        regel += QStringLiteral("\n  ") + reden;
    }
    m_verslag << regel;
}

void CJetConversie::NeemOver(CDaoEngine& engine, const QStringList& tabellen) {
    const QStringList aanwezig = m_jet.Tabellen();
    engine.Begin(true);
    try {
        for (const QString& tabel : TolvarTables()) {
            if (tabellen.contains(tabel)) {
                NeemTabelOver(engine, tabel, Gevonden(aanwezig, tabel));
            }
        }
        engine.Commit();
    } catch (...) {
        engine.Rollback();
        throw;
    }
    for (const QString& tabel : aanwezig) {
        if (Gevonden(tabellen, tabel).isEmpty()) {
            m_verslag << QStringLiteral("Tabel %1 is onbekend en is niet overgenomen").arg(tabel);
        }
    }
}

QStringList CJetConversie::Converteer(const QString& jetPad, const QString& doel) {
    const CJetBestand jet(jetPad);
    CJetConversie conversie(jet);
    const QStringList tabellen = conversie.Tabellen(doel);
    conversie.m_verslag << QStringLiteral("Omgezet uit %1 (%2):").arg(jetPad, jet.Versie());
    try {
        CreateTolvarDatabase(doel);
    } catch (const CDaoException& e) {
        throw CUitwisselFout(e.GetErrorMessage());
    }
    try {
        const QString naam = CDaoEngine::IsServerAddress(doel) ? doel : CPaths::ToLocalPath(doel);
        {
            const auto engine = CDaoEngine::Connect(naam);
            if (!engine->IsServer()) {
                // The whole file is written in memory first and goes to disk once.
                engine->Execute(QStringLiteral("PRAGMA cache_size = -262144"));
            }
            conversie.NeemOver(*engine, tabellen);
        }
        CZoekIndex::Voor(naam, tabellen.contains(QStringLiteral("Relaties"))
                                   ? ZoekTabel::Hoofdbestand()
                                   : ZoekTabel::Afsprakenbestand())
            ->Herbouw({});
    } catch (const CDaoException& e) {
        RuimOp(doel);
        throw CUitwisselFout(
            QStringLiteral("De gegevens uit %1 konden niet worden opgeslagen: %2. Er is "
                           "niets overgenomen.")
                .arg(jetPad, e.GetErrorMessage()));
    } catch (...) {
        RuimOp(doel);
        throw;
    }
    return conversie.m_verslag;
}
