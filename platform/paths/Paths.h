#pragma once

#include <QString>

// Windows-style names (drive paths such as C:\Mijn documenten, serial ports COM1...) on a
// Linux desktop, after the convention Wine users know: $XDG_DATA_HOME/tolvar/dosdevices/
// may hold links "c:" ... "z:" and "com1" ... "com256"; without a link, drive C: is the
// folder drive_c beside it and COMn is /dev/ttyS(n-1).
class CPaths {
public:
    // $XDG_DATA_HOME/tolvar, or ~/.local/share/tolvar.
    static QString DataFolder();
    static QString DosDevicesFolder();

    // A drive path becomes a path under its drive's folder, backslashes become slashes,
    // a Linux path passes unchanged.
    static QString ToLocalPath(const QString& path);

    // The device of serial port n (1 is the first).
    static QString ComPortDevice(int port);

    static bool IsDrivePath(const QString& path);
};
