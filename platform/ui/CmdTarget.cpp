#include "platform/ui/CmdTarget.h"

bool CCmdTarget::OnUpdateCmd(int id, CCmdUI* ui) {
    const auto it = m_commands.find(id);
    if (it == m_commands.end()) {
        return false;
    }
    ui->m_bEnabled = true;
    if (it->second.update) {
        it->second.update(ui);
    }
    return true;
}

bool CCmdTarget::OnCmdMsg(int id) {
    const auto it = m_commands.find(id);
    if (it == m_commands.end()) {
        return false;
    }
    CCmdUI ui(id);
    if (it->second.update) {
        it->second.update(&ui);
    }
    if (ui.m_bEnabled) {
        it->second.handler();
    }
    return true;
}

void CCmdTarget::OnCommand(int id, std::function<void()> handler,
                           std::function<void(CCmdUI*)> update) {
    m_commands[id] = {std::move(handler), std::move(update)};
}
