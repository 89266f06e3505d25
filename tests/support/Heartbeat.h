#pragma once

#include <QElapsedTimer>
#include <QTimer>

// Measures the longest time the event loop went without running, as a user would see a
// frozen window, from construction on.
class Heartbeat {
public:
    Heartbeat();
    qint64 Longest();

private:
    QTimer m_timer;
    QElapsedTimer m_since;
    qint64 m_nLongest = 0;
};
