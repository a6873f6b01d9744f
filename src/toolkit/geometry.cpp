#include "geometry.h"

#include "platform/systeminfo.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>

namespace velmora::toolkit {

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

void useSansSerifFont()
{
#ifdef Q_OS_WIN
    static constexpr const char* kFamilies[] = {"Tahoma",   "Segoe UI",    "Microsoft Sans Serif",
                                                "Arial",    "DejaVu Sans", "Liberation Sans",
                                                "Noto Sans"};
    QFont font = QGuiApplication::font();
    // Under Wine the system's dialog font is listed but drawn by a serif fallback.
    if (!platform::runningUnderWine() && QFontDatabase::hasFamily(font.family())) {
        return;
    }
    for (const char* family : kFamilies) {
        if (QFontDatabase::hasFamily(QString::fromLatin1(family))) {
            font.setFamilies({QString::fromLatin1(family)});
            font.setStyleHint(QFont::SansSerif);
            QApplication::setFont(font);
            // The system theme gives lists and menus fonts of their own, which the same
            // fallback would draw.
            for (const char* widgets : {"QAbstractItemView", "QMenuBar", "QMenu"}) {
                QFont own = QApplication::font(widgets);
                own.setFamilies(font.families());
                own.setStyleHint(QFont::SansSerif);
                QApplication::setFont(own, widgets);
            }
            return;
        }
    }
#endif
}

namespace {

bool centre(QWidget* window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return false;
    }
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
    return true;
}

class CentreOnceFramed final : public QObject {
public:
    explicit CentreOnceFramed(QWidget* window) : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (watched == m_window && (type == QEvent::Move || type == QEvent::Resize) &&
            m_window->frameGeometry() != m_window->geometry()) {
            m_window->removeEventFilter(this);
            m_window->setProperty("velmoraCentresWhenFramed", false);
            centre(m_window);
            deleteLater();
        }
        return false;
    }

private:
    QWidget* m_window;
};

} // namespace

void centreOnScreen(QWidget* window)
{
    static constexpr const char* kWaiting = "velmoraCentresWhenFramed";
    if (centre(window) && window->frameGeometry() == window->geometry() &&
        !window->windowFlags().testFlag(Qt::FramelessWindowHint) &&
        !window->property(kWaiting).toBool()) {
        window->setProperty(kWaiting, true);
        new CentreOnceFramed(window);
    }
}

double screenDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInch() : kDefaultDpi;
}

} // namespace velmora::toolkit
