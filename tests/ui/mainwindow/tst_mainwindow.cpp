// The main window: its panels in both arrangements, the layout rule, its load, how it comes
// on screen, Start Again and Exit, and its page links.
#include "ui/mainwindow/frmmdi.h"
#include "findchild.h"
#include "appfixture.h"
#include "core/platform/twips.h"
#include "core/reading/richtext.h"
#include "ui/shell/frmopen.h"
#include "ui/widgets/linklabel.h"
#include "core/online/modhelp.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>

#include <memory>

using namespace kesto;
using namespace kesto::test;

namespace {

struct Fixture : AppFixture
{
    // The frame as the dictionary or the reading brings it on screen.
    frmMDI *shownFrame(bool dictionary)
    {
        frmMDI *frame = shell.mainWindow();
        if (dictionary)
            frame->applyDictionaryArrangement();
        else
            frame->applyReadingArrangement();
        frame->showFrame();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(frame)); }();
        return frame;
    }
};

int twipsOf(int pixels) { return pixelsToTwips(pixels); }

// Compares a length in twips, allowing for the rounding of one pixel.
#define COMPARE_TWIPS(actualPixels, expectedTwips)                \
    QVERIFY2(qAbs(twipsOf(actualPixels) - (expectedTwips)) <= 15, \
             qPrintable(QStringLiteral("%1 twips, expected %2").arg(twipsOf(actualPixels)).arg(expectedTwips)))

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { f = std::make_unique<Fixture>(); }
    void cleanup()
    {
        f.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void loadCopiesQuerent();
    void designTexts();
    void arrangements_data();
    void arrangements();
    void layoutRule_data();
    void layoutRule();
    void comesOnScreenWithFirstChild();
    void dictionaryFromModeScreen();
    void startAgainReturnsToModeScreen_data();
    void startAgainReturnsToModeScreen();
    void exitEndsProgram_data();
    void exitEndsProgram();
    void pageLinks_data();
    void pageLinks();

private:
    std::unique_ptr<Fixture> f;
};

void TestMainWindow::loadCopiesQuerent()
{
    CurrentReading &r = f->session.reading;
    r.strName = QStringLiteral("Ann");
    r.strDOB = QString();
    r.strCountry = QStringLiteral("Peru");
    r.strQ = QStringLiteral("Where?\nAnd when?");
    f->platform.online = true;

    frmMDI *frame = f->shell.mainWindow();
    QVERIFY(!frame->isVisible());
    QCOMPARE(frame->findChild<QLineEdit *>(QStringLiteral("txtName"))->text(), QStringLiteral("Ann"));
    QCOMPARE(frame->findChild<QLineEdit *>(QStringLiteral("txtDOB"))->text(), QString());
    QCOMPARE(frame->findChild<QLineEdit *>(QStringLiteral("txtCountry"))->text(), QStringLiteral("Peru"));
    QCOMPARE(frame->findChild<QPlainTextEdit *>(QStringLiteral("txtQ"))->toPlainText(),
             QStringLiteral("Where?\nAnd when?"));
    QVERIFY(frame->findChild<QLineEdit *>(QStringLiteral("txtName"))->isReadOnly());
    QVERIFY(frame->findChild<QPlainTextEdit *>(QStringLiteral("txtQ"))->isReadOnly());
    QCOMPARE(f->session.internetConnected, 1);
    COMPARE_TWIPS(child<QTreeWidget>(frame, "lstKeys")->columnWidth(0),
                  twipsOf(child<QTreeWidget>(frame, "lstKeys")->width()) - 200);
    QVERIFY(!child<QAction>(frame, "mnuUpdateKey")->isEnabled());
    QVERIFY(child<QRadioButton>(frame, "optExact")->isChecked());

    // The reading display starts with its placeholder paragraph; the report writes through
    // its rich-text operations.
    QCOMPARE(frame->findChild<QTextEdit *>(QStringLiteral("rtbDisp1"))->toPlainText(), QStringLiteral("RichTextBox1"));
    QCOMPARE(frame->readingDisplay().text(), QStringLiteral("RichTextBox1"));
    QCOMPARE(frame->findChild<QTextEdit *>(QStringLiteral("rtbDisp1"))->document()->defaultFont().pointSizeF(), 8.5);
    QCOMPARE(frame->findChild<QTextEdit *>(QStringLiteral("rtbDisp1"))->document()->defaultFont().family(),
             QStringLiteral("Verdana"));

    // The same accessor hands back the same window until it is closed.
    QCOMPARE(f->shell.mainWindow(), frame);
}

