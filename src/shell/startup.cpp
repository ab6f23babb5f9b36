#include "shell/startup.h"

#include "platform/platform.h"
#include "shell/shell.h"
#include "web/modhelp.h"

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
