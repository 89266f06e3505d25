#pragma once

#include "exchange/VCardKaart.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// The cards of a file and, for each card that could not be read, a Dutch line naming
// where it began and what was wrong with it.
struct VCardLeesResultaat {
    QList<VCardKaart> kaarten;
    QStringList fouten;
};

// Reads vCard files of versions 2.1, 3.0 and 4.0 as address books and phones write them:
// folded lines, quoted-printable with soft line breaks, character sets other than UTF-8,
// bare 2.1 type parameters, groups. A damaged card is skipped whole; the others are read.
class CVCardLezer {
public:
    // Longest content line accepted, after unfolding: far beyond any real property (a
    // photo of a few hundred kilobytes), short enough that a broken file cannot exhaust
    // memory line by line.
    static constexpr qsizetype kMaxRegel = 4 * 1024 * 1024;

    // Throws CUitwisselFout when the data is not a vCard file at all (binary, or without
    // a single BEGIN:VCARD).
    static VCardLeesResultaat Lees(const QByteArray& data);

private:
    struct Regel {
        QByteArray tekst;
        int nummer;
    };

    explicit CVCardLezer(const QByteArray& data);
    void Verdeel(const QByteArray& data);
    VCardLeesResultaat LeesAlles();
    bool LeesKaart(qsizetype& i, VCardKaart& kaart, QString& fout);
    QByteArray LogischeRegel(qsizetype& i) const;
    static bool LeesEigenschap(const QByteArray& regel, VCardEigenschap& eigenschap);
    static QString Decodeer(const QByteArray& bytes, const QString& charset);

    QList<Regel> m_regels;
};
