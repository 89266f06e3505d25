#include "Heartbeat.h"

#include <algorithm>

Heartbeat::Heartbeat() {
    m_since.start();
    m_timer.setInterval(20);
    QObject::connect(&m_timer, &QTimer::timeout,
                     [this] { m_nLongest = std::max(m_nLongest, m_since.restart()); });
    m_timer.start();
}

qint64 Heartbeat::Longest() {
    m_nLongest = std::max(m_nLongest, m_since.elapsed());
    return m_nLongest;
}
