#pragma once

#include "dialogs/DocumentDlg.h"

#include <memory>

class CRecBestelling;

namespace Ui {
class BestellingDlg;
}

// "Bestelling": a purchase order with its linked document, relation and contact person.
class CBestellingDlg : public CDocumentDlg {
    Q_OBJECT
public:
    static constexpr DocumentIds kIds{1079, 1080, 1081, 1082, 1083, 1088, 1084,
                                      1085, 1089, 1087, 1090, 1086, 1091};

    explicit CBestellingDlg(QWidget* parent = nullptr);
    ~CBestellingDlg() override;

    CRecBestelling* m_pSet = nullptr;

protected:
    CRecDocument* Document() const override;

private:
    std::unique_ptr<Ui::BestellingDlg> m_ui;
};
