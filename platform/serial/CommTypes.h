#pragma once

#include "platform/dao/DaoTypes.h"

#include <cstdint>

using BYTE = std::uint8_t;

constexpr DWORD MAXDWORD = 0xFFFFFFFFu;

// Line settings of a serial port, as the Windows communications calls describe them.
enum : BYTE { NOPARITY = 0, ODDPARITY = 1, EVENPARITY = 2 };
enum : BYTE { ONESTOPBIT = 0, TWOSTOPBITS = 2 };
enum : DWORD { DTR_CONTROL_DISABLE = 0, DTR_CONTROL_ENABLE = 1 };
enum : DWORD { RTS_CONTROL_DISABLE = 0, RTS_CONTROL_ENABLE = 1, RTS_CONTROL_HANDSHAKE = 2 };

struct DCB {
    DWORD BaudRate = 9600;
    BYTE ByteSize = 8;
    BYTE Parity = NOPARITY;
    BYTE StopBits = ONESTOPBIT;
    DWORD fDtrControl = DTR_CONTROL_ENABLE;
    DWORD fRtsControl = RTS_CONTROL_ENABLE;
    BOOL fOutxCtsFlow = FALSE;
};

// Time-outs in milliseconds. A read waits at most multiplier x bytes asked + constant (both
// zero: no limit), and returns early when the gap between two bytes exceeds the interval
// (zero: not used). An interval of MAXDWORD with both totals zero returns at once with what
// has come in.
struct COMMTIMEOUTS {
    DWORD ReadIntervalTimeout = 0;
    DWORD ReadTotalTimeoutMultiplier = 0;
    DWORD ReadTotalTimeoutConstant = 0;
    DWORD WriteTotalTimeoutMultiplier = 0;
    DWORD WriteTotalTimeoutConstant = 0;
};
