#pragma once

#include <QDialog>

class CCsvImport;
class QDialogButtonBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

// Before a CSV import stores anything: the first rows of the file as a table, with above
// each column a chooser of what it holds (or that it is left out), the summary of what
// would be stored, and the rows that cannot be read, by line, in a list that can be saved.
// Every choice works the import out again at once.
class CCsvVoorbeeldDlg : public QDialog {
    Q_OBJECT
public:
    // Rows shown; the summary always counts the whole file.
    static constexpr int kVoorbeeldRijen = 20;

    CCsvVoorbeeldDlg(QWidget* parent, CCsvImport& import, const QString& pad);

private:
    void VulTabel();
    void KolomGekozen();
    void ToonUitkomst();
    void BewaarFoutenlijst();

    CCsvImport& m_import;
    QString m_pad;
    QTableWidget* m_tabel;
    QLabel* m_samenvatting;
    QListWidget* m_fouten;
    QPushButton* m_lijstOpslaan;
    QDialogButtonBox* m_knoppen;
};
