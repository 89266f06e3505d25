#pragma once

// Driving the workspace's commands in tests: a shown view on a fresh database, selecting
// nodes, asking the rules as the command router does, and reading the store back.

#include "dialogs/MemoEditDlg.h"
#include "fixture/TestDatabase.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/ControlId.h"
#include "platform/ui/DispatchGuard.h"
#include "platform/ui/MessageBox.h"
#include "res/Resource.h"
#include "support/ModalDriver.h"
#include "workspace/TolvarView.h"
#include "WorkspaceProbe.h"

#include <functional>
#include <memory>
#include <QAbstractButton>
#include <QDialog>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

struct CommandBench {
    TestDatabase db;
    std::unique_ptr<CTolvarView> view;

    // Shows the view, filled for tab nTab from what the database holds now.
    void Open(int nTab = CTolvarView::TAB_RELATIES) {
        view = std::make_unique<CTolvarView>();
        view->resize(600, 500);
        view->show();
        view->OnInitialUpdate();
        view->Tabs()->setCurrentIndex(nTab);
        MessageBoxLog().clear();
    }

    int Count(const QString& table, const QString& where = QStringLiteral("1 = 1")) {
        return db.Scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE %2").arg(table, where))
            .toInt();
    }
    QString Text(const QString& sql) { return db.Scalar(sql).toString(); }

    QTreeWidgetItem* Item(int kind, int number, int nth = 0) {
        const auto items = FindItems(*view, kind, number);
        return nth < items.size() ? items[nth] : nullptr;
    }
    // The folder of that kind right under item.
    QTreeWidgetItem* Folder(QTreeWidgetItem* item, int kind) {
        for (int i = 0; item && i < item->childCount(); ++i) {
            const CTreeNodeData* node = CTolvarView::NodeData(item->child(i));
            if (node && node->m_nKind == kind) {
                return item->child(i);
            }
        }
        return nullptr;
    }
    void Select(QTreeWidgetItem* item) { view->Tree()->setCurrentItem(item); }

    // Whether the command is enabled now, as the router asks it.
    bool Enabled(int id) {
        CCmdUI ui(id);
        return view->OnUpdateCmd(id, &ui) && ui.m_bEnabled;
    }
    // Carries the command out as the router does: inside the dispatch guard, and only when
    // its rule allows it.
    void Run(int id) {
        Guarded([&] { view->OnCmdMsg(id); }, view.get());
    }
    // Runs the command with the queued actions answering its boxes and dialogs.
    bool RunDriven(int id, ModalDriver& driver) {
        Run(id);
        return driver.WaitDone() && driver.Unexpected() == 0;
    }

    int Nodes() const { return int(view->NodeList().size()); }
    // Whether the node list holds exactly one node per tree item.
    bool NodesMatchTree() const { return Nodes() == TreeDump(*view).size(); }
};

inline ModalDriver::Action Cancel() {
    return [](QWidget* dlg) { qobject_cast<QDialog*>(dlg)->reject(); };
}

// The memo editor confirmed with its subject set to subject.
inline ModalDriver::Action SaveMemo(const QString& subject) {
    return [subject](QWidget* dlg) {
        SetControlText(dlg, CMemoEditDlg::IDC_KOP, subject);
        dynamic_cast<CMemoEditDlg*>(dlg)->OnOK();
    };
}

// Clicks a button once the driver's action has returned, so that the modal the click opens
// is driven by the next queued action.
inline void ClickLater(QWidget* dlg, int id) {
    auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(dlg, id));
    QTimer::singleShot(0, button, [button] { button->click(); });
}

// The actions that give a document dialog the relation in the picker's row (from 0) and
// confirm it: open the picker, choose, OK. first runs on the dialog before all that.
inline void QueueRelationAndOk(ModalDriver& driver, int relatieKiezen, int row = 0,
                               std::function<void(QWidget*)> first = {}) {
    driver.Queue([relatieKiezen, first](QWidget* dlg) {
        if (first) {
            first(dlg);
        }
        ClickLater(dlg, relatieKiezen);
    });
    driver.Queue([row](QWidget* picker) {
        auto* list = picker->findChild<QTreeWidget*>();
        list->setFocus();
        list->setCurrentItem(list->topLevelItem(row));
        PressKey(picker, Qt::Key_Return);
    });
    driver.Queue([](QWidget* dlg) { ClickButton(dlg, IDOK); });
}
