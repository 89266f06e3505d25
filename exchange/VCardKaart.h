#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One property of a card as it stood in the file: the transfer encoding and character set
// are already undone, the vCard escaping is not, because only the property's value type
// says whether ';' and ',' separate parts.
struct VCardEigenschap {
    QString naam;      // upper case, without group prefix
    QStringList types; // TYPE values in lower case, also the bare ones of version 2.1
    QList<std::pair<QString, QString>> parameters; // the other parameters, names upper case
    QString waarde;
    int regel = 0;

    bool HeeftType(const char* type) const;
    QString Parameter(const char* naam) const;
    // The value as text, the escapes undone.
    QString Tekst() const;
    // A structured value (N, ADR, ORG): the parts between unescaped ';'.
    QStringList Delen() const;
    // A list value (CATEGORIES): the items between unescaped ','.
    QStringList Lijst() const;
};

// One card: its version and properties in file order, and the line where it began.
struct VCardKaart {
    QString versie;
    int regel = 0;
    QList<VCardEigenschap> eigenschappen;

    const VCardEigenschap* Eerste(const char* naam) const;
    QList<const VCardEigenschap*> Alle(const char* naam) const;
    QString Tekst(const char* naam) const;
};
