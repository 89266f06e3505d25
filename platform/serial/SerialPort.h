#pragma once

#include "platform/serial/CommTypes.h"

#include <optional>
#include <QString>

// A COM port opened through its device (see CPaths::ComPortDevice) with termios, offering
// the Windows communications calls the dialer is written against. The port is raw, as a
// Windows port always is: no echo, no line editing, no translation of line ends.
class CSerialPort {
public:
    CSerialPort() = default;
    ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Opens COM port n for reading and writing, not shared, existing devices only.
    bool Open(int port);
    bool IsOpen() const { return m_fd >= 0; }
    bool CloseHandle();

    bool GetCommState(DCB& dcb) const;
    bool SetCommState(const DCB& dcb);
    bool GetCommTimeouts(COMMTIMEOUTS& timeouts) const;
    bool SetCommTimeouts(const COMMTIMEOUTS& timeouts);

    // Reads up to count bytes, bounded by the time-outs; read tells how many came.
    bool ReadFile(char* buffer, DWORD count, DWORD& read);
    // Writes the bytes, bounded by the write time-outs; written tells how many went out.
    bool WriteFile(const char* data, DWORD count, DWORD& written);

    // Reads never wait longer than this (negative: no cap). Tests keep it short.
    static void SetReadTimeoutCap(int milliseconds);

private:
    std::optional<int> ReadLimit(DWORD count) const;
    std::optional<int> WriteLimit(DWORD count) const;
    bool MakeRaw();

    int m_fd = -1;
    DWORD m_dtrControl = DTR_CONTROL_ENABLE;
    COMMTIMEOUTS m_timeouts;
};
