#include "exchange/VCardOverig.h"

#include "exchange/VCardKaart.h"

#include <QHash>

namespace {

// Properties that describe the card or its file rather than the contact, and pictures and
// sounds, which a text memo cannot hold.
bool IsTechnisch(const QString& naam) {
    static const QSet<QString> technisch{"BEGIN",        "END",
                                         "VERSION",      "PRODID",
                                         "UID",          "REV",
                                         "KIND",         "X-KIND",
                                         "FN",           "N",
                                         "ORG",          "PHOTO",
                                         "LOGO",         "SOUND",
                                         "SORT-STRING",  "LABEL",
                                         "SOURCE",       "XML",
                                         "MEMBER",       "NAME",
                                         "CLIENTPIDMAP", "X-ADDRESSBOOKSERVER-KIND"};
    return technisch.contains(naam) || naam.startsWith(QLatin1String("X-TOLVAR-"));
}

} // namespace

QString CVCardOverig::Label(const VCardEigenschap& eigenschap) {
    static const QHash<QString, QString> namen{{"TEL", "Telefoon"},
                                               {"EMAIL", "E-mail"},
                                               {"ADR", "Adres"},
                                               {"URL", "Website"},
                                               {"NOTE", "Notitie"},
                                               {"BDAY", "Verjaardag"},
                                               {"ANNIVERSARY", "Trouwdag"},
                                               {"NICKNAME", "Bijnaam"},
                                               {"IMPP", "Chat"},
                                               {"GENDER", "Geslacht"},
                                               {"LANG", "Taal"},
                                               {"TZ", "Tijdzone"},
                                               {"GEO", "Locatie"},
                                               {"TITLE", "Functie"},
                                               {"ROLE", "Rol"},
                                               {"CATEGORIES", "Categorieën"},
                                               {"RELATED", "Relatie"},
                                               {"KEY", "Sleutel"}};
    static const QHash<QString, QString> soorten{
        {"home", "thuis"},   {"work", "werk"}, {"cell", "mobiel"},  {"fax", "fax"},
        {"voice", "spraak"}, {"car", "auto"},  {"pager", "pieper"}, {"video", "video"}};
    QString label = namen.value(eigenschap.naam, eigenschap.naam);
    QStringList typen;
    for (const QString& type : eigenschap.types) {
        if (type != QLatin1String("pref") && type != QLatin1String("internet")) {
            typen << soorten.value(type, type);
        }
    }
    return typen.isEmpty() ? label : label + QStringLiteral(" (%1)").arg(typen.join(", "));
}

QString CVCardOverig::Adres(const VCardEigenschap& adres) {
    const QStringList delen = adres.Delen();
    const auto deel = [&](int i) { return delen.value(i).trimmed(); };
    const QString plaats = (deel(5) + QLatin1Char(' ') + deel(3)).trimmed();
    QStringList regels;
    for (const QString& regel : {deel(0), deel(1), deel(2), plaats, deel(4), deel(6)}) {
        if (!regel.isEmpty()) {
            regels << regel;
        }
    }
    return regels.join(QStringLiteral(", "));
}

QString CVCardOverig::Tekst(const VCardKaart& kaart, const VCardGebruikt& gebruikt) {
    QStringList regels;
    for (const VCardEigenschap& eigenschap : kaart.eigenschappen) {
        if (gebruikt.contains(&eigenschap) || IsTechnisch(eigenschap.naam)) {
            continue;
        }
        QString waarde = eigenschap.naam == QLatin1String("ADR") ? Adres(eigenschap)
                                                                 : eigenschap.Tekst().trimmed();
        for (const char* schema : {"tel:", "mailto:"}) {
            if (waarde.startsWith(QLatin1String(schema), Qt::CaseInsensitive)) {
                waarde = waarde.mid(QLatin1String(schema).size());
            }
        }
        if (!waarde.isEmpty()) {
            regels << Label(eigenschap) + QStringLiteral(": ") + waarde;
        }
    }
    return regels.join(QLatin1Char('\n'));
}
