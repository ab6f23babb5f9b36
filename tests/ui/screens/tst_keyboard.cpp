// The program by keyboard alone: a whole automatic reading and a whole manual pick, from the
// mode screen to the report, driven by key events sent where the focus is; the card table's
// focus and Tab order; the spread screen's command keys.
#include "readingwalk.h"
#include "ui/widgets/linklabel.h"
#include "findchild.h"

#include "ui/mainwindow/frmmdi.h"
#include "ui/screens/cardcloseup.h"
#include "ui/screens/frmauto.h"
#include "ui/screens/frmmanual.h"

#include <QApplication>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace kesto;
using namespace kesto::test;

namespace {

// The widget a key goes to: the focus widget of the active window.
QWidget *keyTarget()
{
    if (QWidget *focus = QApplication::focusWidget())
        return focus;
    return QApplication::activeWindow();
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *target = keyTarget();
    QVERIFY2(target, "no window has the focus");
    QTest::keyClick(target, key, modifiers);
}

void type(const QString &text)
{
    QWidget *target = keyTarget();
    QVERIFY(target);
    QTest::keyClicks(target, text);
}

// Waits until the window is the application's active window, where keys go.
bool waitActive(QWidget *window)
{
    return window && QTest::qWaitFor([window] { return QApplication::activeWindow() == window->window(); });
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

    std::unique_ptr<ReadingWalk> w;

    // Mode screen to the spread screen by keys: Space takes Tarot Reading, Enter presses
    // Continue, the name is typed, Alt+N presses Next.
    frmTarot *keysToSpreadScreen()
    {
        w->shell.showModeScreen();
        frmOpen *open = w->shell.modeScreen();
        if (!waitActive(open))
            return nullptr;
        open->optReading->setFocus();
        press(Qt::Key_Space);
        press(Qt::Key_Return);
        frmFront *front = w->shell.querentScreen();
        if (!front || !waitActive(front))
            return nullptr;
        type(QStringLiteral("Ann"));
        press(Qt::Key_N, Qt::AltModifier);
        if (!QTest::qWaitFor([&] { return w->shell.spreadScreen() && w->shell.spreadScreen()->isVisible(); }))
            return nullptr;
        frmTarot *tarot = w->shell.spreadScreen();
        return waitActive(tarot) ? tarot : nullptr;
    }

    // Tab until the focus is on a widget matching the test; false after a full round.
    static bool tabTo(const std::function<bool(QWidget *)> &test, int limit = 60)
    {
        for (int i = 0; i < limit; ++i) {
            if (QWidget *focus = QApplication::focusWidget(); focus && test(focus))
                return true;
            QTest::keyClick(keyTarget(), Qt::Key_Tab);
        }
        return false;
    }

private Q_SLOTS:
    void init() { w = std::make_unique<ReadingWalk>(); }
    void cleanup() { w.reset(); }

    void automaticReadingByKeys();
    void manualPickByKeys();
    void linksByKeys();
};

void TestKeyboard::automaticReadingByKeys()
{
    QPointer<frmTarot> tarot = keysToSpreadScreen();
    QVERIFY(tarot);
    // The spread list has the focus: three rows down is Three Cards; Tab to the reversed-cards
    // box and Space clears it; Ctrl+Return presses AutoCast.
    QCOMPARE(QApplication::focusWidget(), tarot->lstOption);
    for (int i = 0; i < 3; ++i)
        press(Qt::Key_Down);
    QCOMPARE(w->session.reading.spreadListIndex, 3);
    QVERIFY(tabTo([&](QWidget *widget) { return widget == tarot->chkRev; }));
    press(Qt::Key_Space);
    QVERIFY(!tarot->chkRev->isChecked());
    for (int card : {5, 6, 7})
        w->platform.queueFractions({fractionFor(card, subsetOf(Deck::Whole))});
    QVERIFY(tarot->cmdAuto->toolTip().contains(QStringLiteral("Ctrl+Return")));
    press(Qt::Key_Return, Qt::ControlModifier);

    frmAuto *table = w->shell.existingCardTable();
    QVERIFY(table);
    QCOMPARE(*w->session.reading.drawnCards, (QList<int>{5, 6, 7, 0}));
    frmMDI *frame = w->shell.existingMainWindow();
    QVERIFY(waitActive(frame));

    // Tab reaches the cards; arrows move among them; Enter opens the close-up, Esc closes it.
    QVERIFY(tabTo([&](QWidget *widget) { return widget == table->p[0]; }));
    press(Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), table->p[1]);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), table->p[2]);
    press(Qt::Key_Left);
    QCOMPARE(QApplication::focusWidget(), table->p[1]);
    press(Qt::Key_Return);
    QPointer<CardCloseUp> closeUp = table->closeUp();
    QVERIFY(closeUp);
    QCOMPARE(closeUp->index(), 1);
    QVERIFY(waitActive(closeUp));
    press(Qt::Key_Escape);
    QTRY_VERIFY(!closeUp);
    // The focus is back on the card the close-up showed.
    QVERIFY(waitActive(frame));
    QTRY_COMPARE(QApplication::focusWidget(), table->p[1]);

    // Tab leaves the card table at once and comes round to it again: it never traps.
    table->p[1]->setFocus();
    press(Qt::Key_Tab);
    QVERIFY(!table->isAncestorOf(QApplication::focusWidget()));
    QVERIFY(tabTo([&](QWidget *widget) { return widget == child<QPushButton>(frame, "cmdRestart"); }));
    press(Qt::Key_Tab, Qt::ShiftModifier);
    QVERIFY(QApplication::focusWidget() != child<QPushButton>(frame, "cmdRestart"));
    QVERIFY(tabTo([&](QWidget *widget) { return table->isAncestorOf(widget); }));

    // F6 moves between the client area's window and the panels, either way.
    table->p[2]->setFocus();
    press(Qt::Key_F6);
    QVERIFY(!child<QMdiArea>(frame, "mdiArea")->isAncestorOf(QApplication::focusWidget()));
    press(Qt::Key_F6);
    QVERIFY(table->isAncestorOf(QApplication::focusWidget()));

    // Start Again by Space on its button: the mode screen comes back.
    QVERIFY(tabTo([&](QWidget *widget) { return widget == child<QPushButton>(frame, "cmdRestart"); }));
    press(Qt::Key_Space);
    QTRY_VERIFY(w->shell.modeScreen() && w->shell.modeScreen()->isVisible());
    QCOMPARE(w->platform.endCount, 0);
}

