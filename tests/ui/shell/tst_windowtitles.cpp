// The titles the window system is told, read back from the X server: a caption must reach
// the title bar exactly as the window carries it, with nothing appended by the toolkit.
#include "appfixture.h"

#include "core/platform/maker.h"
#include "core/platform/platform.h"
#include "ui/mainwindow/frmmdi.h"
#include "ui/platform/qtplatform.h"
#include "ui/shell/frmopen.h"
#include "ui/shell/startup.h"

#include <QApplication>
#include <QDialog>
#include <QProcess>
#include <QTimer>
#include <QtTest>

using namespace kesto;

namespace {

// The name the X server holds for the window (_NET_WM_NAME, else WM_NAME).
QString shownTitle(const QWidget *window)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), QString::number(window->winId())});
    if (!xdotool.waitForFinished(5000))
        return QStringLiteral("<xdotool did not answer>");
    return QString::fromUtf8(xdotool.readAllStandardOutput()).chopped(1);
}

// Runs `open`, which shows a modal window and waits for it; records the title the window
// system shows for that window, then closes it.
QString titleOfModal(const std::function<void()> &open)
{
    QString seen = QStringLiteral("<no modal window>");
    QTimer poll;
    int tries = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            QCoreApplication::processEvents();
            seen = shownTitle(modal);
            if (!seen.isEmpty() || ++tries > 20) {
                poll.stop();
                modal->close();
            }
        }
    });
    poll.start(100);
    open();
    return seen;
}

} // namespace

class tst_WindowTitles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void screensShowTheirCaptions();
    void messagesAndFileDialogShowTheirCaptions();
};

void tst_WindowTitles::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server (the test runs under xvfb-run)");
    setApplicationIdentity();
}

void tst_WindowTitles::screensShowTheirCaptions()
{
    test::AppFixture app;
    frmOpen mode(app.shell);
    mode.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mode));
    QTRY_COMPARE(shownTitle(&mode), maker::windowTitle());
    QCOMPARE(shownTitle(&mode), QStringLiteral("Kesto v1.55"));

    frmMDI *frame = app.shell.mainWindow();
    frame->showFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QTRY_COMPARE(shownTitle(frame), QStringLiteral("Kesto v1.55"));
}

void tst_WindowTitles::messagesAndFileDialogShowTheirCaptions()
{
    QtPlatform platform(QDir::tempPath() + QStringLiteral("/kesto-titles-test.lock"),
                        QStringLiteral("kesto-titles-test"));
    QCOMPARE(titleOfModal([&] {
                 static_cast<Platform &>(platform).message(QStringLiteral("Keyword not found"),
                                                           MessageIcon::Information);
             }),
             QStringLiteral("Kesto"));
    QCOMPARE(titleOfModal([&] { platform.chooseFileToOpen(QString(), QString()); }), QStringLiteral("Open"));
}

QTEST_MAIN(tst_WindowTitles)
#include "tst_windowtitles.moc"
