#include "platform/serial/SerialPort.h"

#include "platform/paths/Paths.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <QElapsedTimer>
#include <QFile>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace {

int g_readTimeoutCap = -1;

// A port whose handshake line never lets data out must not hold the window for ever.
constexpr DWORD kDefaultWriteTimeoutMs = 5000;

constexpr std::array<std::pair<DWORD, speed_t>, 12> kSpeeds{{
    {300, B300},
    {600, B600},
    {1200, B1200},
    {2400, B2400},
    {4800, B4800},
    {9600, B9600},
    {19200, B19200},
    {38400, B38400},
    {57600, B57600},
    {115200, B115200},
    {230400, B230400},
    {460800, B460800},
}};

std::optional<speed_t> SpeedOf(DWORD baud) {
    for (const auto& [rate, speed] : kSpeeds) {
        if (rate == baud) {
            return speed;
        }
    }
    return std::nullopt;
}

DWORD BaudOf(speed_t speed) {
    for (const auto& [rate, value] : kSpeeds) {
        if (value == speed) {
            return rate;
        }
    }
    return 0;
}

std::optional<tcflag_t> SizeFlag(BYTE bits) {
    switch (bits) {
    case 5:
        return CS5;
    case 6:
        return CS6;
    case 7:
        return CS7;
    case 8:
        return CS8;
    default:
        return std::nullopt;
    }
}

BYTE SizeOf(tcflag_t flags) {
    switch (flags & CSIZE) {
    case CS5:
        return 5;
    case CS6:
        return 6;
    case CS7:
        return 7;
    default:
        return 8;
    }
}

