#pragma once

#include <functional>
#include <QString>

struct ZoekTabel;

// What the index holds of one record: its number, parent and modification time, the name
// it is listed under, and its text in three parts (name, other text, telephone numbers as
// digits only), each part's values on lines of their own.
struct ZoekInhoud {
    qint64 lSleutel = 0;
    qint64 lOuder = 0;
    QString strStempel;
    QString strLijst;
    QString strNaam;
    QString strTekst;
    QString strNummers;

    // Reads a row of tabel.Selectie(); kolom(n) answers its column n as text (empty for
    // null). Memo bodies are read as RTF by the program's own reader.
    static ZoekInhoud Lees(const ZoekTabel& tabel, const std::function<QString(int)>& kolom);
};
