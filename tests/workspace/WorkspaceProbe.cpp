#include "WorkspaceProbe.h"

#include "fixture/TestDatabase.h"
#include "workspace/TolvarView.h"

#include <functional>
#include <QTreeWidget>

int ImageIndexOf(const CTolvarView& view, const QTreeWidgetItem* item) {
    const qint64 key = item->icon(0).cacheKey();
    for (int n = 0; n < view.Images().Count(); ++n) {
        if (view.Images().Image(n).cacheKey() == key) {
            return n;
        }
    }
    return -1;
}

QString NodeLine(const CTolvarView& view, const QTreeWidgetItem* item) {
    const CTreeNodeData* node = CTolvarView::NodeData(item);
    if (!node) {
        return item->text(0) + QStringLiteral("|no data");
    }
    return QStringLiteral("%1|%2|%3|%4|%5|%6")
        .arg(item->text(0))
        .arg(node->m_nKind)
        .arg(node->m_lNumber)
        .arg(node->m_lOwnerNumber)
        .arg(node->m_nParentKind)
        .arg(ImageIndexOf(view, item));
}

namespace {

void ForEachItem(const QTreeWidget* tree, const std::function<void(QTreeWidgetItem*, int)>& visit) {
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
        visit(item, depth);
        for (int i = 0; i < item->childCount(); ++i) {
            walk(item->child(i), depth + 1);
        }
    };
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        walk(tree->topLevelItem(i), 0);
    }
}

int LastId(TestDatabase& db) {
    return int(db.LastKey());
}

QString Quoted(const QString& text) {
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

} // namespace

QStringList TreeDump(const CTolvarView& view) {
    QStringList lines;
    ForEachItem(view.Tree(), [&](QTreeWidgetItem* item, int depth) {
        lines << QString(depth * 2, QLatin1Char(' ')) + NodeLine(view, item);
    });
    return lines;
}

QStringList ItemDump(const CTolvarView& view, const QTreeWidgetItem* top) {
    QStringList lines;
    std::function<void(const QTreeWidgetItem*, int)> walk = [&](const QTreeWidgetItem* item,
                                                                int depth) {
        lines << QString(depth * 2, QLatin1Char(' ')) + NodeLine(view, item);
        for (int i = 0; i < item->childCount(); ++i) {
            walk(item->child(i), depth + 1);
        }
    };
    walk(top, 0);
    return lines;
}

QList<QTreeWidgetItem*> FindItems(const CTolvarView& view, int kind, int number) {
    QList<QTreeWidgetItem*> found;
    ForEachItem(view.Tree(), [&](QTreeWidgetItem* item, int) {
        const CTreeNodeData* node = CTolvarView::NodeData(item);
        if (node && node->m_nKind == kind && node->m_lNumber == number) {
            found << item;
        }
    });
    return found;
}

int AddRelatie(TestDatabase& db, const QString& name, bool klant, bool leverancier) {
    db.Exec(QStringLiteral("INSERT INTO Relaties (szInLijst, szVolleNaam, bKlantJaNee, "
                           "bLeverancierJaNee, bPriveJaNee) VALUES (%1, %1, %2, %3, 0)")
                .arg(Quoted(name))
                .arg(klant ? 1 : 0)
                .arg(leverancier ? 1 : 0));
    return LastId(db);
}

int AddPersoon(TestDatabase& db, int relatie, const QString& achter, const QString& voor) {
    db.Exec(QStringLiteral("INSERT INTO Personen (dwRelatieNummer, szAchterNaam, szVoorNaam) "
                           "VALUES (%1, %2, %3)")
                .arg(relatie)
                .arg(Quoted(achter), Quoted(voor)));
    return LastId(db);
}

int AddDocument(TestDatabase& db, const QString& table, int relatie, const QString& name,
                int status) {
    if (table == QLatin1String("Offertes")) {
        db.Exec(QStringLiteral("INSERT INTO Offertes (dwRelatieNummer, szInLijst, "
                               "dwStatusOfferte) VALUES (%1, %2, %3)")
                    .arg(relatie)
                    .arg(Quoted(name))
                    .arg(status));
    } else {
        db.Exec(QStringLiteral("INSERT INTO %1 (dwRelatieNummer, szInLijst) VALUES (%2, %3)")
                    .arg(table)
                    .arg(relatie)
                    .arg(Quoted(name)));
    }
    return LastId(db);
}

int AddMemo(TestDatabase& db, const QString& table, int parent, const QString& name) {
    const QString column = table == QLatin1String("MemoRelatie") ? QStringLiteral("dwRelatieNr")
                                                                 : QStringLiteral("dwOfferteNr");
    db.Exec(QStringLiteral("INSERT INTO %1 (%2, szInLijst, szTekst) VALUES (%3, %4, '{\\rtf1 x}')")
                .arg(table, column)
                .arg(parent)
                .arg(Quoted(name)));
    return LastId(db);
}
