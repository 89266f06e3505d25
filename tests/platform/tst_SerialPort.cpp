#include "PseudoModem.h"
#include "support/TestRegistry.h"

#include "platform/serial/SerialPort.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

PseudoModem::Answer Echoing() {
    return [](const QByteArray& command) { return QList<QByteArray>{command + "\r\n"}; };
}

PseudoModem::Answer Silent() {
    return [](const QByteArray&) { return QList<QByteArray>{}; };
}

bool Write(CSerialPort& port, const QByteArray& data) {
    DWORD written = 0;
    return port.WriteFile(data.constData(), DWORD(data.size()), written) &&
           written == DWORD(data.size());
}

} // namespace

// The COM port layer on a real pseudo-terminal.
class SerialPortTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { CSerialPort::SetReadTimeoutCap(-1); }

    void appliesModemSettingsAndReadsThemBack() {
        PseudoModem modem(3, Silent());
        CSerialPort port;
        QVERIFY(port.Open(3));
        DCB dcb;
        QVERIFY(port.GetCommState(dcb));
        dcb.BaudRate = 1200;
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.fDtrControl = DTR_CONTROL_ENABLE;
        dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
        QVERIFY(port.SetCommState(dcb));

        DCB back;
        QVERIFY(port.GetCommState(back));
        QCOMPARE(back.BaudRate, DWORD(1200));
        QCOMPARE(back.ByteSize, BYTE(8));
        QCOMPARE(back.Parity, BYTE(NOPARITY));
        QCOMPARE(back.StopBits, BYTE(ONESTOPBIT));
        QCOMPARE(back.fDtrControl, DWORD(DTR_CONTROL_ENABLE));

        dcb.BaudRate = 1234;
        QVERIFY(!port.SetCommState(dcb));
        dcb.BaudRate = 1200;
        dcb.StopBits = 1;
        QVERIFY(!port.SetCommState(dcb));
    }

    void passesBytesUnchangedBothWays() {
        PseudoModem modem(3, Echoing());
        CSerialPort port;
        QVERIFY(port.Open(3));
        COMMTIMEOUTS timeouts;
        QVERIFY(port.GetCommTimeouts(timeouts));
        timeouts.ReadTotalTimeoutMultiplier = 1;
        QVERIFY(port.SetCommTimeouts(timeouts));

        QVERIFY(Write(port, QByteArray("at\0z\r\n", 6)));
        QTRY_COMPARE(modem.Received(), QByteArray("at\0z\r\n", 6));
        QByteArray reply;
        char buffer[100];
        for (int i = 0; i < 20 && reply.size() < 6; ++i) {
            DWORD read = 0;
            QVERIFY(port.ReadFile(buffer, sizeof buffer, read));
            reply.append(buffer, read);
        }
        QCOMPARE(reply, QByteArray("at\0z\r\n", 6));
    }

    void readWaitsByTheTimeOutRule() {
        PseudoModem modem(4, Silent());
        CSerialPort port;
        QVERIFY(port.Open(4));
        COMMTIMEOUTS timeouts;
        port.GetCommTimeouts(timeouts);
        timeouts.ReadTotalTimeoutMultiplier = 1;
        timeouts.ReadTotalTimeoutConstant = 50;
        port.SetCommTimeouts(timeouts);
        char buffer[100];
        DWORD read = 99;

        QElapsedTimer clock;
        clock.start();
        QVERIFY(port.ReadFile(buffer, 100, read));
        QCOMPARE(read, DWORD(0));
        QVERIFY2(clock.elapsed() >= 145, qPrintable(QString::number(clock.elapsed())));
    }

    void fullReadEndsBeforeTheTimeOut() {
        PseudoModem modem(
            4, [](const QByteArray&) { return QList<QByteArray>{QByteArray(150, 'x')}; });
        CSerialPort port;
        QVERIFY(port.Open(4));
        COMMTIMEOUTS timeouts;
        port.GetCommTimeouts(timeouts);
        timeouts.ReadTotalTimeoutConstant = 60000;
        port.SetCommTimeouts(timeouts);
        QVERIFY(Write(port, "vul\r"));
        char buffer[100];
        DWORD read = 0;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(port.ReadFile(buffer, 100, read));
        QCOMPARE(read, DWORD(100));
        QVERIFY(clock.elapsed() < 30000);
        QVERIFY(port.ReadFile(buffer, 50, read));
        QCOMPARE(read, DWORD(50));
    }

    void capKeepsReadsShort() {
        PseudoModem modem(4, Silent());
        CSerialPort port;
        QVERIFY(port.Open(4));
        CSerialPort::SetReadTimeoutCap(5);
        char buffer[100];
        DWORD read = 0;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(port.ReadFile(buffer, 100, read));
        QCOMPARE(read, DWORD(0));
        QVERIFY(clock.elapsed() < 5000);
    }

    void refusesMissingBusyAndNonPortDevices() {
        CSerialPort port;
        QDir().mkpath(CPaths::DosDevicesFolder());
        const QString link = CPaths::DosDevicesFolder() + QStringLiteral("/com9");
        QFile::remove(link);
        QFile::link(QStringLiteral("/nonexistent/tty"), link);
        QVERIFY(!port.Open(9));
        QVERIFY(!port.IsOpen());

        PseudoModem modem(5, Silent());
        QVERIFY(port.Open(5));
        CSerialPort second;
        QVERIFY(!second.Open(5));
        QVERIFY(port.CloseHandle());
        QVERIFY(second.Open(5));

        QFile plain(CPaths::DataFolder() + QStringLiteral("/gewoon-bestand"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QFile::remove(link);
        QFile::link(plain.fileName(), link);
        QVERIFY(port.Open(9));
        DCB dcb;
        QVERIFY(!port.GetCommState(dcb));
        QFile::remove(link);
    }
};

TOLVAR_TEST(SerialPortTest);

#include "tst_SerialPort.moc"
