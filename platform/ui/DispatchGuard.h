#pragma once

#include <functional>
#include <QString>

class QWidget;

// Shows the text of a failure that ended a command, in a box owned by owner (the main
// window when null), and lets the program carry on.
void ReportFailure(const QString& text, QWidget* owner = nullptr);

// Every entry from the event loop into the program's own code (command, notification,
// timer, initial update) runs inside this guard: a database failure or any other exception
// ends that one entry with a message box instead of ending the program. Answers whether
// the call ran to its end.
bool Guarded(const std::function<void()>& call, QWidget* owner = nullptr);

// Wraps a slot so that it runs inside the guard.
template <class F> auto GuardedSlot(F f, QWidget* owner = nullptr) {
    return [f = std::move(f), owner](auto&&...) { Guarded(f, owner); };
}
