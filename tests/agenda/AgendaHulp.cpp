#include "AgendaHulp.h"

#include "agenda/AfspraakDlg.h"
#include "controls/FullRowListCtrl.h"
#include "platform/ui/ControlId.h"
#include "support/ModalDriver.h"

#include <QDateEdit>
#include <QTimeEdit>

namespace AgendaHulp {

QString Opslag(const QDateTime& dt) {
    return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

COleDateTime Ole(const QDateTime& dt) {
    return COleDateTime(dt);
}

void ZetAfspraak(QWidget* modal, const QDateTime& dt, const QString& strTekst) {
    qobject_cast<QTimeEdit*>(GetDlgItem(modal, CAfspraakDlg::IDC_TIJD))->setTime(dt.time());
    qobject_cast<QDateEdit*>(GetDlgItem(modal, CAfspraakDlg::IDC_DATUM))->setDate(dt.date());
    SetControlText(modal, CAfspraakDlg::IDC_TEKST, strTekst);
}

bool IsActief(CCmdTarget& target, int nId) {
    CCmdUI ui(nId);
    return target.OnUpdateCmd(nId, &ui) && ui.m_bEnabled;
}

void Selecteer(CFullRowListCtrl& lijst, std::initializer_list<int> rijen) {
    for (int n = 0; n < lijst.GetItemCount(); ++n) {
        lijst.SetItemState(n, 0, LVIS_SELECTED | LVIS_FOCUSED);
    }
    for (int n : rijen) {
        lijst.SetItemState(n, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
}

QStringList Kolom(const CFullRowListCtrl& lijst, int nKolom) {
    QStringList texts;
    for (int n = 0; n < lijst.GetItemCount(); ++n) {
        texts << lijst.GetItemText(n, nKolom);
    }
    return texts;
}

} // namespace AgendaHulp
