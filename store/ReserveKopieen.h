#pragma once

#include <functional>
#include <optional>
#include <QDateTime>
#include <QString>
#include <vector>

// The program's own copies of its data files, in one folder ($XDG_DATA_HOME/tolvar/
// reservekopie): one a day on the first start of the day, one of the file as it was before
// a restore replaced it, and a damaged file that a restore took the place of. A copy's name
// tells its file, its moment and its kind: "Tolvar-2026-12-07-093012.Doc" is the daily
// copy of Tolvar.Doc made at 09:30:12. The copies of the last 7 days are kept, and of the
// 8 weeks before the current one the newest copy of each week; older ones are deleted.
class CReserveKopieen {
public:
    using Klok = std::function<QDateTime()>;
    enum Soort { SOORT_DAGELIJKS, SOORT_VOOR_TERUGZETTEN, SOORT_BESCHADIGD };
    static constexpr int kDagenAlles = 7;
    static constexpr int kWeken = 8;

    struct Kopie {
        QString strPad;
        QDateTime dtGemaakt;
        Soort nSoort = SOORT_DAGELIJKS;
        qint64 nGrootte = 0;
    };

    // The standard folder and the local clock unless a test gives others.
    explicit CReserveKopieen(QString strMap = StandaardMap(), Klok klok = nullptr);
    static QString StandaardMap();
    QString Map() const { return m_strMap; }

    // The copies of the data file at strBestand, newest first.
    std::vector<Kopie> Kopieen(const QString& strBestand) const;
    // The newest copy of strBestand that passes the quick check.
    std::optional<Kopie> NieuwsteGoede(const QString& strBestand) const;

    // Copies strBestand now, as a copy of kind nSoort; answers the copy's path. Throws
    // CDaoException when the copy cannot be made.
    QString Maak(const QString& strBestand, Soort nSoort);
    // Keeps a damaged file as it is, byte for byte, before a copy takes its place; its
    // journal of an interrupted transaction goes with it, so that it is never played into
    // the file that replaces it. Answers the kept file's path; throws CDaoException.
    QString BewaarBeschadigd(const QString& strBestand);
    // The daily copy: made when today has none yet, then the copies the rule no longer
    // keeps are deleted. Answers the new copy's path, or empty when today's was there.
    QString MaakDagelijks(const QString& strBestand);
    // Deletes the copies of strBestand that the rule no longer keeps, and hidden
    // half-written copies that a stopped program left behind.
    void Snoei(const QString& strBestand);

    // What a copy holds, for the list of copies: "1.000 relaties", "25 afspraken".
    static QString Inhoud(const QString& strKopie);
    static QString SoortTekst(Soort nSoort);

private:
    QString Naam(const QString& strBestand, const QDateTime& moment, Soort nSoort) const;
    QDateTime Nu() const;
    // A path for a new copy made now that no other copy has; the folder is made if need be.
    QString VrijePad(const QString& strBestand, Soort nSoort) const;

    QString m_strMap;
    Klok m_klok;
};
