#pragma once

#include "platform/ui/CmdTarget.h"

#include <functional>
#include <map>
#include <QObject>
#include <QString>
#include <vector>

class QAction;
class QIcon;
class QKeySequence;

// Binds command ids to actions (menu items, toolbar buttons, keys) and routes each command
// along a chain of targets: the first target that handles the id decides, through its
// enabling rule, whether the action is greyed and what it runs. A command nobody handles is
// greyed, and a greyed command never runs, whichever way it is triggered.
class CCommandRouter : public QObject {
    Q_OBJECT
public:
    using Chain = std::function<std::vector<CCmdTarget*>()>;

    explicit CCommandRouter(QObject* parent = nullptr);

    void SetChain(Chain chain) { m_chain = std::move(chain); }

    // The action of a command, made on first request. The prompt is "status text\ntooltip";
    // the part before the line break goes to the status bar.
    QAction* Action(int id);
    QAction* AddCommand(int id, const QString& text, const QString& prompt = QString());

    // Asks the chain whether the command is enabled (and checked).
    bool IsEnabled(int id);
    // Runs the command if it is enabled now; answers whether it ran.
    bool Execute(int id);
    // Asks every action's rule again.
    void UpdateAll();

private:
    CCmdTarget* Handler(int id, CCmdUI* ui);

    Chain m_chain;
    std::map<int, QAction*> m_actions;
};
