#pragma once

// The design gives positions and sizes in twips (1440 to the inch). They become pixels at
// the screen's logical resolution: 15 twips to the pixel at 96 dpi.

#include <QRect>

class QFont;
class QWidget;

namespace velmora::toolkit {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr double kDefaultDpi = 96.0;

// `twips` in pixels at `dpi`, rounded to the nearest pixel.
int twipsToPixels(int twips, double dpi = kDefaultDpi);

// A twips rectangle (left, top, width, height) in pixels at `dpi`.
QRect twipsRect(int left, int top, int width, int height, double dpi = kDefaultDpi);

// The logical resolution of the primary screen, or 96 when there is none.
double screenDpi();

// The resolution at which a window's twips become pixels: the screen's, scaled up by how much
// wider `font` sets letters than the design's 8-point MS Sans Serif (5.6 pixels a letter at
// 96 dpi), so that captions laid out for that font still fit. Never below the screen's.
double layoutDpi(const QFont& font);

// On Windows, when the system's font is not among the fonts Qt finds, makes the application's
// font the first sans-serif family of a short list that the system has (Tahoma, the dialog font
// the design's layout was drawn in, first), at the system font's size: under Wine without its
// own fonts, Qt finds no Tahoma and falls back to a serif font whose taller rows no longer fit
// the lists. Elsewhere the desktop's font is kept.
void useSansSerifFont();

// Centres `window`, frame included, on the primary screen's work area. Until the window manager
// has framed a new window only its client area is known, so it is centred again, once, when the
// frame arrives; otherwise it would sit half a title bar low.
void centreOnScreen(QWidget* window);

} // namespace velmora::toolkit
