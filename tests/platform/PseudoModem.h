#pragma once

#include "platform/paths/Paths.h"

#include <atomic>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <poll.h>
#include <pty.h>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QThread>
#include <termios.h>
#include <thread>
#include <unistd.h>

// A modem on a pseudo-terminal: COM port n (through the dosdevices link) leads to the
// slave side; a thread on the master side records every byte the program sends and answers
// each command (the text up to a carriage return) with the chunks the test gives, pausing
// between chunks so that each arrives in a read of its own.
class PseudoModem {
public:
    using Answer = std::function<QList<QByteArray>(const QByteArray& command)>;

    PseudoModem(int port, Answer answer, int chunkPauseMs = 150)
        : m_answer(std::move(answer)), m_chunkPauseMs(chunkPauseMs) {
        char name[256] = {};
        if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
            qFatal("openpty failed");
        }
        m_slavePath = QString::fromLocal8Bit(name);
        termios raw{};
        ::tcgetattr(m_slave, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(m_slave, TCSANOW, &raw);
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
        QDir().mkpath(CPaths::DosDevicesFolder());
        m_link = CPaths::DosDevicesFolder() + QStringLiteral("/com%1").arg(port);
        QFile::remove(m_link);
        QFile::link(m_slavePath, m_link);
        m_thread = std::thread([this] { Run(); });
    }

    ~PseudoModem() {
        m_stop = true;
        m_thread.join();
        QFile::remove(m_link);
        ::close(m_slave);
        ::close(m_master);
    }

    QByteArray Received() const {
        std::lock_guard lock(m_mutex);
        return m_received;
    }

    // How many descriptors of this process have the port open (the test holds one itself).
    int OpenCount() const {
        int count = 0;
        for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd"))
                                       .entryInfoList(QDir::System | QDir::NoDotAndDotDot)) {
            count += fd.symLinkTarget() == m_slavePath ? 1 : 0;
        }
        return count;
    }

private:
    void Run() {
        QByteArray line;
        while (!m_stop) {
            pollfd entry{m_master, POLLIN, 0};
            if (::poll(&entry, 1, 10) <= 0) {
                continue;
            }
            char buffer[256];
            const ssize_t got = ::read(m_master, buffer, sizeof buffer);
            if (got <= 0) {
                QThread::msleep(5);
                continue;
            }
            {
                std::lock_guard lock(m_mutex);
                m_received.append(buffer, got);
            }
            line.append(buffer, got);
            AnswerCommands(line);
        }
    }

    void AnswerCommands(QByteArray& line) {
        qsizetype end = 0;
        while ((end = line.indexOf('\r')) >= 0) {
            QByteArray command = line.left(end);
            line.remove(0, end + 1);
            while (command.startsWith('\n')) {
                command.remove(0, 1);
            }
            const QList<QByteArray> chunks = m_answer(command);
            for (qsizetype i = 0; i < chunks.size(); ++i) {
                if (i > 0) {
                    QThread::msleep(m_chunkPauseMs);
                }
                (void)::write(m_master, chunks[i].constData(), size_t(chunks[i].size()));
            }
        }
    }

    Answer m_answer;
    int m_chunkPauseMs;
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_link;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    QByteArray m_received;
};
