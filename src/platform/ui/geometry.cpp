#include "geometry.h"

#include <cmath>

#include <QGuiApplication>
#include <QScreen>

namespace velmora::ui {

int twipsToPixels(int twips, double dpi)
{
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

QRect twipsRect(int left, int top, int width, int height, double dpi)
{
    return QRect(twipsToPixels(left, dpi), twipsToPixels(top, dpi), twipsToPixels(width, dpi),
                 twipsToPixels(height, dpi));
}

double screenDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInch() : kDefaultDpi;
}

} // namespace velmora::ui