void TestMainWindow::designTexts()
{
    frmMDI *frame = f->shell.mainWindow();
    QCOMPARE(frame->windowTitle(), QStringLiteral("Kesto v1.55"));

    // The menu bar as it shows before a mode is entered: the View menu of a reading follows
    // the other menus and shows in the reading arrangement only.
    QStringList menuBar;
    for (QAction *a : frame->menuBar()->actions()) {
        if (a->isVisible())
            menuBar.append(a->text());
    }
    // The window's own menus in their order, then the reading journal's menu after them.
    QCOMPARE(menuBar,
             (QStringList{QStringLiteral("&File"), QStringLiteral("&Help"), QStringLiteral("&Donate"),
                          QStringLiteral("Make Money &Online"), QStringLiteral("&Journal")}));
    auto entries = [](QMenu *menu) {
        QStringList texts;
        for (QAction *a : menu->actions())
            texts.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        return texts;
    };
    QCOMPARE(entries(child<QMenu>(frame, "mnuFile")),
             (QStringList{QStringLiteral("&Update"), QStringLiteral("-"), QStringLiteral("&Start Again"),
                          QStringLiteral("-"), QStringLiteral("E&xit")}));
    QCOMPARE(entries(child<QMenu>(frame, "mnuHelp")),
             (QStringList{QStringLiteral("&Online Help"), QStringLiteral("&Visit Us Online"), QStringLiteral("-"),
                          QStringLiteral("Check for Software &Update"), QStringLiteral("-"),
                          QStringLiteral("&About Software")}));

    QStringList toolbar;
    for (QAction *a : child<QToolBar>(frame, "TB")->actions())
        toolbar.append(a->text());
    QCOMPARE(toolbar,
             (QStringList{QStringLiteral("Back"), QStringLiteral("Forward"), QStringLiteral("Stop"),
                          QStringLiteral("Refresh"), QStringLiteral("Home"), QStringLiteral("Search")}));
    for (QAction *a : child<QToolBar>(frame, "TB")->actions())
        QVERIFY2(!a->icon().isNull(), qPrintable(a->text()));

    QCOMPARE(child<QTreeWidget>(frame, "lstKeys")->headerItem()->text(0), QStringLiteral("Keywords"));
    QCOMPARE(child<QTreeWidget>(frame, "lstKeys")->columnCount(), 1);
    QVERIFY(child<LinkLabel>(frame, "lblCobrand")
                ->text()
                .endsWith(QStringLiteral("Click Here for more info on co-branding.")));
    QVERIFY(child<LinkLabel>(frame, "lblFullBrand")->text().startsWith(QStringLiteral("Home Business Opportunity.")));
    QVERIFY(child<LinkLabel>(frame, "lblFullBrand")->text().endsWith(QStringLiteral("Click here for more details.")));
}

void TestMainWindow::arrangements_data()
{
    QTest::addColumn<bool>("dictionary");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("hidden");

    QTest::newRow("reading") << false
                             << QStringList{QStringLiteral("picTop"), QStringLiteral("picRight"),
                                            QStringLiteral("picBottom")}
                             << QStringList{QStringLiteral("TB"), QStringLiteral("picTop2"), QStringLiteral("picLeft")};
    QTest::newRow("dictionary") << true
                                << QStringList{QStringLiteral("TB"), QStringLiteral("picTop2"),
                                               QStringLiteral("picLeft"), QStringLiteral("picBottom")}
                                << QStringList{QStringLiteral("picTop"), QStringLiteral("picRight")};
}

