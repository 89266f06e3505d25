#include "dialogs/KeuzeLijstDlg.h"

#include "platform/ui/DispatchGuard.h"
#include "platform/ui/FontScale.h"
#include "platform/ui/MessageBox.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeWidget>

CKeuzeLijstDlg::CKeuzeLijstDlg(QWidget* parent) : CDialog(parent) {}

void CKeuzeLijstDlg::ZetLijst(QTreeWidget* lijst, std::initializer_list<Kolom> kolommen) {
    m_pLijst = lijst;
    QStringList koppen;
    for (const Kolom& kolom : kolommen) {
        koppen << QString::fromUtf8(kolom.kop);
    }
    lijst->setHeaderLabels(koppen);
    lijst->header()->setStretchLastSection(false);
    lijst->header()->setSectionsMovable(false);
    int nr = 0;
    for (const Kolom& kolom : kolommen) {
        lijst->setColumnWidth(nr++, ScaleToFont(kolom.breedte, lijst->font()));
    }
    connect(lijst, &QTreeWidget::itemDoubleClicked, this, GuardedSlot([this] { OnOK(); }, this));
}

void CKeuzeLijstDlg::VoegToe(const QStringList& teksten, LONG lNummer) {
    auto* rij = new QTreeWidgetItem(m_pLijst, teksten);
    rij->setData(0, Qt::UserRole, lNummer);
}

void CKeuzeLijstDlg::OnOK() {
    const QList<QTreeWidgetItem*> gekozen = m_pLijst->selectedItems();
    if (gekozen.isEmpty()) {
        return;
    }
    const QTreeWidgetItem* rij = gekozen.constFirst();
    QStringList teksten;
    for (int i = 0; i < rij->columnCount(); ++i) {
        teksten << rij->text(i);
    }
    NeemKeuze(rij->data(0, Qt::UserRole).toInt(), teksten);
    EndDialog(IDOK);
}

void CKeuzeLijstDlg::keyPressEvent(QKeyEvent* event) {
    // The list is the only control: Enter chooses, as the default button would.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    CDialog::keyPressEvent(event);
}
