#include "exchange/venster/CsvVoorbeeldDlg.h"

#include "exchange/CsvImport.h"
#include "exchange/UitwisselBestand.h"
#include "exchange/UitwisselFout.h"
#include "platform/ui/MessageBox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString ScheidingNaam(QChar scheiding) {
    return scheiding == QLatin1Char('\t') ? QStringLiteral("tab")
                                          : QStringLiteral("'%1'").arg(scheiding);
}

} // namespace

CCsvVoorbeeldDlg::CCsvVoorbeeldDlg(QWidget* parent, CCsvImport& import, const QString& pad)
    : QDialog(parent), m_import(import), m_pad(pad) {
    setWindowTitle(import.IsPersonen() ? QStringLiteral("Personen uit CSV importeren")
                                       : QStringLiteral("Relaties uit CSV importeren"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("%1 (%2, %3 tussen de velden). Kies boven elke kolom wat erin staat.")
            .arg(QFileInfo(pad).fileName(), import.Tabel().codering,
                 ScheidingNaam(import.Tabel().scheiding)),
        this));
    m_tabel = new QTableWidget(this);
    m_tabel->setObjectName(QStringLiteral("voorbeeld"));
    m_tabel->setAccessibleName(QStringLiteral("Eerste regels van het bestand"));
    m_tabel->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_tabel, 1);
    m_samenvatting = new QLabel(this);
    m_samenvatting->setObjectName(QStringLiteral("samenvatting"));
    layout->addWidget(m_samenvatting);
    auto* foutenLabel = new QLabel(QStringLiteral("&Niet leesbare regels:"), this);
    layout->addWidget(foutenLabel);
    m_fouten = new QListWidget(this);
    m_fouten->setObjectName(QStringLiteral("fouten"));
    foutenLabel->setBuddy(m_fouten);
    layout->addWidget(m_fouten);
    m_knoppen = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_knoppen->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Opslaan"));
    m_knoppen->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuleren"));
    m_lijstOpslaan =
        m_knoppen->addButton(QStringLiteral("&Lijst bewaren..."), QDialogButtonBox::ActionRole);
    m_lijstOpslaan->setObjectName(QStringLiteral("lijstBewaren"));
    connect(m_knoppen, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_knoppen, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_lijstOpslaan, &QPushButton::clicked, this, [this] { BewaarFoutenlijst(); });
    layout->addWidget(m_knoppen);
    VulTabel();
    ToonUitkomst();
    resize(fontMetrics().averageCharWidth() * 110, fontMetrics().height() * 34);
}

// Row 0 holds the choosers; the rows below are the file's first records, each headed by
// its line number.
void CCsvVoorbeeldDlg::VulTabel() {
    const CsvTabel& tabel = m_import.Tabel();
    const int nRijen = int(std::min<qsizetype>(tabel.rijen.size(), kVoorbeeldRijen));
    m_tabel->setColumnCount(int(tabel.kop.size()));
    m_tabel->setRowCount(nRijen + 1);
    m_tabel->setHorizontalHeaderLabels(tabel.kop);
    QStringList regels{QStringLiteral("Inlezen als")};
    const QList<CsvVeld> velden = CCsvKolom::Velden(m_import.IsPersonen());
    for (int kolom = 0; kolom < tabel.kop.size(); ++kolom) {
        auto* kiezer = new QComboBox(m_tabel);
        kiezer->setAccessibleName(
            QStringLiteral("Kolom %1, %2").arg(kolom + 1).arg(tabel.kop[kolom]));
        kiezer->addItem(CCsvKolom::Naam(CsvVeld::Geen), int(CsvVeld::Geen));
        for (const CsvVeld veld : velden) {
            kiezer->addItem(CCsvKolom::Naam(veld), int(veld));
        }
        kiezer->setCurrentIndex(kiezer->findData(int(m_import.Kolommen().value(kolom))));
        connect(kiezer, &QComboBox::currentIndexChanged, this, [this] { KolomGekozen(); });
        m_tabel->setCellWidget(0, kolom, kiezer);
    }
    for (int rij = 0; rij < nRijen; ++rij) {
        const CsvRij& bron = tabel.rijen[rij];
        regels << QString::number(bron.regel);
        for (int kolom = 0; kolom < bron.velden.size() && kolom < tabel.kop.size(); ++kolom) {
            m_tabel->setItem(rij + 1, kolom, new QTableWidgetItem(bron.velden[kolom]));
        }
    }
    m_tabel->setVerticalHeaderLabels(regels);
    m_tabel->resizeColumnsToContents();
}

void CCsvVoorbeeldDlg::KolomGekozen() {
    QList<CsvVeld> kolommen;
    for (int kolom = 0; kolom < m_tabel->columnCount(); ++kolom) {
        kolommen << CsvVeld(
            qobject_cast<QComboBox*>(m_tabel->cellWidget(0, kolom))->currentData().toInt());
    }
    m_import.ZetKolommen(kolommen);
    ToonUitkomst();
}

void CCsvVoorbeeldDlg::ToonUitkomst() {
    m_samenvatting->setText(m_import.Samenvatting() + QLatin1Char('.'));
    m_fouten->clear();
    m_fouten->addItems(m_import.Fouten());
    m_lijstOpslaan->setEnabled(!m_import.Fouten().isEmpty());
    m_knoppen->button(QDialogButtonBox::Ok)->setEnabled(m_import.Nieuw() > 0);
}

void CCsvVoorbeeldDlg::BewaarFoutenlijst() {
    const QFileInfo bron(m_pad);
    const QString pad = QFileDialog::getSaveFileName(
        this, QStringLiteral("Niet leesbare regels bewaren"),
        bron.dir().filePath(bron.completeBaseName() + QStringLiteral("-niet-leesbaar.txt")),
        QStringLiteral("Tekstbestanden (*.txt);;Alle bestanden (*)"));
    if (pad.isEmpty()) {
        return;
    }
    try {
        CUitwisselBestand::Schrijf(
            pad, (m_import.Fouten().join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    } catch (const CUitwisselFout& e) {
        MessageBox(this, e.Tekst(), QStringLiteral("Let Op"), MB_OK | MB_ICONSTOP);
    }
}
