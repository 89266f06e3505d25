#pragma once

#include <QApplication>

// The application object of the event loop. Its notify is the backstop of the dispatch
// guard: an exception that escapes an event handler is shown in a message box and the
// program carries on, instead of ending.
class CGuardedApplication : public QApplication {
    Q_OBJECT
public:
    CGuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
