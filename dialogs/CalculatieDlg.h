#pragma once

#include "dialogs/DocumentDlg.h"

#include <memory>

class CRecCalculatie;

namespace Ui {
class CalculatieDlg;
}

// "Calculatie": a calculation with its linked document, relation and contact person.
class CCalculatieDlg : public CDocumentDlg {
    Q_OBJECT
public:
    static constexpr DocumentIds kIds{1063, 1064, 1065, 1066, 1068, 1067, 1069,
                                      1070, 1074, 1072, 1073, 1071, 1075};

    explicit CCalculatieDlg(QWidget* parent = nullptr);
    ~CCalculatieDlg() override;

    CRecCalculatie* m_pSet = nullptr;

protected:
    CRecDocument* Document() const override;

private:
    std::unique_ptr<Ui::CalculatieDlg> m_ui;
};
