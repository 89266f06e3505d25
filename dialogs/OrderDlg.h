#pragma once

#include "dialogs/DocumentDlg.h"

#include <memory>

class CRecOrder;

namespace Ui {
class OrderDlg;
}

// "Order": a order with its linked document, relation and contact person.
class COrderDlg : public CDocumentDlg {
    Q_OBJECT
public:
    static constexpr DocumentIds kIds{1092, 1093, 1094, 1095, 1096, 1097, 1098,
                                      1099, 1100, 1101, 1102, 1103, 1104};

    explicit COrderDlg(QWidget* parent = nullptr);
    ~COrderDlg() override;

    CRecOrder* m_pSet = nullptr;

protected:
    CRecDocument* Document() const override;

private:
    std::unique_ptr<Ui::OrderDlg> m_ui;
};
