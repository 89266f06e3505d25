#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One record of a CSV file: its fields and the line it began on.
struct CsvRij {
    int regel = 0;
    QStringList velden;
};

// A CSV file as read: the column names of its first row, the records after it, and for each
// record that could not be read a Dutch line naming where it began and what was wrong.
struct CsvTabel {
    QStringList kop;
    QList<CsvRij> rijen;
    QStringList fouten;
    QChar scheiding;
    QString codering;
};

// Reads CSV files as spreadsheets and accounting programs save them: UTF-8 with or without
// a byte-order mark, UTF-16 with one, Windows-1252 when the text is not UTF-8; ';', ',' or
// tab between fields, whichever the first row uses; fields quoted as RFC 4180 says; CRLF or
// LF. A damaged record is passed over and reading goes on at the line after its start.
class CCsvLezer {
public:
    // Throws CUitwisselFout when there is no readable first row of column names.
    static CsvTabel Lees(const QByteArray& data);

private:
    enum class Uitkomst { Goed, Einde, Fout };

    explicit CCsvLezer(QString tekst) : m_tekst(std::move(tekst)) {}
    static QString Decodeer(const QByteArray& data, QString& codering);
    static QChar Scheiding(const QString& tekst);
    Uitkomst LeesRij(CsvRij& rij, QString& fout);
    bool LeesGeciteerd(QString& veld, QString& fout);
    void VolgendeRegel(qsizetype vanaf);

    QString m_tekst;
    QChar m_scheiding;
    qsizetype m_pos = 0;
    int m_regel = 1;
};
