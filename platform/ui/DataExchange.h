#pragma once

#include "platform/dao/DaoTypes.h"
#include "platform/dao/OleDateTime.h"

#include <QString>

class QWidget;

// Thrown by CDataExchange::Fail to end an exchange that found bad input; the user has
// already been told.
struct CUserException {};

// One exchange between a dialog's controls (found by id) and its members: towards the
// controls when m_bSaveAndValidate is false, back into the members when it is true.
class CDataExchange {
public:
    CDataExchange(QWidget* dialog, bool saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    // The control with that id; a missing one is a programming error and fails loudly.
    QWidget* PrepareCtrl(int id);
    // Puts the focus on the last prepared control and ends the exchange.
    [[noreturn]] void Fail();

    QWidget* m_pDlgWnd;
    bool m_bSaveAndValidate;
    QWidget* m_pLastControl = nullptr;
};

// Text boxes, labels, combo boxes with an edit field, plain and rich text boxes.
void DDX_Text(CDataExchange* pDX, int id, QString& value);
// A whole number; text that is not one shows "Voer een geheel getal in." and fails.
void DDX_Text(CDataExchange* pDX, int id, int& value);
void DDX_Text(CDataExchange* pDX, int id, long& value);
// A date shown as text in the user's locale (read-only boxes).
void DDX_Text(CDataExchange* pDX, int id, COleDateTime& value);
void DDX_Check(CDataExchange* pDX, int id, int& value);
void DDX_CBString(CDataExchange* pDX, int id, QString& value);
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);
void DDX_Slider(CDataExchange* pDX, int id, int& value);
// Date, time or date-time pickers. A null or invalid value leaves the picker as it is on
// the way in; on the way back the picker's value is taken.
void DDX_DateTimeCtrl(CDataExchange* pDX, int id, COleDateTime& value);
// Refuses text longer than count characters (limits the box on the way in).
void DDV_MaxChars(CDataExchange* pDX, const QString& value, int count);

// The message of a number that does not parse, as the framework shows it.
QString ParseIntMessage();
