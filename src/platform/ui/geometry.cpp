#include "geometry.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
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

double layoutDpi(const QFont& font)
{
    constexpr double kDesignLetterWidth = 5.6;
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const double letterWidth =
        QFontMetricsF(font).horizontalAdvance(letters) / static_cast<double>(letters.size());
    const double dpi = screenDpi();
    return dpi * std::max(1.0, letterWidth * kDefaultDpi / dpi / kDesignLetterWidth);
}

double screenDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInch() : kDefaultDpi;
}

} // namespace velmora::ui