void TestMainWindow::arrangements()
{
    QFETCH(bool, dictionary);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, hidden);

    f->platform.online = true;
    f->session.internetConnected = 0;
    frmMDI *frame = f->shell.mainWindow();
    f->session.internetConnected = 0; // the load tested; the arrangement must test again
    frame = f->shownFrame(dictionary);

    for (const QString &name : shown)
        QVERIFY2(frame->findChild<QWidget *>(name)->isVisible(), qPrintable(name));
    for (const QString &name : hidden)
        QVERIFY2(!frame->findChild<QWidget *>(name)->isVisible(), qPrintable(name));
    QCOMPARE(child<QAction>(frame, "mnuUpdateKey")->isEnabled(), dictionary);
    QCOMPARE(f->session.internetConnected, dictionary ? 1 : 0);

    // Docking: tops stack in order, the bottom panel spans the frame, hidden panels leave
    // their room to the client area.
    const QRect client = child<QMdiArea>(frame, "mdiArea")->geometry();
    const QRect bottom = child<QWidget>(frame, "picBottom")->geometry();
    QCOMPARE(bottom.width(), frame->centralWidget()->width());
    COMPARE_TWIPS(bottom.height(), 660);
    QCOMPARE(client.bottom() + 1, bottom.top());
    if (dictionary) {
        COMPARE_TWIPS(child<QToolBar>(frame, "TB")->height(), 540);
        QCOMPARE(child<QWidget>(frame, "picTop2")->y(), child<QToolBar>(frame, "TB")->geometry().bottom() + 1);
        COMPARE_TWIPS(child<QWidget>(frame, "picTop2")->height(), 645);
        QCOMPARE(client.top(), child<QWidget>(frame, "picTop2")->geometry().bottom() + 1);
        COMPARE_TWIPS(child<QWidget>(frame, "picLeft")->width(), 2925);
        // The keyword panel runs down beside the client area.
        QCOMPARE(child<QWidget>(frame, "picLeft")->y(), client.top());
        QCOMPARE(child<QWidget>(frame, "picLeft")->height(), client.height());
        QVERIFY(child<QWidget>(frame, "picLeft")->rect().contains(child<QPushButton>(frame, "cmdDisplay")->geometry()));
        QCOMPARE(client.left(), child<QWidget>(frame, "picLeft")->width());
        QCOMPARE(client.right() + 1, frame->centralWidget()->width());
    } else {
        COMPARE_TWIPS(child<QWidget>(frame, "picTop")->height(), 915);
        QCOMPARE(child<QWidget>(frame, "picTop")->y(), 0);
        QCOMPARE(client.top(), child<QWidget>(frame, "picTop")->height());
        QCOMPARE(client.left(), 0);
        COMPARE_TWIPS(child<QWidget>(frame, "picRight")->width(), 3735);
        QCOMPARE(client.right() + 1, child<QWidget>(frame, "picRight")->x());
        QVERIFY(frame->findChild<QTextEdit *>(QStringLiteral("rtbDisp1"))->isVisible());
    }
    // The right-aligned buttons are within the bottom panel in either arrangement.
    QVERIFY(child<QWidget>(frame, "picBottom")->rect().contains(child<QPushButton>(frame, "cmdRestart")->geometry()));
    QVERIFY(child<QWidget>(frame, "picBottom")->rect().contains(child<QPushButton>(frame, "cmdExit")->geometry()));
}

void TestMainWindow::layoutRule_data()
{
    QTest::addColumn<bool>("dictionary");
    QTest::addColumn<QSize>("frameTwips");

    QTest::newRow("design size, dictionary") << true << QSize(frmMDI::kDesignWidth, frmMDI::kDesignHeight);
    QTest::newRow("design size, reading") << false << QSize(frmMDI::kDesignWidth, frmMDI::kDesignHeight);
    QTest::newRow("tall and wide") << true << QSize(18000, 13500);
    // Frame height below 5000: the list height would be negative; that step is skipped.
    QTest::newRow("very small, dictionary") << true << QSize(9000, 4200);
    QTest::newRow("very small, reading") << false << QSize(9000, 4200);
}

