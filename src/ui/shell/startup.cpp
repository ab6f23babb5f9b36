#include "ui/shell/startup.h"

#include "core/platform/platform.h"
#include "ui/shell/shell.h"
#include "core/online/modhelp.h"
#include "core/platform/maker.h"

#include <QGuiApplication>

namespace kesto {

void setApplicationIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("kesto"));
    QCoreApplication::setApplicationVersion(maker::version());
    // Lets desktops match the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kesto.Kesto"));
}

void RunStartup(Shell &shell)
{
    Platform &platform = shell.platform();
    if (platform.anotherInstanceRunning()) {
        platform.message(QStringLiteral("Application is already running"), MessageIcon::Information);
        shell.EndProgram();
        return;
    }
    CheckUpdateReminder(platform);
    shell.showModeScreen();
}

} // namespace kesto
