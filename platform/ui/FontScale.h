#pragma once

class QFont;
class QWidget;

// Widths given in pixels for dialog layouts and list columns were measured for the 8-point
// system font, whose average character is 6 pixels wide. The running font is usually wider
// (and wider still at a higher resolution), so each such width is scaled by the ratio of
// average character widths, as dialog units become pixels: the box or column then holds the
// text it was made for.
int ScaleToFont(int nPixels, const QFont& font);

// Scales, once, the width of a window laid out in those pixels and every minimum and
// maximum width that its layout gives its controls. A box that names the length of its
// usual value in characters (the property "tekens") is made that wide in its own font
// instead: a town or a telephone number then shows whole at any font size, and the window
// grows with it.
void ScaleWindowToFont(QWidget* window);

// The width a box needs to show n average characters of its own font, frame included.
int WidthForCharacters(const QWidget* box, int nCharacters);
