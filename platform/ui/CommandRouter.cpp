#include "platform/ui/CommandRouter.h"

#include "platform/ui/DispatchGuard.h"

#include <QAction>

CCommandRouter::CCommandRouter(QObject* parent) : QObject(parent) {}

QAction* CCommandRouter::Action(int id) {
    auto it = m_actions.find(id);
    if (it != m_actions.end()) {
        return it->second;
    }
    auto* action = new QAction(this);
    action->setProperty("cmdId", id);
    connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
    m_actions[id] = action;
    return action;
}

QAction* CCommandRouter::AddCommand(int id, const QString& text, const QString& prompt) {
    QAction* action = Action(id);
    action->setText(text);
    if (!prompt.isEmpty()) {
        const int lineBreak = prompt.indexOf(QLatin1Char('\n'));
        action->setStatusTip(lineBreak < 0 ? prompt : prompt.left(lineBreak));
        action->setToolTip(lineBreak < 0 ? prompt : prompt.mid(lineBreak + 1));
    }
    return action;
}

CCmdTarget* CCommandRouter::Handler(int id, CCmdUI* ui) {
    if (!m_chain) {
        return nullptr;
    }
    for (CCmdTarget* target : m_chain()) {
        if (target && target->OnUpdateCmd(id, ui)) {
            return target;
        }
    }
    return nullptr;
}

bool CCommandRouter::IsEnabled(int id) {
    CCmdUI ui(id);
    bool enabled = false;
    Guarded([&] { enabled = Handler(id, &ui) != nullptr && ui.m_bEnabled; });
    return enabled;
}

bool CCommandRouter::Execute(int id) {
    bool ran = false;
    Guarded([&] {
        CCmdUI ui(id);
        CCmdTarget* target = Handler(id, &ui);
        if (!target || !ui.m_bEnabled) {
            return;
        }
        ran = true;
        target->OnCmdMsg(id);
    });
    UpdateAll();
    return ran;
}

void CCommandRouter::UpdateAll() {
    for (auto& entry : m_actions) {
        // Plain names: clang 14 cannot capture a structured binding in a lambda.
        const int id = entry.first;
        QAction* action = entry.second;
        CCmdUI ui(id);
        bool handled = false;
        Guarded([&] { handled = Handler(id, &ui) != nullptr; });
        action->setEnabled(handled && ui.m_bEnabled);
        if (action->isCheckable()) {
            action->setChecked(ui.m_nCheck != 0);
        }
    }
}
