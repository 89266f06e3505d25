#pragma once

#include <QString>

// The answers of the Windows shell that the program's messages are keyed on. Any answer
// above 32 means the request was handed on to a program.
enum ShellResult : int {
    SE_ERR_OUTOFRESOURCES = 0,
    SE_ERR_FNF = 2,
    SE_ERR_PNF = 3,
    SE_ERR_ACCESSDENIED = 5,
    SE_ERR_OOM = 8,
    SE_ERR_BAD_FORMAT = 11,
    SE_ERR_SHARE = 26,
    SE_ERR_ASSOCINCOMPLETE = 27,
    SE_ERR_DDETIMEOUT = 28,
    SE_ERR_DDEFAIL = 29,
    SE_ERR_DDEBUSY = 30,
    SE_ERR_NOASSOC = 31,
    SE_ERR_DLLNOTFOUND = 32,
    SE_HANDED_ON = 42,
};

// Carries out the verb "open" or "print" on a document or web address through the desktop,
// and answers as the Windows shell would. A web address (a scheme such as http://, or text
// beginning with "www.") opens in the browser. A file (Windows-style names are mapped to
// local paths) is checked first: missing file 2, missing folder on the way 3, no access 5,
// no program for its type or no way to print it 31. Opening goes through xdg-open, printing
// through lp, office documents through LibreOffice when it is installed.
int ShellExecuteA(const QString& verb, const QString& file);
