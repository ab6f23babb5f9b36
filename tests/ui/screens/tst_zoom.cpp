// The card table's zoom: fit to the window shows every card of each spread in the visible
// client area, actual size gives the laid-out table back exactly, the View menu's keys and
// Ctrl+wheel zoom, and the wheel alone scrolls a sensible step.
#include "readingwalk.h"
#include "findchild.h"

#include "ui/mainwindow/frmmdi.h"
#include "core/reading/layouts.h"
#include "core/reading/spreads.h"
#include "ui/screens/frmauto.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <memory>

using namespace kesto;
using namespace kesto::test;

namespace {

void wheel(QWidget *widget, int notches, Qt::KeyboardModifiers modifiers)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestZoom : public QObject
{
    Q_OBJECT

    std::unique_ptr<ReadingWalk> w;

    // An automatic cast of a spread, upright, cards 0 to n - 1, in a frame of the given size.
    frmAuto *cast(int spread, QSize frameSize)
    {
        frmTarot *tarot = w->toSpreadScreen();
        ReadingWalk::choose(tarot, spread, Deck::Whole, false);
        const int n = SpreadByIndex(spread)->cardCount;
        for (int card = 0; card < n; ++card)
            w->platform.queueFractions({fractionFor(card, subsetOf(Deck::Whole))});
        QTest::mouseClick(tarot->cmdAuto, Qt::LeftButton);
        frmMDI *frame = w->shell.existingMainWindow();
        frame->resize(frameSize);
        QCoreApplication::processEvents();
        return w->shell.existingCardTable();
    }

private Q_SLOTS:
    void init() { w = std::make_unique<ReadingWalk>(); }
    void cleanup() { w.reset(); }

    void fitShowsEverySpreadAndActualSizeRestores_data();
    void fitShowsEverySpreadAndActualSizeRestores();
    void keysWheelAndMenu();
};

void TestZoom::fitShowsEverySpreadAndActualSizeRestores_data()
{
    QTest::addColumn<int>("spread");
    for (int k = 0; k < kSpreadCount; ++k)
        QTest::newRow(qPrintable(SpreadByIndex(k)->listName)) << k;
}

void TestZoom::fitShowsEverySpreadAndActualSizeRestores()
{
    QFETCH(int, spread);
    frmAuto *table = cast(spread, QSize(1024, 700));
    QVERIFY(table);
    frmMDI *frame = w->shell.existingMainWindow();
    const int n = SpreadByIndex(spread)->cardCount;
    QWidget *viewport = child<QMdiArea>(frame, "mdiArea")->viewport();

    child<QAction>(frame, "mnuFitToWindow")->trigger();
    QCoreApplication::processEvents();
    for (int i = 0; i < n; ++i) {
        QLabel *box = table->p[i];
        const QRect inViewport(box->mapTo(viewport, QPoint(0, 0)), box->size());
        QVERIFY2(viewport->rect().contains(inViewport),
                 qPrintable(QStringLiteral("box %1 at %2,%3 %4x%5 outside %6x%7")
                                .arg(i + 1)
                                .arg(inViewport.x())
                                .arg(inViewport.y())
                                .arg(inViewport.width())
                                .arg(inViewport.height())
                                .arg(viewport->width())
                                .arg(viewport->height())));
        QVERIFY(!box->pixmap().isNull());
    }
    // The tall layouts are made smaller to fit; the card boxes keep their proportions.
    if (spread == kCelticCross || spread == kChakraLayout || spread == kFourSeasons)
        QVERIFY(table->zoom() < 1.0);

    child<QAction>(frame, "mnuActualSize")->trigger();
    QCOMPARE(table->zoom(), 1.0);
    QCOMPARE(table->size(), QSize(twipsToPixels(11805), twipsToPixels(27225)));
    const auto layout = LayoutPositions(spread);
    for (int i = 0; i < n; ++i) {
        const LayoutPosition &place = layout[std::size_t(i)];
        QCOMPARE(table->p[i]->pos(), twipsPoint(place.left, place.top));
        const QImage upright = cardImage(w->folder, i);
        const QImage expected = place.quarterTurned ? quarterTurn(upright) : upright;
        QCOMPARE(boxImage(table->p[i]), expected);
        QCOMPARE(table->p[i]->size(), expected.size());
        QCOMPARE(table->lbl[i]->size(), QSize(twipsToPixels(615), twipsToPixels(495)));
    }
}

void TestZoom::keysWheelAndMenu()
{
    frmAuto *table = cast(kChakraLayout, QSize(1024, 740));
    QVERIFY(table);
    frmMDI *frame = w->shell.existingMainWindow();
    // The View menu follows the other menus, in the reading arrangement only.
    const QList<QAction *> bar = frame->menuBar()->actions();
    QCOMPARE(bar.last(), child<QMenu>(frame, "mnuView")->menuAction());
    QVERIFY(child<QMenu>(frame, "mnuView")->menuAction()->isVisible());

    frame->activateWindow();
    QVERIFY(QTest::qWaitFor([&] { return QApplication::activeWindow() == frame; }));
    table->p[0]->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(table->zoom(), 1.0 / frmAuto::kZoomStep);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(table->zoom(), 1.0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(table->zoom(), frmAuto::kZoomStep);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(table->zoom(), 1.0);
    // Zoomed, a box's place and size scale with the table.
    table->setZoom(0.5);
    const LayoutPosition seventh = *LayoutPositionOf(kChakraLayout, 7);
    QCOMPARE(table->p[6]->pos(), twipsPoint(seventh.left, seventh.top) / 2);
    QCOMPARE(table->p[6]->size(), kCardPictureSize / 2);
    table->actualSize();

    // A box passes the wheel on to the table (a sent event does not travel up by itself).
    wheel(table, 1, Qt::ControlModifier);
    QCOMPARE(table->zoom(), frmAuto::kZoomStep);
    wheel(table, -1, Qt::ControlModifier);
    QCOMPARE(table->zoom(), 1.0);

    // One notch of the wheel: half an inch of the table, not a third of the window.
    QScrollBar *bar2 = child<QMdiArea>(frame, "mdiArea")->verticalScrollBar();
    QVERIFY(bar2->maximum() > 0);
    const int before = bar2->value();
    wheel(table, -1, Qt::NoModifier);
    QCOMPARE(bar2->value() - before, twipsToPixels(720));

    // Zoom never goes past its bounds.
    for (int i = 0; i < 30; ++i)
        table->zoomOut();
    QCOMPARE(table->zoom(), frmAuto::kMinZoom);
}

QTEST_MAIN(TestZoom)
#include "tst_zoom.moc"
