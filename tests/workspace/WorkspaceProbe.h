#pragma once

#include <QString>
#include <QStringList>

class CTolvarView;
class QTreeWidgetItem;
class TestDatabase;

// Reading the workspace tree back, and setting up rows for it, in the tests of the view.

// One line per tree item in tree order: two blanks per level, then
// "text|kind|number|owner number|parent kind|image".
QStringList TreeDump(const CTolvarView& view);
// The same for one item and everything below it, the item itself without indent.
QStringList ItemDump(const CTolvarView& view, const QTreeWidgetItem* top);
QString NodeLine(const CTolvarView& view, const QTreeWidgetItem* item);
// The cell of the image strip the item shows, -1 for none.
int ImageIndexOf(const CTolvarView& view, const QTreeWidgetItem* item);
// The items with that kind and number, in tree order.
QList<QTreeWidgetItem*> FindItems(const CTolvarView& view, int kind, int number);

int AddRelatie(TestDatabase& db, const QString& name, bool klant = false, bool leverancier = false);
int AddPersoon(TestDatabase& db, int relatie, const QString& achter, const QString& voor);
// A document row in Offertes, Calculaties, Orders or Bestelling; status only for Offertes.
int AddDocument(TestDatabase& db, const QString& table, int relatie, const QString& name,
                int status = 0);
// A memo row; the parent column is dwRelatieNr for MemoRelatie, dwOfferteNr otherwise.
int AddMemo(TestDatabase& db, const QString& table, int parent, const QString& name);
