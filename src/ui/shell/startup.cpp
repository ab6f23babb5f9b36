#include "ui/shell/startup.h"

#include "core/platform/platform.h"
#include "ui/shell/shell.h"
#include "core/online/modhelp.h"

namespace kesto {

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
