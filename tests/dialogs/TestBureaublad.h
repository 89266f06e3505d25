#pragma once

#include <memory>
#include <QByteArray>
#include <QSocketNotifier>
#include <QStringList>
#include <QTemporaryDir>

// A desktop for one test: xdg-open, xdg-email and xdg-mime on PATH that record how they
// were called (one line per call) and answer that every file type has a program, so that
// the real launcher and mail layers hand their requests to it.
class TestBureaublad {
public:
    TestBureaublad();
    ~TestBureaublad();

    // The argument lists (joined by blanks) of every call of xdg-open or xdg-email so far.
    QStringList Aanroepen(const QString& programma) const;
    // Waits until the program has been called count times.
    bool WachtOp(const QString& programma, int count, int timeoutMs = 5000) const;

private:
    void Script(const QString& naam, const QString& body) const;

    QTemporaryDir m_map;
    QByteArray m_oudPad;
};

// A modem on a pseudo-terminal, reached by the program as COM1: it answers "OK" to every
// command line and keeps everything it was sent.
class TestModem {
public:
    TestModem();
    ~TestModem();

    QByteArray Ontvangen() const { return m_ontvangen; }

private:
    void Lees();

    int m_master = -1;
    int m_slave = -1;
    QString m_link;
    QByteArray m_ontvangen;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
