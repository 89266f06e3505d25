#pragma once

#include <functional>
#include <map>

// What an enabling rule answers for a command: enabled or greyed, and a check mark.
class CCmdUI {
public:
    explicit CCmdUI(int id) : m_nID(id) {}
    void Enable(bool enable = true) { m_bEnabled = enable; }
    void SetCheck(int check = 1) { m_nCheck = check; }

    int m_nID;
    bool m_bEnabled = true;
    int m_nCheck = 0;
};

// A window or object that handles commands by id. A command has a handler and, optionally,
// an enabling rule; a command without a rule is enabled while its handler exists.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Whether this target handles the command; if so, asks its rule into ui.
    virtual bool OnUpdateCmd(int id, CCmdUI* ui);
    // Runs the command when this target handles it and its rule enables it. Answers whether
    // this target handles the command (also when greyed: then nothing runs).
    virtual bool OnCmdMsg(int id);
    bool HandlesCommand(int id) const { return m_commands.count(id) != 0; }

protected:
    void OnCommand(int id, std::function<void()> handler,
                   std::function<void(CCmdUI*)> update = nullptr);

private:
    struct Entry {
        std::function<void()> handler;
        std::function<void(CCmdUI*)> update;
    };
    std::map<int, Entry> m_commands;
};
