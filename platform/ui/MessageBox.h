#pragma once

#include "platform/dao/DaoTypes.h"

#include <functional>
#include <QString>
#include <vector>

class QWidget;

// Buttons, icons and answers of the platform's message box.
enum : UINT {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_ICONSTOP = 0x10,
    MB_ICONHAND = 0x10,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_ICONASTERISK = 0x40,
    MB_DEFBUTTON1 = 0x000,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };
constexpr UINT MB_TYPEMASK = 0xF;
constexpr UINT MB_ICONMASK = 0xF0;
constexpr UINT MB_DEFMASK = 0xF00;

// Every message box the program asks goes through here. The box is a real modal dialog;
// each one is also written to a log that tests read.
struct MessageBoxRecord {
    QString text;
    QString caption;
    UINT type = 0;
    int answer = 0;
};

// Shows the box owned by owner (the main window when null) and answers the button pressed.
// The caption defaults to the application's title "Tolvar".
int MessageBox(QWidget* owner, const QString& text, const QString& caption = QString(),
               UINT type = MB_OK);
int AfxMessageBox(const QString& text, UINT type = MB_OK);

// The platform's notification sound for a message type; also logged for tests.
void MessageBeep(UINT type = MB_OK);

std::vector<MessageBoxRecord>& MessageBoxLog();
int& MessageBeepCount();

// The window that owns boxes shown without an owner (the main window once it exists).
void SetMessageBoxOwner(QWidget* owner);
QWidget* MessageBoxOwner();
