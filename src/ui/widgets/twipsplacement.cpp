#include "ui/widgets/twipsplacement.h"

#include "core/platform/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kesto {

int px(const QWidget *reference, int twips) { return twipsToPixels(twips, reference->logicalDpiX()); }

void place(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(px(w, left), px(w, top), px(w, width), px(w, height));
}

void showCentred(QWidget *window, CentreFit fit)
{
    if (fit == CentreFit::ToContents) {
        window->ensurePolished();
        window->adjustSize();
    }
    if (QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    window->show();
}

} // namespace kesto
