#include "app/StandardViews.h"

#include "agenda/InfoDisplay.h"
#include "agenda/LijstKalender.h"
#include "workspace/TolvarView.h"

CMainFrame::ViewFactory StandardViews() {
    return {
        [](QWidget* parent) -> CView* { return new CTolvarView(parent); },
        [](QWidget* parent) -> CView* { return new CInfoDisplay(parent); },
        [](QWidget* parent) -> CView* { return new CLijstKalender(parent); },
    };
}
