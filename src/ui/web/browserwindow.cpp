#include "ui/web/browserwindow.h"

#include "core/platform/twips.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

namespace kesto {

QWidget *OuterWindow(QWidget *form)
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(form->parentWidget()))
        return sub;
    return form;
}

void ResizeOuterWindow(QWidget *form, int widthTwips, int heightTwips)
{
    QWidget *window = OuterWindow(form);
    // A maximised or minimised sub-window keeps the size its state gives it.
    if (window->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))
        return;
    const qreal dpi = form->logicalDpiX();
    const QSize size(qMax(0, twipsToPixels(widthTwips, dpi)), qMax(0, twipsToPixels(heightTwips, dpi)));
    if (window->size() != size)
        window->resize(size);
}

QWidget *ClientAreaOf(QWidget *form)
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(form->parentWidget()))
        return sub->mdiArea();
    return nullptr;
}

void ShowOuterWindow(QWidget *form)
{
    form->show();
    QWidget *window = OuterWindow(form);
    if (window != form)
        window->show();
    window->raise();
    if (auto *sub = qobject_cast<QMdiSubWindow *>(window)) {
        if (QMdiArea *area = sub->mdiArea())
            area->setActiveSubWindow(sub);
    }
}

} // namespace kesto
