#include "platform/ui/View.h"

CView* CView::ViewOf(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto view = dynamic_cast<CView*>(w)) {
            return view;
        }
    }
    return nullptr;
}
