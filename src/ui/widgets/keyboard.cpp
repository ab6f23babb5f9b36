#include "ui/widgets/keyboard.h"

#include <QAbstractScrollArea>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QScrollBar>
#include <QWidget>

namespace kesto {

namespace {

bool takesTabFocus(const QWidget *widget)
{
    return (widget->focusPolicy() & Qt::TabFocus) && widget->isVisible() && widget->isEnabled()
        && !widget->focusProxy();
}

} // namespace

bool FocusPastContainer(QWidget *container, bool forward)
{
    if (!container)
        return false;
    QWidget *start = container;
    QWidget *candidate = forward ? start->nextInFocusChain() : start->previousInFocusChain();
    for (int guard = 0; candidate && candidate != start && guard < 10000; ++guard) {
        if (!container->isAncestorOf(candidate) && candidate->window() == container->window()
            && takesTabFocus(candidate)) {
            candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
        candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
    }
    return false;
}

void GiveCommandKey(QPushButton *button, const QKeySequence &key, const QString &what)
{
    auto *shortcut = new QShortcut(key, button->window());
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        if (button->isVisible() && button->isEnabled())
            button->click();
    });
    button->setToolTip(what + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + QLatin1Char(')'));
}

void EnsureVisibleInScrollAreas(QWidget *widget)
{
    if (!widget)
        return;
    for (QWidget *parent = widget->parentWidget(); parent; parent = parent->parentWidget()) {
        auto *area = qobject_cast<QAbstractScrollArea *>(parent);
        if (!area)
            continue;
        QWidget *viewport = area->viewport();
        const QRect rect(widget->mapTo(area->window(), QPoint(0, 0)), widget->size());
        const QRect view(viewport->mapTo(area->window(), QPoint(0, 0)), viewport->size());
        const QRect target = rect.adjusted(-8, -8, 8, 8);
        auto scrollBy = [](QScrollBar *bar, int delta) {
            if (bar && delta != 0)
                bar->setValue(bar->value() + delta);
        };
        int dx = 0;
        if (target.right() > view.right())
            dx = target.right() - view.right();
        if (target.left() - dx < view.left())
            dx = target.left() - view.left();
        int dy = 0;
        if (target.bottom() > view.bottom())
            dy = target.bottom() - view.bottom();
        if (target.top() - dy < view.top())
            dy = target.top() - view.top();
        scrollBy(area->horizontalScrollBar(), dx);
        scrollBy(area->verticalScrollBar(), dy);
    }
}

} // namespace kesto
