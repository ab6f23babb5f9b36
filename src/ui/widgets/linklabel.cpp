#include "ui/widgets/linklabel.h"

#include "core/platform/maker.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace kesto {

ClickableLabel::ClickableLabel(QWidget *parent) : QLabel(parent) { setCursor(Qt::PointingHandCursor); }

ClickableLabel::ClickableLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ClickableLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        Q_EMIT clicked();
}

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : ClickableLabel(text, parent)
{
    setWordWrap(true);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 0xC0));
    setPalette(pal);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    setFocusPolicy(Qt::TabFocus);
}

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!event->isAutoRepeat() && event->modifiers() == Qt::NoModifier) {
            event->accept();
            Q_EMIT clicked();
            return;
        }
        break;
    default:
        break;
    }
    ClickableLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent *event)
{
    ClickableLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(QPalette::Window);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

LinkLabel *makeForumLink(QWidget *parent)
{
    return new LinkLabel(QStringLiteral("Join the ") + maker::forumName()
                             + QStringLiteral(" and talk tarot with readers from all over the world"),
                         parent);
}

} // namespace kesto
