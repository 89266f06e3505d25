#pragma once

#include <QString>
#include <QStringList>

// The shared file-open picker. The filter lists entries as "description|pattern|..." ending
// in "||"; a pattern may hold several masks separated by ";". The picker opens in the given
// folder (empty: the folder used last, else the user's documents), with an empty file-name
// box. When the user chooses a file its full path goes into path and the answer is true;
// when the user cancels, path stays as it was. Masks match regardless of letter case.
bool DocumentKiezen(const QString& initialFolder, const QString& filter, QString& path);

// The picker's entries in the toolkit's form "description (masks)": the description as the
// caller wrote it, the masks as they are matched.
QStringList DocumentKiezenFilters(const QString& filter);

// The longest path the picker hands back, as its file-name buffer of 1024 characters allows.
constexpr int kDocumentKiezenMaxPath = 1023;
