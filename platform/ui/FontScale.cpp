#include "platform/ui/FontScale.h"

#include <cmath>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWidget>

namespace {

constexpr double kOntwerpTekenBreedte = 6.0;
const char* const kScaledProperty = "fontScaled";
const char* const kCharactersProperty = "tekens";
// A line edit keeps this many pixels free on either side of its text, and one for the cursor.
constexpr int kLineEditMarge = 2;

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

// Gives a box with a length in characters its width; false for a box without one.
bool ZetTekenBreedte(QWidget* widget) {
    const int nTekens = widget->property(kCharactersProperty).toInt();
    if (nTekens <= 0) {
        return false;
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setMinimumContentsLength(nTekens);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    } else if (widget->sizePolicy().horizontalPolicy() == QSizePolicy::Fixed) {
        widget->setFixedWidth(WidthForCharacters(widget, nTekens));
    } else {
        widget->setMinimumWidth(WidthForCharacters(widget, nTekens));
    }
    return true;
}

} // namespace

int WidthForCharacters(const QWidget* box, int nCharacters) {
    const int nTekst = int(std::ceil(nCharacters * GemiddeldeTekenBreedte(box->font())));
    auto* edit = qobject_cast<const QLineEdit*>(box);
    if (!edit) {
        return nTekst;
    }
    const QMargins marges = edit->textMargins();
    const int nBinnen = nTekst + 2 * kLineEditMarge + 1 + marges.left() + marges.right();
    QStyleOptionFrame optie;
    optie.initFrom(edit);
    optie.rect = edit->rect();
    optie.lineWidth = edit->hasFrame()
                          ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &optie, edit)
                          : 0;
    const QSize inhoud(nBinnen, edit->fontMetrics().height());
    return edit->style()->sizeFromContents(QStyle::CT_LineEdit, &optie, inhoud, edit).width();
}

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
        if (!IsOntworpen(child) || ZetTekenBreedte(child)) {
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
