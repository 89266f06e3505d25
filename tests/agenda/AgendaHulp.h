#pragma once

#include "platform/dao/OleDateTime.h"
#include "platform/ui/CmdTarget.h"

#include <QDateTime>
#include <QString>

class QWidget;
class CFullRowListCtrl;

// Shared steps of the agenda tests.
namespace AgendaHulp {

// A date-time as the tables store it.
QString Opslag(const QDateTime& dt);
COleDateTime Ole(const QDateTime& dt);

// Fills the appointment dialog that is the modal: time, date and text.
void ZetAfspraak(QWidget* modal, const QDateTime& dt, const QString& strTekst);

// Whether a command is enabled on target, as the frame would ask it.
bool IsActief(CCmdTarget& target, int nId);

// Selects exactly the given rows, the last one becoming the focused row.
void Selecteer(CFullRowListCtrl& lijst, std::initializer_list<int> rijen);

// The texts of one column, top to bottom.
QStringList Kolom(const CFullRowListCtrl& lijst, int nKolom);

} // namespace AgendaHulp
