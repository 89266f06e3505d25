#include "dialogs/PersoonLijstDlg.h"

#include "store/RecPersoon.h"

#include "ui_PersoonLijstDlg.h"

CPersoonLijstDlg::CPersoonLijstDlg(QWidget* parent)
    : CKeuzeLijstDlg(parent), m_ui(std::make_unique<Ui::PersoonLijstDlg>()) {
    m_ui->setupUi(this);
    ZetLijst(m_ui->lijst, {{"Achternaam", 100},
                           {"Voornaam", 70},
                           {"Afdeling", 70},
                           {"Telefoon", 50},
                           {"Autotelefoon", 50},
                           {"Telefax", 50},
                           {"Email", 70}});
}

CPersoonLijstDlg::~CPersoonLijstDlg() = default;

bool CPersoonLijstDlg::OnInitDialog() {
    CRecPersoon personen;
    if (m_lFilterRelatie == -1) {
        personen.Selecteer(SEL_ALLES, 0);
    } else {
        personen.Selecteer(SEL_OUDER, m_lFilterRelatie);
    }
    while (personen.Volgende()) {
        VoegToe({personen.szAchterNaam, personen.szVoorNaam, personen.szAfdeling,
                 personen.szTelefoon, personen.szAutoTelefoon, personen.szTelefax,
                 personen.szEmail},
                personen.IDnr);
    }
    return true;
}

void CPersoonLijstDlg::NeemKeuze(LONG lNummer, const QStringList& teksten) {
    m_lGekozenPersoon = lNummer;
    m_strGekozenPersoon = QStringLiteral("%1 %2").arg(teksten.value(1), teksten.value(0));
}
