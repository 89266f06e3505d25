#include "app/TerugzetDlg.h"

#include "platform/ui/DispatchGuard.h"
#include "platform/ui/MessageBox.h"

#include "ui_TerugzetDlg.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLocale>

CTerugzetDlg::CTerugzetDlg(std::vector<Regel> regels, QWidget* parent)
    : CDialog(parent), m_ui(std::make_unique<Ui::TerugzetDlg>()), m_regels(std::move(regels)) {
    m_ui->setupUi(this);
    connect(m_ui->kopieen, &QTreeWidget::itemDoubleClicked, this,
            GuardedSlot([this] { OnOK(); }, this));
}

CTerugzetDlg::~CTerugzetDlg() = default;

bool CTerugzetDlg::OnInitDialog() {
    const QLocale locale;
    QTreeWidget* lijst = m_ui->kopieen;
    for (const Regel& regel : m_regels) {
        const auto& kopie = regel.kopie;
        auto* item = new QTreeWidgetItem(lijst);
        item->setText(KOLOM_GEGEVENS, regel.strGegevens);
        item->setText(KOLOM_DATUM, locale.toString(kopie.dtGemaakt.date(), QLocale::ShortFormat));
        item->setText(KOLOM_TIJD, kopie.dtGemaakt.time().toString(QStringLiteral("HH:mm:ss")));
        item->setText(KOLOM_GROOTTE, locale.formattedDataSize(kopie.nGrootte, 1,
                                                              QLocale::DataSizeTraditionalFormat));
        item->setTextAlignment(KOLOM_GROOTTE, Qt::AlignRight | Qt::AlignVCenter);
        item->setText(KOLOM_INHOUD, CReserveKopieen::Inhoud(kopie.strPad));
        item->setText(KOLOM_SOORT, CReserveKopieen::SoortTekst(kopie.nSoort));
        item->setToolTip(KOLOM_GEGEVENS, kopie.strPad);
    }
    // Each column as wide as what it shows, measured in the running font.
    for (int kolom = 0; kolom < lijst->columnCount(); ++kolom) {
        lijst->resizeColumnToContents(kolom);
    }
    resize(std::max(width(), lijst->header()->length() + 60), height());
    if (lijst->topLevelItemCount() > 0) {
        lijst->setCurrentItem(lijst->topLevelItem(0));
    }
    lijst->setFocus();
    return CDialog::OnInitDialog();
}

void CTerugzetDlg::OnOK() {
    const int rij = m_ui->kopieen->indexOfTopLevelItem(m_ui->kopieen->currentItem());
    if (rij < 0 || rij >= int(m_regels.size())) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    m_pGekozen = &m_regels[size_t(rij)];
    EndDialog(IDOK);
}
