#include "search/ZoekFragment.h"

#include "search/ZoekTreffer.h"
#include "search/ZoekVraag.h"

#include <algorithm>
#include <optional>
#include <vector>

// A short piece of the part of the record where most typed words were found, with those
// words between the markers, cut the way full-text engines cut theirs: ten words from just
// before the first match, "…" where the text goes on. A long memo is read only as far as
// the piece reaches, as this runs for every result at every key press.
QString ZoekFragment(const QStringList& delen, const CZoekVraag& vraag) {
    constexpr size_t kWoorden = 10;
    constexpr size_t kVooraf = 2;
    QStringList gezocht;
    for (const QString& getypt : vraag.Getypt()) {
        gezocht << CZoekVraag::Woorden(getypt);
        if (const QString cijfers = CZoekVraag::Cijfers(getypt); !cijfers.isEmpty()) {
            gezocht << cijfers;
        }
    }
    const auto treft = [&](const QString& woord) {
        const QStringList gevouwen = CZoekVraag::Woorden(woord);
        const QString vorm = gevouwen.isEmpty() ? QString() : gevouwen.first();
        return std::any_of(gezocht.begin(), gezocht.end(),
                           [&](const QString& g) { return vorm.startsWith(g); });
    };
    struct Woord {
        qsizetype nBegin;
        qsizetype nEinde;
        bool bTreft;
    };
    struct Stuk {
        QString tekst;
        std::vector<Woord> woorden; // from at most kVooraf words before the first match
        bool bMeer = false;         // words follow the last one
        bool bEerder = false;       // words come before the first one
        int nTreffers = -1;
    };
    Stuk beste;
    for (const QString& deel : delen) {
        Stuk stuk{deel, {}, false, false, 0};
        std::optional<size_t> eerste;
        for (qsizetype i = 0; i < deel.size();) {
            if (!deel[i].isLetterOrNumber()) {
                ++i;
                continue;
            }
            if (eerste && stuk.woorden.size() >= kWoorden) {
                stuk.bMeer = true;
                break;
            }
            qsizetype j = i;
            while (j < deel.size() && (deel[j].isLetterOrNumber() || deel[j].isMark())) {
                ++j;
            }
            const bool bTreft = treft(deel.mid(i, j - i));
            stuk.woorden.push_back({i, j, bTreft});
            if (bTreft) {
                ++stuk.nTreffers;
                if (!eerste) {
                    // Only the words just before the first match are kept.
                    const size_t nWeg =
                        stuk.woorden.size() > kVooraf + 1 ? stuk.woorden.size() - kVooraf - 1 : 0;
                    stuk.bEerder = nWeg > 0;
                    stuk.woorden.erase(stuk.woorden.begin(),
                                       stuk.woorden.begin() + qsizetype(nWeg));
                    eerste = stuk.woorden.size() - 1;
                }
            }
            i = j;
        }
        if (!eerste && stuk.woorden.size() > kWoorden) {
            stuk.woorden.resize(kWoorden);
            stuk.bMeer = true;
        }
        if (stuk.nTreffers > beste.nTreffers) {
            beste = std::move(stuk);
        }
    }
    if (beste.woorden.empty()) {
        return {};
    }
    QString fragment = beste.bEerder ? QStringLiteral("…") : QString();
    qsizetype nPlek = beste.woorden.front().nBegin;
    for (const Woord& w : beste.woorden) {
        fragment += beste.tekst.mid(nPlek, w.nBegin - nPlek);
        const QString tekst = beste.tekst.mid(w.nBegin, w.nEinde - w.nBegin);
        fragment += w.bTreft ? CZoekTreffer::kBegin + tekst + CZoekTreffer::kEinde : tekst;
        nPlek = w.nEinde;
    }
    if (beste.bMeer) {
        fragment += QStringLiteral("…");
    }
    return fragment;
}
