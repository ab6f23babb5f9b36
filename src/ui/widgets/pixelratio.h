#pragma once
// Pictures on screens whose device pixel ratio is above 1: which ratio a widget shows at, when
// that may have changed, and a picture made to fill a logical size at that ratio.
#include <QImage>
#include <QPixmap>
#include <QSize>

class QEvent;
class QWidget;

namespace kesto {

// The device pixel ratio of the screen the widget's window is on; before the window is made,
// that of the screen it will open on.
qreal ScreenPixelRatio(const QWidget *widget);

// True for the events after which a widget's window may show at another device pixel ratio:
// it has moved to another screen, or (where Qt tells it) its screen's ratio has changed.
bool IsPixelRatioChange(const QEvent *event);

// True when, after this event, the widget shows at another ratio than the one its pictures
// were made for: the event is a pixel ratio change (see IsPixelRatioChange) or the widget
// being shown, and ScreenPixelRatio now differs from shownRatio.
bool ShowsAtAnotherRatio(const QEvent *event, const QWidget *widget, qreal shownRatio);

// The picture scaled smoothly to fill a logical size (keeping its proportions, as `mode`
// says) at the given ratio: the pixmap has size x ratio pixels and shows at `size`. A
// picture that already has exactly those pixels is used as it is.
QPixmap PixmapForRatio(const QImage &picture, QSize size, qreal ratio, Qt::AspectRatioMode mode = Qt::KeepAspectRatio);

} // namespace kesto
