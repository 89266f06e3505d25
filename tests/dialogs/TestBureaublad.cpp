#include "TestBureaublad.h"

#include "platform/paths/Paths.h"

#include <fcntl.h>
#include <pty.h>
#include <QDir>
#include <QFile>
#include <QTest>
#include <termios.h>
#include <unistd.h>

TestBureaublad::TestBureaublad() : m_oudPad(qgetenv("PATH")) {
    const QString log = m_map.filePath(QStringLiteral("%1.log"));
    const QString opnemen = QStringLiteral("printf '%s\\n' \"$*\" >> '%1'\n");
    Script(QStringLiteral("xdg-open"), opnemen.arg(log.arg(QStringLiteral("xdg-open"))));
    Script(QStringLiteral("xdg-email"), opnemen.arg(log.arg(QStringLiteral("xdg-email"))));
    Script(QStringLiteral("xdg-mime"), QStringLiteral("case \"$2\" in\n"
                                                      "filetype) echo text/plain ;;\n"
                                                      "default) echo tolvar-test.desktop ;;\n"
                                                      "esac\n"));
    qputenv("PATH", QFile::encodeName(m_map.path()) + ':' + m_oudPad);
}

TestBureaublad::~TestBureaublad() {
    qputenv("PATH", m_oudPad);
}

void TestBureaublad::Script(const QString& naam, const QString& body) const {
    QFile file(m_map.filePath(naam));
    file.open(QIODevice::WriteOnly);
    file.write(("#!/bin/sh\n" + body).toUtf8());
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QStringList TestBureaublad::Aanroepen(const QString& programma) const {
    QFile file(m_map.filePath(programma + QStringLiteral(".log")));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool TestBureaublad::WachtOp(const QString& programma, int count, int timeoutMs) const {
    return QTest::qWaitFor([&] { return Aanroepen(programma).size() >= count; }, timeoutMs);
}

TestModem::TestModem() {
    char naam[128] = {};
    if (::openpty(&m_master, &m_slave, naam, nullptr, nullptr) != 0) {
        qFatal("no pseudo-terminal");
    }
    termios raw{};
    ::tcgetattr(m_slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(m_slave, TCSANOW, &raw);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    QDir().mkpath(CPaths::DosDevicesFolder());
    m_link = QDir(CPaths::DosDevicesFolder()).filePath(QStringLiteral("com1"));
    QFile::remove(m_link);
    QFile::link(QString::fromLocal8Bit(naam), m_link);
    m_notifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { Lees(); });
}

TestModem::~TestModem() {
    m_notifier.reset();
    QFile::remove(m_link);
    ::close(m_slave);
    ::close(m_master);
}

void TestModem::Lees() {
    char buffer[256];
    const ssize_t n = ::read(m_master, buffer, sizeof buffer);
    if (n <= 0) {
        return;
    }
    const QByteArray data(buffer, n);
    m_ontvangen += data;
    for (qsizetype i = 0; i < data.count('\r'); ++i) {
        const char antwoord[] = "\r\nOK\r\n";
        (void)!::write(m_master, antwoord, sizeof antwoord - 1);
    }
}
