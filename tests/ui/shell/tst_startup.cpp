#include "appfixture.h"

#include "ui/platform/qtplatform.h"
#include "ui/shell/frmopen.h"
#include "ui/widgets/linklabel.h"
#include "ui/shell/startup.h"
#include "core/online/modhelp.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace kesto;
using kesto::test::FakePlatform;
using kesto::test::TestFolder;

namespace {

const QString kMissingContent = QStringLiteral("Cards or Spread Pictures are missing.\rPlease Reinstall Software.");
const QString kNoMode = QStringLiteral("Please select an Option between Tartot Reading and Tarot Dictionary");
const QString kNoDictionary = QStringLiteral("Files Needed To Run Kesto Is Missing\rPlease Reinstall Software.");

// One program start against a fake platform and a temporary program folder.
struct Start : kesto::test::AppFixture
{
    frmOpen *run()
    {
        RunStartup(shell);
        return shell.isEnding() ? nullptr : shell.modeScreen();
    }
};

// A radio button reacts to clicks on its indicator and text, not on the empty rest of its row.
void clickRadio(QRadioButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void secondInstanceEnds();
    void missingContentFolder_data();
    void missingContentFolder();
    void modeScreenTexts();
    void continueWithoutMode();
    void dictionaryMissingKeepsModeScreen();
    void dictionaryPresentLeavesModeScreen();
    void closeBoxEndsProgram();
    void linkLabelsOpenMakerPages();
    void reminderRunsBeforeModeScreen();
    void realLockRefusesSecondCopy();
    void realLockRecoversStaleLock();
};

void tst_Startup::secondInstanceEnds()
{
    Start s;
    s.platform.otherInstance = true;
    QVERIFY(!s.run());
    QCOMPARE(s.platform.messages.size(), 1);
    QCOMPARE(s.platform.messages[0].text, QStringLiteral("Application is already running"));
    QCOMPARE(s.platform.messages[0].icon, MessageIcon::Information);
    QCOMPARE(s.platform.endCount, 1);
    QVERIFY(s.platform.settings.isEmpty()); // the reminder did not run
}

void tst_Startup::missingContentFolder_data()
{
    QTest::addColumn<QString>("missing");
    QTest::newRow("cards") << QStringLiteral("cards");
    QTest::newRow("pic") << QStringLiteral("pic");
}

void tst_Startup::missingContentFolder()
{
    QFETCH(QString, missing);
    Start s;
    s.folder.removeFolder(missing);
    QVERIFY(!s.run());
    QCOMPARE(s.platform.messages.size(), 1);
    QCOMPARE(s.platform.messages[0].text, kMissingContent);
    QCOMPARE(s.platform.messages[0].icon, MessageIcon::Information);
    QCOMPARE(s.platform.endCount, 1);
}

void tst_Startup::modeScreenTexts()
{
    Start s;
    frmOpen *screen = s.run();
    QVERIFY(screen && screen->isVisible());
    QCOMPARE(screen->windowTitle(), QStringLiteral("Kesto v1.55"));
    QCOMPARE(screen->findChild<QRadioButton *>(QStringLiteral("optReading"))->text(), QStringLiteral("Tarot Reading"));
    QCOMPARE(screen->findChild<QRadioButton *>(QStringLiteral("optDictionary"))->text(),
             QStringLiteral("Tarot Dictionary"));
    QCOMPARE(screen->findChild<QPushButton *>(QStringLiteral("cmdContd"))->text(), QStringLiteral("Continue...."));
    QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("lblHeading"))->text(), QStringLiteral("Make a Choice"));
    QVERIFY(screen->findChild<LinkLabel *>(QStringLiteral("Label61")));
    QVERIFY(screen->findChild<LinkLabel *>(QStringLiteral("Label7")));
    QVERIFY(s.platform.messages.isEmpty());
}

void tst_Startup::continueWithoutMode()
{
    Start s;
    QPointer<frmOpen> screen = s.run();
    QTest::mouseClick(screen->findChild<QPushButton *>(QStringLiteral("cmdContd")), Qt::LeftButton);
    QCOMPARE(s.platform.messages.size(), 1);
    QCOMPARE(s.platform.messages[0].text, kNoMode);
    QCOMPARE(s.platform.messages[0].icon, MessageIcon::Information);
    QVERIFY(screen && screen->isVisible());
    QVERIFY(!screen->optReading->isChecked() && !screen->optDictionary->isChecked());
    QCOMPARE(s.platform.endCount, 0);
}

