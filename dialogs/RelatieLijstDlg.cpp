#include "dialogs/RelatieLijstDlg.h"

#include "store/RecRelatie.h"

#include "ui_RelatieLijstDlg.h"

CRelatieLijstDlg::CRelatieLijstDlg(QWidget* parent)
    : CKeuzeLijstDlg(parent), m_ui(std::make_unique<Ui::RelatieLijstDlg>()) {
    m_ui->setupUi(this);
    ZetLijst(m_ui->lijst, {{"Relatie", 70},
                           {"Voledige naam", 150},
                           {"Telefoon", 70},
                           {"Bezoek straat", 150},
                           {"Nr", 30},
                           {"Plaats", 150},
                           {"Postcode", 70},
                           {"Telefax", 70},
                           {"Email", 100}});
}

CRelatieLijstDlg::~CRelatieLijstDlg() = default;

bool CRelatieLijstDlg::OnInitDialog() {
    CRecRelatie relaties;
    relaties.Selecteer(SEL_ALLES, 0);
    while (relaties.Volgende()) {
        const bool gevraagd = (m_bKlanten && relaties.bKlantJaNee) ||
                              (m_bLeveranciers && relaties.bLeverancierJaNee) ||
                              (m_bPrive && relaties.bPriveJaNee);
        if (gevraagd) {
            VoegToe({relaties.szInLijst, relaties.szVolleNaam, relaties.szTelefoon,
                     relaties.szBezoekStraat, relaties.szBezoekNummer, relaties.szBezoekWoonplaats,
                     relaties.szBezoekPostcode, relaties.szTeleFax, relaties.szEmailAdres},
                    relaties.lRelatieNummer);
        }
    }
    return true;
}

void CRelatieLijstDlg::NeemKeuze(LONG lNummer, const QStringList& teksten) {
    m_lGekozenRelatie = lNummer;
    m_strGekozenKort = teksten.value(0);
    m_strGekozenNaam = teksten.value(1);
}
