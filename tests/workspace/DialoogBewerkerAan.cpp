#include "dialogs/DialoogBewerker.h"

// The tests here change rows the way the application does, in its dialogs; the
// application installs that editor at start, these tests before any of them runs.
static const bool g_bBewerkerAan = (CDialoogBewerker::Installeer(), true);