void tst_Startup::dictionaryMissingKeepsModeScreen()
{
    Start s;
    QPointer<frmOpen> screen = s.run();
    clickRadio(screen->optDictionary);
    QTest::mouseClick(screen->cmdContd, Qt::LeftButton);
    QCOMPARE(s.platform.messages.size(), 1);
    QCOMPARE(s.platform.messages[0].text, kNoDictionary);
    QCOMPARE(s.platform.messages[0].icon, MessageIcon::Error);
    QCOMPARE(s.session.reading.readingMode, FlagFalse);
    QVERIFY(screen && screen->isVisible());

    // Tarot Reading is still possible afterwards.
    clickRadio(screen->optReading);
    QTest::mouseClick(screen->cmdContd, Qt::LeftButton);
    QCOMPARE(s.session.reading.readingMode, FlagTrue);
    QTRY_VERIFY(!screen);
    QCOMPARE(s.platform.endCount, 0);
    QCOMPARE(s.platform.messages.size(), 1);
}

void tst_Startup::dictionaryPresentLeavesModeScreen()
{
    Start s;
    s.folder.writeFile(QStringLiteral("tarot.dll"), QByteArray());
    QPointer<frmOpen> screen = s.run();
    clickRadio(screen->optDictionary);
    QTest::mouseClick(screen->cmdContd, Qt::LeftButton);
    QVERIFY(s.platform.messages.isEmpty());
    QTRY_VERIFY(!screen);
    QCOMPARE(s.platform.endCount, 0);
}

void tst_Startup::closeBoxEndsProgram()
{
    Start s;
    QPointer<frmOpen> screen = s.run();
    screen->close();
    QCOMPARE(s.platform.endCount, 1);
}

void tst_Startup::linkLabelsOpenMakerPages()
{
    Start s;
    frmOpen *screen = s.run();
    QTest::mouseClick(screen->Label61, Qt::LeftButton);
    QTest::mouseClick(screen->Label7, Qt::LeftButton);
    QCOMPARE(s.platform.openedAddresses.size(), 2);
    QVERIFY(s.platform.openedAddresses[0].endsWith(QStringLiteral("/Kesto/ssd.php?page=home-page")));
    QVERIFY(s.platform.openedAddresses[1].endsWith(QStringLiteral("/Kesto/ssd.php?page=fully-branded")));
}

void tst_Startup::reminderRunsBeforeModeScreen()
{
    Start s;
    // A last check long ago makes the reminder ask; at that moment no screen may be up yet.
    s.platform.settings.insert(QStringLiteral("Settings/") + EncodeSetting(QStringLiteral("Duration")),
                               EncodeSetting(FormatReminderDate(QDate(2020, 1, 1))));
    bool screenUpDuringQuestion = true;
    s.platform.onMessage = [&](const FakePlatform::Message &) {
        screenUpDuringQuestion = !QApplication::topLevelWidgets().isEmpty()
            && std::any_of(QApplication::topLevelWidgets().cbegin(), QApplication::topLevelWidgets().cend(),
                           [](QWidget *w) { return w->isVisible(); });
    };
    QVERIFY(s.run());
    QCOMPARE(s.platform.messages.size(), 1);
    QVERIFY(!screenUpDuringQuestion);
}

void tst_Startup::realLockRefusesSecondCopy()
{
    QTemporaryDir dir;
    const QString lock = dir.filePath(QStringLiteral("kesto.lock"));
    QtPlatform first(lock, QStringLiteral("kesto-test"));
    QVERIFY(!first.anotherInstanceRunning());
    QtPlatform second(lock, QStringLiteral("kesto-test"));
    QVERIFY(second.anotherInstanceRunning());
    first.endProcess(); // releases the lock
    QtPlatform third(lock, QStringLiteral("kesto-test"));
    QVERIFY(!third.anotherInstanceRunning());
}

void tst_Startup::realLockRecoversStaleLock()
{
    // A copy that crashed leaves its lock file behind; its process id no longer runs.
    QTemporaryDir dir;
    const QString lock = dir.filePath(QStringLiteral("kesto.lock"));
    const QByteArray deadPid = "4194303"; // above any process id this machine hands out
    QFile f(lock);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(deadPid + "\nkesto\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    f.close();
    QtPlatform platform(lock, QStringLiteral("kesto-test"));
    QVERIFY(!platform.anotherInstanceRunning());
}

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
