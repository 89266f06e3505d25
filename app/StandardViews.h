#pragma once

#include "app/MainFrame.h"

// The program's three panes: the workspace, the to-do list and the appointment list.
CMainFrame::ViewFactory StandardViews();
