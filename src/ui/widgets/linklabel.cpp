#include "ui/widgets/linklabel.h"
#include <QMouseEvent>

namespace kesto {

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    setWordWrap(true);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 0xC0));
    setPalette(pal);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QLabel::mouseReleaseEvent(event);
}

} // namespace kesto
