#include "ui/widgets/screenwindow.h"

#include "core/platform/maker.h"
#include "ui/widgets/twipsplacement.h"

#include <QMainWindow>

namespace kesto {

QWidget *dressScreenWindow(QMainWindow *window, const QString &name, const QString &clientName, int clientWidthTwips,
                           int clientHeightTwips)
{
    window->setObjectName(name);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(maker::windowTitle());
    window->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    window->setContextMenuPolicy(Qt::NoContextMenu);
    window->setFont(QFont(QStringLiteral("Verdana"), 8));

    auto *client = new QWidget(window);
    client->setObjectName(clientName);
    client->setFixedSize(px(window, clientWidthTwips), px(window, clientHeightTwips));
    window->setCentralWidget(client);
    return client;
}

} // namespace kesto
