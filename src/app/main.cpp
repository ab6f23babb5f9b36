#include "ui/platform/qtplatform.h"
#include "core/session/session.h"
#include "ui/shell/fonts.h"
#include "ui/shell/shell.h"
#include "ui/shell/startup.h"

#include <QApplication>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // Chromium refuses to start as root with its sandbox on; root has nothing to gain from
    // it here, so the embedded browser runs without it only in that case.
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    QApplication app(argc, argv);
    kesto::setApplicationIdentity();
    // The program ends only through EndProgram, never because a screen closed while the
    // next one was being opened.
    QApplication::setQuitOnLastWindowClosed(false);
    kesto::installFontSubstitutions();

    kesto::QtPlatform platform;
    kesto::Session session(platform);
    session.journal.setFolder(kesto::Journal::defaultFolder());
    kesto::Shell shell(session);
    kesto::RunStartup(shell);
    if (platform.hasEnded())
        return 0;
    return app.exec();
}
