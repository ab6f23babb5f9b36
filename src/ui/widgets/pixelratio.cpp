#include "ui/widgets/pixelratio.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace kesto {

qreal ScreenPixelRatio(const QWidget *widget)
{
    if (!widget)
        return 1.0;
    // What the widget paints at, once its window is made; before, QWidget::devicePixelRatioF()
    // answers the highest ratio of all screens, and the screen the window opens on tells.
    if (widget->window()->windowHandle())
        return widget->devicePixelRatioF();
    if (const QScreen *screen = widget->screen())
        return screen->devicePixelRatio();
    return 1.0;
}

bool IsPixelRatioChange(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::ScreenChangeInternal:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    case QEvent::DevicePixelRatioChange:
#endif
        return true;
    default:
        return false;
    }
}

bool ShowsAtAnotherRatio(const QEvent *event, const QWidget *widget, qreal shownRatio)
{
    return (IsPixelRatioChange(event) || event->type() == QEvent::Show) && ScreenPixelRatio(widget) != shownRatio;
}

QPixmap PixmapForRatio(const QImage &picture, QSize size, qreal ratio, Qt::AspectRatioMode mode)
{
    if (picture.isNull() || size.isEmpty())
        return QPixmap();
    const QSize pixels(int(std::lround(size.width() * ratio)), int(std::lround(size.height() * ratio)));
    QImage shown = picture;
    if (picture.size() != pixels)
        shown = picture.scaled(pixels, mode, Qt::SmoothTransformation);
    shown.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(shown);
}

} // namespace kesto
