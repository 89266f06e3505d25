#pragma once

#include <QString>
#include <QStringList>

class CZoekVraag;

// The piece of a record's text a search result shows: from the part (name, other text,
// telephone numbers) where most of the typed words occur, with those words between
// CZoekTreffer's markers. Made by the program, so that both engines show the same piece.
QString ZoekFragment(const QStringList& delen, const CZoekVraag& vraag);
