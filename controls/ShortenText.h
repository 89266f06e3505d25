#pragma once

#include <functional>
#include <QString>

// Measures the width of a text in pixels, as the font that draws it would.
using TextWidthFn = std::function<int(const QString&)>;

// The text to draw in a cell nWidth pixels wide. A text that fits with nAllowance pixels to
// spare is drawn unchanged; otherwise it is cut one character at a time until the cut text,
// "..." and the allowance fit, and "..." is appended. At least one character is kept, so a
// text never shrinks to the dots alone. A cut never splits a surrogate pair.
QString ShortenText(const QString& strText, int nWidth, int nAllowance,
                    const TextWidthFn& textWidth);
