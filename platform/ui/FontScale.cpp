#include "platform/ui/FontScale.h"

#include <cmath>
#include <QFontMetricsF>
#include <QWidget>

namespace {

constexpr double kOntwerpTekenBreedte = 6.0;
const char* const kScaledProperty = "fontScaled";

// The average character width as the platform derives its dialog base unit: from the
// extent of the 52 letters, rounded half up.
double GemiddeldeTekenBreedte(const QFont& font) {
    const double cx = QFontMetricsF(font).horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return (cx / 26.0 + 1.0) / 2.0;
}

// Only sizes the layout itself gave: Qt's own inner widgets are named "qt_...".
bool IsOntworpen(const QWidget* widget) {
    const QString naam = widget->objectName();
    return !naam.isEmpty() && !naam.startsWith(QLatin1String("qt_"));
}

} // namespace

int ScaleToFont(int nPixels, const QFont& font) {
    return int(std::lround(nPixels * GemiddeldeTekenBreedte(font) / kOntwerpTekenBreedte));
}

void ScaleWindowToFont(QWidget* window) {
    if (window->property(kScaledProperty).toBool()) {
        return;
    }
    window->setProperty(kScaledProperty, true);
    const auto children = window->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (!IsOntworpen(child)) {
            continue;
        }
        if (child->minimumWidth() > 0) {
            child->setMinimumWidth(ScaleToFont(child->minimumWidth(), child->font()));
        }
        if (child->maximumWidth() < QWIDGETSIZE_MAX) {
            child->setMaximumWidth(ScaleToFont(child->maximumWidth(), child->font()));
        }
    }
    // A window without a size of its own takes its layout's, which already fits the font.
    if (window->testAttribute(Qt::WA_Resized)) {
        window->resize(ScaleToFont(window->width(), window->font()), window->height());
    }
}
