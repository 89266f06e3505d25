#include "dialogs/DialoogBewerker.h"

#include "dialogs/BestellingDlg.h"
#include "dialogs/CalculatieDlg.h"
#include "dialogs/DocumentWijzig.h"
#include "dialogs/MemoEditDlg.h"
#include "dialogs/OfferteDlg.h"
#include "dialogs/OrderDlg.h"
#include "dialogs/PersoonDlg.h"
#include "dialogs/RelatieDlg.h"
#include "platform/ui/MessageBox.h"
#include "store/RecBestelling.h"
#include "store/RecCalculatie.h"
#include "store/RecDocumentMemo.h"
#include "store/RecOfferte.h"
#include "store/RecOrder.h"
#include "store/RecPersoon.h"
#include "store/RecRelatie.h"
#include "store/RecRelatieMemo.h"

void CDialoogBewerker::Installeer() {
    static CDialoogBewerker bewerker;
    CRecordBewerker::Install(&bewerker);
}

int CDialoogBewerker::Wijzig(CRecRelatie& rec) {
    CRelatieDlg dlg;
    dlg.m_pSet = &rec;
    rec.Edit();
    rec.m_bSoortGewijzigd = 0;
    if (dlg.DoModal() != IDOK) {
        rec.CancelUpdate();
        return 0;
    }
    rec.dtModificatie = COleDateTime::GetCurrentTime();
    rec.Update();
    rec.m_bSoortGewijzigd = dlg.m_bSoortGewijzigd;
    return 1;
}

// The person table keeps no modification date.
int CDialoogBewerker::Wijzig(CRecPersoon& rec) {
    CPersoonDlg dlg;
    dlg.m_pSet = &rec;
    rec.Edit();
    if (dlg.DoModal() != IDOK) {
        rec.CancelUpdate();
        return 0;
    }
    rec.Update();
    return 1;
}

int CDialoogBewerker::Wijzig(CRecOfferte& rec) {
    COfferteDlg dlg;
    dlg.m_pSet = &rec;
    rec.Edit();
    if (dlg.DoModal() != IDOK) {
        // Also undoes a status step confirmed in the dialog; the flag keeps its old value.
        rec.CancelUpdate();
        return 0;
    }
    rec.dtModificatieDatum = COleDateTime::GetCurrentTime();
    rec.m_bStatusGewijzigd = dlg.m_bStatusGewijzigd;
    rec.Update();
    return 1;
}

int CDialoogBewerker::Wijzig(CRecOrder& rec) {
    return WijzigDocument<COrderDlg>(&rec);
}

int CDialoogBewerker::Wijzig(CRecCalculatie& rec) {
    return WijzigDocument<CCalculatieDlg>(&rec);
}

int CDialoogBewerker::Wijzig(CRecBestelling& rec) {
    return WijzigDocument<CBestellingDlg>(&rec);
}

// The editor works on copies, so nothing of the row is locked or started while it runs. The
// relation pane has no contact box: the contact person stays as it was.
int CDialoogBewerker::Wijzig(CRecRelatieMemo& rec) {
    const QString strCreatie = rec.dtDatumCreatie.Format();
    const QString strModificatie = rec.dtModificatie.Format();
    CMemoEditDlg dlg;
    dlg.m_strTekst = rec.szTekst;
    dlg.m_pTekstIn = &dlg.m_strTekst;
    dlg.m_strTitel = rec.szInLijst;
    dlg.m_nKopPaneel = rec.KopPaneel();
    dlg.m_apszKop = {&rec.szInLijst, &strCreatie, &strModificatie};
    if (dlg.DoModal() != IDOK) {
        return 0;
    }
    rec.Edit();
    rec.szTekst = dlg.m_strTekst;
    rec.szInLijst = dlg.m_astrKop[0];
    rec.dtModificatie = COleDateTime::GetCurrentTime();
    rec.Update();
    return 1;
}

int CDialoogBewerker::Wijzig(CRecDocumentMemo& rec) {
    const QString strNummer = QString::number(rec.dwOfferteNr);
    const QString strCreatie = rec.dtDatumCreatie.Format();
    const QString strModificatie = rec.dtModificatie.Format();
    CMemoEditDlg dlg;
    dlg.m_strTekst = rec.szTekst;
    dlg.m_pTekstIn = &dlg.m_strTekst;
    dlg.m_strTitel = rec.szInLijst;
    dlg.m_nKopPaneel = rec.KopPaneel();
    dlg.m_apszKop = {&rec.szInLijst, &strNummer, &rec.szKontaktPersoon, &strCreatie,
                     &strModificatie};
    if (dlg.DoModal() != IDOK) {
        return 0;
    }
    rec.Edit();
    rec.szTekst = dlg.m_strTekst;
    rec.szInLijst = dlg.m_astrKop[0];
    rec.szKontaktPersoon = dlg.m_astrKop[2];
    rec.dtModificatie = COleDateTime::GetCurrentTime();
    rec.Update();
    return 1;
}