// Waits for the port; answers the poll result, retrying when a signal interrupts.
int Wait(int fd, short events, int timeoutMs) {
    pollfd entry{fd, events, 0};
    int ready = 0;
    do {
        ready = ::poll(&entry, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    return ready;
}

int Remaining(const QElapsedTimer& clock, std::optional<int> limit) {
    if (!limit) {
        return -1;
    }
    return std::max<int>(0, *limit - int(clock.elapsed()));
}

} // namespace

CSerialPort::~CSerialPort() {
    CloseHandle();
}

void CSerialPort::SetReadTimeoutCap(int milliseconds) {
    g_readTimeoutCap = milliseconds;
}

bool CSerialPort::Open(int port) {
    CloseHandle();
    const QByteArray device = QFile::encodeName(CPaths::ComPortDevice(port));
    const int fd = ::open(device.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    // Not shared: a port another program (or another dialer) holds is refused.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    ::ioctl(fd, TIOCEXCL);
    m_fd = fd;
    m_dtrControl = DTR_CONTROL_ENABLE;
    m_timeouts = COMMTIMEOUTS{};
    m_timeouts.WriteTotalTimeoutConstant = kDefaultWriteTimeoutMs;
    MakeRaw();
    return true;
}

bool CSerialPort::MakeRaw() {
    termios settings{};
    if (::tcgetattr(m_fd, &settings) != 0) {
        return false;
    }
    ::cfmakeraw(&settings);
    settings.c_cflag |= CREAD | CLOCAL;
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    return ::tcsetattr(m_fd, TCSANOW, &settings) == 0;
}

bool CSerialPort::CloseHandle() {
    if (m_fd < 0) {
        return false;
    }
    // The exclusive mode outlives this descriptor while anyone else holds the device.
    ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
    return true;
}

bool CSerialPort::GetCommState(DCB& dcb) const {
    termios settings{};
    if (m_fd < 0 || ::tcgetattr(m_fd, &settings) != 0) {
        return false;
    }
    dcb.BaudRate = BaudOf(::cfgetospeed(&settings));
    dcb.ByteSize = SizeOf(settings.c_cflag);
    dcb.Parity = (settings.c_cflag & PARENB)
                     ? ((settings.c_cflag & PARODD) ? ODDPARITY : EVENPARITY)
                     : NOPARITY;
    dcb.StopBits = (settings.c_cflag & CSTOPB) ? TWOSTOPBITS : ONESTOPBIT;
    const bool handshake = (settings.c_cflag & CRTSCTS) != 0;
    dcb.fRtsControl = handshake ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
    dcb.fOutxCtsFlow = handshake ? TRUE : FALSE;
    dcb.fDtrControl = m_dtrControl;
    return true;
}

bool CSerialPort::SetCommState(const DCB& dcb) {
    termios settings{};
    const auto speed = SpeedOf(dcb.BaudRate);
    const auto size = SizeFlag(dcb.ByteSize);
    if (m_fd < 0 || !speed || !size || dcb.Parity > EVENPARITY ||
        (dcb.StopBits != ONESTOPBIT && dcb.StopBits != TWOSTOPBITS) ||
        ::tcgetattr(m_fd, &settings) != 0) {
        return false;
    }
    ::cfsetispeed(&settings, *speed);
    ::cfsetospeed(&settings, *speed);
    settings.c_cflag = (settings.c_cflag & ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS)) | *size;
    if (dcb.Parity != NOPARITY) {
        settings.c_cflag |= PARENB | (dcb.Parity == ODDPARITY ? PARODD : 0);
    }
    if (dcb.StopBits == TWOSTOPBITS) {
        settings.c_cflag |= CSTOPB;
    }
    if (dcb.fRtsControl == RTS_CONTROL_HANDSHAKE || dcb.fOutxCtsFlow) {
        settings.c_cflag |= CRTSCTS;
    }
    if (::tcsetattr(m_fd, TCSANOW, &settings) != 0) {
        return false;
    }
    int dtr = TIOCM_DTR;
    const int request = dcb.fDtrControl == DTR_CONTROL_DISABLE ? TIOCMBIC : TIOCMBIS;
    // A device without modem lines (a pseudo-terminal) has no DTR to set.
    if (::ioctl(m_fd, request, &dtr) != 0 && errno != ENOTTY && errno != EINVAL) {
        return false;
    }
    m_dtrControl = dcb.fDtrControl;
    return true;
}

bool CSerialPort::GetCommTimeouts(COMMTIMEOUTS& timeouts) const {
    if (m_fd < 0) {
        return false;
    }
    timeouts = m_timeouts;
    return true;
}

bool CSerialPort::SetCommTimeouts(const COMMTIMEOUTS& timeouts) {
    if (m_fd < 0) {
        return false;
    }
    m_timeouts = timeouts;
    return true;
}

std::optional<int> CSerialPort::ReadLimit(DWORD count) const {
    std::optional<int> limit;
    const quint64 total = quint64(m_timeouts.ReadTotalTimeoutMultiplier) * count +
                          m_timeouts.ReadTotalTimeoutConstant;
    if (total > 0) {
        limit = int(std::min<quint64>(total, INT32_MAX));
    }
    if (g_readTimeoutCap >= 0) {
        limit = std::min(limit.value_or(g_readTimeoutCap), g_readTimeoutCap);
    }
    return limit;
}

std::optional<int> CSerialPort::WriteLimit(DWORD count) const {
    const quint64 total = quint64(m_timeouts.WriteTotalTimeoutMultiplier) * count +
                          m_timeouts.WriteTotalTimeoutConstant;
    if (total == 0) {
        return std::nullopt;
    }
    return int(std::min<quint64>(total, INT32_MAX));
}

bool CSerialPort::ReadFile(char* buffer, DWORD count, DWORD& read) {
    read = 0;
    if (m_fd < 0) {
        return false;
    }
    const bool immediate = m_timeouts.ReadIntervalTimeout == MAXDWORD &&
                           m_timeouts.ReadTotalTimeoutMultiplier == 0 &&
                           m_timeouts.ReadTotalTimeoutConstant == 0;
    const auto limit = ReadLimit(count);
    const bool interval = m_timeouts.ReadIntervalTimeout != 0 && !immediate;
    QElapsedTimer clock;
    clock.start();
    while (read < count) {
        int wait = immediate ? 0 : Remaining(clock, limit);
        if (interval && read > 0) {
            const int gap = int(std::min<DWORD>(m_timeouts.ReadIntervalTimeout, INT32_MAX));
            wait = wait < 0 ? gap : std::min(wait, gap);
        }
        const int ready = Wait(m_fd, POLLIN, wait);
        if (ready < 0) {
            return false;
        }
        if (ready == 0) {
            break;
        }
        const ssize_t got = ::read(m_fd, buffer + read, count - read);
        if (got < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
        if (got == 0) {
            break;
        }
        read += got > 0 ? DWORD(got) : 0;
        if (immediate) {
            break;
        }
    }
    return true;
}

bool CSerialPort::WriteFile(const char* data, DWORD count, DWORD& written) {
    written = 0;
    if (m_fd < 0) {
        return false;
    }
    const auto limit = WriteLimit(count);
    QElapsedTimer clock;
    clock.start();
    while (written < count) {
        const int ready = Wait(m_fd, POLLOUT, Remaining(clock, limit));
        if (ready < 0) {
            return false;
        }
        if (ready == 0) {
            break;
        }
        const ssize_t sent = ::write(m_fd, data + written, count - written);
        if (sent < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
        written += sent > 0 ? DWORD(sent) : 0;
    }
    return true;
}