void TestKeyboard::manualPickByKeys()
{
    QPointer<frmTarot> tarot = keysToSpreadScreen();
    QVERIFY(tarot);
    press(Qt::Key_Down); // One Card, then Two Cards: a two-card pick
    press(Qt::Key_Down);
    QCOMPARE(w->session.reading.spreadListIndex, 2);
    QVERIFY(tarot->cmdManual->toolTip().contains(QStringLiteral("Ctrl+M")));
    press(Qt::Key_M, Qt::ControlModifier);
    QPointer<frmManual> manual = w->shell.existingManualPickScreen();
    QVERIFY(manual);
    QVERIFY(waitActive(manual));

    // The first face-down card has the focus; arrows move along the rows and columns.
    QCOMPARE(QApplication::focusWidget(), manual->p[0]);
    press(Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), manual->p[13]);
    press(Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), manual->p[14]);
    press(Qt::Key_Left);
    press(Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), manual->p[0]);
    // Tab leaves the face-down table for the screen's other controls, and comes back.
    press(Qt::Key_Tab);
    QVERIFY(!manual->fraPictures->isAncestorOf(QApplication::focusWidget()));
    QVERIFY(tabTo([&](QWidget *widget) { return manual->fraPictures->isAncestorOf(widget); }));
    manual->p[0]->setFocus();

    // Space picks the focused card; the focus moves on to the next one still lying there,
    // and Enter picks that one, the last: the reading is cast.
    w->platform.queueFractions({fractionFor(30, subsetOf(Deck::Whole)), 0.2f});
    w->platform.queueFractions({fractionFor(31, subsetOf(Deck::Whole)), 0.2f});
    press(Qt::Key_Space);
    QVERIFY(manual->p[0]->isHidden());
    QCOMPARE(manual->pickCount, qint16(1));
    QCOMPARE(QApplication::focusWidget(), manual->p[1]);
    press(Qt::Key_Left); // the picked card is skipped: nothing lies to the left
    QCOMPARE(QApplication::focusWidget(), manual->p[1]);
    press(Qt::Key_Return);
    QTRY_VERIFY(!manual);

    QCOMPARE(*w->session.reading.drawnCards, (QList<int>{30, 31}));
    QVERIFY(w->report().contains(CardTitle(30, false)));
    frmAuto *table = w->shell.existingCardTable();
    QVERIFY(table && table->p[1]->isVisible());
}

void TestKeyboard::linksByKeys()
{
    // The mode screen's links are stops of the Tab order, after Continue; Enter follows one.
    w->shell.showModeScreen();
    frmOpen *open = w->shell.modeScreen();
    QVERIFY(waitActive(open));
    open->cmdContd->setFocus();
    press(Qt::Key_Tab);
    auto *link = qobject_cast<LinkLabel *>(QApplication::focusWidget());
    QVERIFY(link);
    QVERIFY(w->platform.openedAddresses.isEmpty());
    press(Qt::Key_Return);
    QCOMPARE(w->platform.openedAddresses.size(), 1);
    // A click follows it too, without taking the focus from where it was.
    open->cmdContd->setFocus();
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(w->platform.openedAddresses.size(), 2);
    QCOMPARE(QApplication::focusWidget(), open->cmdContd);
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
