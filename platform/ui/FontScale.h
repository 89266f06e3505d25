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
// maximum width that its layout gives its controls.
void ScaleWindowToFont(QWidget* window);