void TestMainWindow::layoutRule()
{
    QFETCH(bool, dictionary);
    QFETCH(QSize, frameTwips);

    frmMDI *frame = f->shownFrame(dictionary);
    const int listHeightBefore = child<QTreeWidget>(frame, "lstKeys")->height();
    frame->resize(twipsToPixels(frameTwips.width()), twipsToPixels(frameTwips.height()));
    QTRY_COMPARE(frame->size(), QSize(twipsToPixels(frameTwips.width()), twipsToPixels(frameTwips.height())));

    const int frameWidth = twipsOf(frame->width());
    const int frameHeight = twipsOf(frame->height());
    if (frameHeight - 5000 < 0)
        QCOMPARE(child<QTreeWidget>(frame, "lstKeys")->height(), listHeightBefore);
    else
        COMPARE_TWIPS(child<QTreeWidget>(frame, "lstKeys")->height(), frameHeight - 5000);
    QVERIFY(child<QTreeWidget>(frame, "lstKeys")->y() > child<QPushButton>(frame, "cmdSearch")->geometry().bottom());
    QCOMPARE(child<QPushButton>(frame, "cmdDisplay")->y(),
             child<QTreeWidget>(frame, "lstKeys")->geometry().bottom() + 1);
    COMPARE_TWIPS(child<QPushButton>(frame, "cmdDisplay")->height(), 500);
    for (QWidget *w : {static_cast<QWidget *>(child<QLineEdit>(frame, "txtKey")),
                       static_cast<QWidget *>(child<QTreeWidget>(frame, "lstKeys")),
                       static_cast<QWidget *>(child<QPushButton>(frame, "cmdSearch")),
                       static_cast<QWidget *>(child<QPushButton>(frame, "cmdDisplay"))})
        QCOMPARE(w->x(), child<QWidget>(frame, "picLeft")->x());
    COMPARE_TWIPS(child<QLineEdit>(frame, "txtKey")->width(), twipsOf(child<QWidget>(frame, "picLeft")->width()) - 75);
    COMPARE_TWIPS(child<QTreeWidget>(frame, "lstKeys")->width(),
                  twipsOf(child<QWidget>(frame, "picLeft")->width()) - 50);
    COMPARE_TWIPS(child<QPushButton>(frame, "cmdDisplay")->width(),
                  twipsOf(child<QWidget>(frame, "picLeft")->width()) - 50);
    COMPARE_TWIPS(frame->findChild<QTextEdit *>(QStringLiteral("rtbDisp1"))->height(), 8875);
    if (dictionary && frameHeight >= frmMDI::kDesignHeight)
        QVERIFY(child<QWidget>(frame, "picLeft")->rect().contains(child<QPushButton>(frame, "cmdDisplay")->geometry()));

    const int restartLeft = frameWidth - twipsOf(child<QPushButton>(frame, "cmdRestart")->width()) - 300;
    COMPARE_TWIPS(child<QPushButton>(frame, "cmdRestart")->x(), restartLeft);
    const int donateLeft = restartLeft - twipsOf(child<QPushButton>(frame, "cmdDonate")->width()) - 100;
    COMPARE_TWIPS(child<QPushButton>(frame, "cmdDonate")->x(), donateLeft);
    COMPARE_TWIPS(child<QPushButton>(frame, "cmdExit")->x(),
                  donateLeft - twipsOf(child<QPushButton>(frame, "cmdExit")->width()) - 100);
}

void TestMainWindow::comesOnScreenWithFirstChild()
{
    frmMDI *frame = f->shell.mainWindow();
    frame->applyReadingArrangement();
    QVERIFY(!frame->isVisible());

    auto *content = new QWidget;
    content->setWindowTitle(QStringLiteral("child"));
    QMdiSubWindow *sub = child<QMdiArea>(frame, "mdiArea")->addSubWindow(content);
    QVERIFY(!frame->isVisible()); // added, not yet shown
    sub->show();
    QVERIFY(frame->isVisible());
    QVERIFY(sub->isVisible());

    // Closing the frame closes its children too.
    QPointer<QMdiSubWindow> guard(sub);
    frame->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!guard || !guard->isVisible());
}

void TestMainWindow::dictionaryFromModeScreen()
{
    f->folder.writeFile(QStringLiteral("tarot.dll"), QByteArray("dictionary"));
    f->platform.online = true;
    f->shell.showModeScreen();
    QPointer<frmOpen> open = f->shell.modeScreen();
    QTest::mouseClick(open->optDictionary, Qt::LeftButton, {}, QPoint(6, open->optDictionary->height() / 2));
    QTest::mouseClick(open->cmdContd, Qt::LeftButton);

    QVERIFY(!open || !open->isVisible());
    QCOMPARE(f->platform.endCount, 0);
    QCOMPARE(f->session.reading.readingMode, FlagFalse);
    frmMDI *frame = f->shell.existingMainWindow();
    QVERIFY(frame);
    QVERIFY(frame->isVisible());
    QVERIFY(child<QWidget>(frame, "picLeft")->isVisible());
    QVERIFY(child<QToolBar>(frame, "TB")->isVisible());
    QVERIFY(!child<QWidget>(frame, "picTop")->isVisible());
    QVERIFY(!child<QWidget>(frame, "picRight")->isVisible());
    QVERIFY(child<QAction>(frame, "mnuUpdateKey")->isEnabled());
    QCOMPARE(f->session.internetConnected, 1);
    // No reading was made in this run: the hidden querent fields are empty.
    QCOMPARE(frame->findChild<QLineEdit *>(QStringLiteral("txtName"))->text(), QString());
}

void TestMainWindow::startAgainReturnsToModeScreen_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("start again button") << QStringLiteral("cmdRestart");
    QTest::newRow("file start again") << QStringLiteral("mnuStart");
}

void TestMainWindow::startAgainReturnsToModeScreen()
{
    QFETCH(QString, how);
    f->session.reading.strName = QStringLiteral("Ann");
    QPointer<frmMDI> frame = f->shownFrame(false);
    if (auto *button = frame->findChild<QPushButton *>(how))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        frame->findChild<QAction *>(how)->trigger();

    QCOMPARE(f->platform.endCount, 0);
    QVERIFY(!frame || !frame->isVisible());
    QVERIFY(f->shell.modeScreen()->isVisible());
    QVERIFY(!f->shell.existingMainWindow());

    // The next use creates a fresh window that reads the querent again.
    f->session.reading.strName = QStringLiteral("Bob");
    frmMDI *fresh = f->shell.mainWindow();
    QVERIFY(fresh != frame.data());
    QCOMPARE(fresh->findChild<QLineEdit *>(QStringLiteral("txtName"))->text(), QStringLiteral("Bob"));
}

void TestMainWindow::exitEndsProgram_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("exit button") << QStringLiteral("cmdExit");
    QTest::newRow("file exit") << QStringLiteral("mnuExit");
    QTest::newRow("close box") << QString();
}

void TestMainWindow::exitEndsProgram()
{
    QFETCH(QString, how);
    frmMDI *frame = f->shownFrame(true);
    if (how.isEmpty())
        frame->close();
    else if (auto *button = frame->findChild<QPushButton *>(how))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        frame->findChild<QAction *>(how)->trigger();
    QCOMPARE(f->platform.endCount, 1);
    QVERIFY(!frame->isVisible());
}

void TestMainWindow::pageLinks_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("pageKey");

    QTest::newRow("donate button") << QStringLiteral("cmdDonate") << QString::fromUtf16(page::donate);
    QTest::newRow("notice donate button") << QStringLiteral("cmdDonate1") << QString::fromUtf16(page::donate);
    QTest::newRow("co-branding label") << QStringLiteral("lblCobrand") << QString::fromUtf16(page::coBrand);
    QTest::newRow("business label") << QStringLiteral("lblFullBrand") << QString::fromUtf16(page::fullyBranded);
    QTest::newRow("online help") << QStringLiteral("mnuOnline") << QString::fromUtf16(page::help);
    QTest::newRow("visit us") << QStringLiteral("mnuVisit") << QString::fromUtf16(page::home);
    QTest::newRow("software update") << QStringLiteral("mnuUpdate") << QString::fromUtf16(page::download);
    QTest::newRow("donate menu") << QStringLiteral("mnuDonate") << QString::fromUtf16(page::donate);
    QTest::newRow("make money") << QStringLiteral("mnuMakeMoney") << QString::fromUtf16(page::fullyBranded);
}

void TestMainWindow::pageLinks()
{
    QFETCH(QString, control);
    QFETCH(QString, pageKey);
    frmMDI *frame = f->shownFrame(true);
    if (auto *button = frame->findChild<QPushButton *>(control))
        QTest::mouseClick(button, Qt::LeftButton);
    else if (auto *label = frame->findChild<QLabel *>(control))
        QTest::mouseClick(label, Qt::LeftButton);
    else
        frame->findChild<QAction *>(control)->trigger();
    QCOMPARE(f->platform.openedAddresses, QStringList{MakerPageAddress(pageKey)});
    QVERIFY(frame->isVisible());
    QCOMPARE(f->platform.endCount, 0);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
