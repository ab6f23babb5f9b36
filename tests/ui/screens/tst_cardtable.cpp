// The card table in automatic readings, walked from the mode screen to the laid-out cards
// and the written report with scripted random fractions: every spread, every deck-option
// combination, missing pictures, the order in which cards arrive, input during a cast, and
// what follows the reading.
#include "eventprobe.h"
#include "findchild.h"
#include "readingwalk.h"

#include "ui/mainwindow/frmmdi.h"
#include "core/reading/report.h"
#include "core/reading/spreads.h"
#include "ui/screens/frmauto.h"
#include "core/reading/layouts.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <QWindow>

#include <memory>

using namespace kesto;
using namespace kesto::test;

namespace {

const QString kClosingLineStart = QStringLiteral("Thank You for using Kesto.");

frmAuto *table(ReadingWalk &walk) { return walk.shell.existingCardTable(); }

// Reversed when its id is listed, as the report decides.
bool listed(const QList<int> &ids, int id) { return ids.contains(id); }

// Queues the fractions of an automatic cast: every card, then one orientation number per
// position when reversed cards are allowed (0.75 lies reversed, 0.25 upright).
void scriptCast(FakePlatform &platform, Deck deck, const QList<int> &cards, const QList<bool> &flips)
{
    const DeckSubset subset = subsetOf(deck);
    for (int card : cards)
        platform.queueFractions({fractionFor(card, subset)});
    for (bool flip : flips)
        platform.queueFractions({flip ? 0.75f : 0.25f});
}

} // namespace

class TestCardTable : public QObject
{
    Q_OBJECT

    std::unique_ptr<ReadingWalk> w;

private Q_SLOTS:
    void init() { w = std::make_unique<ReadingWalk>(); }
    void cleanup() { w.reset(); }

    void automaticCast_data();
    void automaticCast();
    void missingOrCorruptPictureLeavesNumberedEmptyBox();
    void cardsArriveOneByOneBeforeReport();
    void inputWaitsWhileCasting();
    void afterTheReading();
};

void TestCardTable::automaticCast_data()
{
    QTest::addColumn<int>("spread");
    QTest::addColumn<Deck>("deck");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<QList<int>>("cards");
    QTest::addColumn<QList<bool>>("flips"); // orientation numbers, one per position
    QTest::addColumn<QList<int>>("reversedCards"); // expected; empty: without bounds

    QTest::newRow("celtic cross, whole deck, upright only")
        << 0 << Deck::Whole << false << QList<int>{0, 77, 5, 40, 21, 22, 60, 13, 8, 30} << QList<bool>{}
        << QList<int>{};
    QTest::newRow("celtic cross, whole deck, every number reversed: the crossing card is not")
        << 0 << Deck::Whole << true << QList<int>{12, 3, 77, 0, 45, 19, 64, 30, 22, 9} << QList<bool>(10, true)
        << QList<int>{12, 77, 0, 45, 19, 64, 30, 22, 9};
    QTest::newRow("one card, minor arcana, reversed")
        << 1 << Deck::Minor << true << QList<int>{77} << QList<bool>{true} << QList<int>{77};
    QTest::newRow("two cards, major arcana, upright only")
        << 2 << Deck::Major << false << QList<int>{21, 0} << QList<bool>{} << QList<int>{};
    QTest::newRow("three cards, minor arcana, upright only")
        << 3 << Deck::Minor << false << QList<int>{22, 50, 77} << QList<bool>{} << QList<int>{};
    QTest::newRow("levy wheel, major arcana, some reversed")
        << 4 << Deck::Major << true << QList<int>{3, 0, 21, 10, 7} << QList<bool>{true, false, true, false, false}
        << QList<int>{3, 21};
    QTest::newRow("line spread, whole deck, none reversed")
        << 5 << Deck::Whole << true << QList<int>{70, 1, 33, 56, 2} << QList<bool>(5, false) << QList<int>{};
    QTest::newRow("chakra layout, whole deck, upright only")
        << 6 << Deck::Whole << false << QList<int>{6, 16, 26, 36, 46, 56, 66} << QList<bool>{} << QList<int>{};
    QTest::newRow("four seasons, minor arcana, alternate reversed")
        << 7 << Deck::Minor << true << QList<int>{23, 31, 40, 52, 61, 70, 76, 22}
        << QList<bool>{false, true, false, true, false, true, false, true} << QList<int>{31, 52, 70, 22};
    QTest::newRow("both subsets: no cast") << 0 << Deck::Both << true << QList<int>{} << QList<bool>{} << QList<int>{};
}

void TestCardTable::automaticCast()
{
    QFETCH(int, spread);
    QFETCH(Deck, deck);
    QFETCH(bool, reversed);
    QFETCH(QList<int>, cards);
    QFETCH(QList<bool>, flips);
    QFETCH(QList<int>, reversedCards);

    QPointer<frmTarot> tarot = w->toSpreadScreen();
    ReadingWalk::choose(tarot, spread, deck, reversed);
    scriptCast(w->platform, deck, cards, flips);
    QTest::mouseClick(tarot->cmdAuto, Qt::LeftButton);

    const CurrentReading &r = w->session.reading;
    const int n = int(cards.size());
    QVERIFY(!tarot || !tarot->isVisible());
    QCOMPARE(w->platform.endCount, 0);
    QCOMPARE(w->platform.pauses, reversed ? QList<int>{} : QList<int>{3000});

    // The table: a child window at the top left of the main window's client area.
    frmMDI *frame = w->shell.existingMainWindow();
    frmAuto *cast = table(*w);
    QVERIFY(frame && frame->isVisible());
    QVERIFY(cast && cast->isVisible());
    auto *window = qobject_cast<QMdiSubWindow *>(cast->parentWidget());
    QVERIFY(window);
    QCOMPARE(window->mdiArea(), child<QMdiArea>(frame, "mdiArea"));
    QCOMPARE(window->pos(), QPoint(0, 0));
    QCOMPARE(window->windowTitle(), QStringLiteral("Kesto v1.45"));
    QCOMPARE(cast->size(), QSize(twipsToPixels(11805), twipsToPixels(27225)));

    // The cast: n distinct cards and the spare slot, or nothing at all.
    if (deck == Deck::Both) {
        QVERIFY(!IsArrayDimensioned(r.drawnCards));
    } else {
        QList<int> expected = cards;
        expected.append(0);
        QCOMPARE(*r.drawnCards, expected);
    }
    if (reversedCards.isEmpty())
        QVERIFY(!IsArrayDimensioned(r.reversedCards));
    else
        QCOMPARE(*r.reversedCards, reversedCards);

    // Every position in its place with its number; the crossing card sideways, reversed
    // cards upside down, the rest upright; boxes beyond the spread stay hidden.
    const auto layout = LayoutPositions(spread);
    for (int i = 0; i < frmAuto::kBoxCount; ++i) {
        QLabel *box = cast->findChild<QLabel *>(QStringLiteral("p_%1").arg(i));
        QLabel *number = cast->findChild<QLabel *>(QStringLiteral("lbl_%1").arg(i));
        QVERIFY(box && number);
        QCOMPARE(number->parentWidget(), box);
        if (i >= n) {
            QVERIFY2(!box->isVisible(), qPrintable(QStringLiteral("box %1").arg(i)));
            QVERIFY(!number->isVisible());
            continue;
        }
        QVERIFY(box->isVisible());
        QVERIFY(box->isEnabled());
        QVERIFY(number->isVisible());
        QCOMPARE(number->text(), QString::number(i + 1));
        QCOMPARE(number->pos(), QPoint(0, 0));
        const LayoutPosition &place = layout[std::size_t(i)];
        QCOMPARE(box->pos(), twipsPoint(place.left, place.top));

        const QImage upright = cardImage(w->folder, cards[i]);
        QVERIFY(!upright.isNull());
        QImage expected = upright;
        if (place.quarterTurned)
            expected = quarterTurn(upright);
        else if (listed(reversedCards, cards[i]))
            expected = halfTurn(upright);
        QCOMPARE(boxImage(box), expected);
        QCOMPARE(box->size(), expected.size());
    }

    // The report: the header, one block per position with the card's title in its
    // orientation, the closing line; the caret back at the start.
    const QString text = w->report();
    const QStringList lines = text.split(QLatin1Char('\n'));
    QVERIFY(text.contains(SpreadByIndex(spread)->heading));
    for (int card : cards) {
        const bool isReversed = listed(reversedCards, card);
        QVERIFY2(lines.contains(CardTitle(card, isReversed)), qPrintable(CardTitle(card, isReversed)));
        QVERIFY(!lines.contains(CardTitle(card, !isReversed)));
    }
    if (deck == Deck::Both) {
        // Header only: the banner, the heading and the description, and no card section.
        QVERIFY(text.contains(SpreadByIndex(spread)->description));
        QVERIFY(text.endsWith(QString(kSeparatorBlanks, QLatin1Char(' ')) + QStringLiteral("\n\n")));
        QVERIFY(!text.contains(PositionText(spread, 1)->title));
        QVERIFY(!text.contains(kClosingLineStart));
    } else {
        QCOMPARE(text.count(kClosingLineStart), 1);
        QCOMPARE(frame->readingDisplay().caret(), 0);
    }
}

void TestCardTable::missingOrCorruptPictureLeavesNumberedEmptyBox()
{
    // Card 5 lies upright with its file gone, the crossing card 6 and the reversed card 7
    // have files that are not pictures.
    const QList<int> cards{5, 6, 40, 7, 41, 42, 43, 44, 45, 46};
    QFile::remove(w->folder.filePath(QStringLiteral("cards/r5.jpg")));
    w->folder.writeFile(QStringLiteral("cards/r6.jpg"), QByteArrayLiteral("not a picture"));
    w->folder.writeFile(QStringLiteral("cards/r7.jpg"), QByteArray(300, '\xff'));

    frmTarot *tarot = w->toSpreadScreen();
    ReadingWalk::choose(tarot, kCelticCross, Deck::Whole, true);
    scriptCast(w->platform, Deck::Whole, cards, {false, false, false, true, false, false, false, false, false, false});
    QTest::mouseClick(tarot->cmdAuto, Qt::LeftButton);

    frmAuto *cast = table(*w);
    QVERIFY(cast);
    for (int i : {0, 1, 3}) {
        const LayoutPosition place = *LayoutPositionOf(kCelticCross, i + 1);
        QVERIFY(cast->p[i]->isVisible());
        QVERIFY(cast->p[i]->pixmap().isNull());
        QCOMPARE(cast->p[i]->pos(), twipsPoint(place.left, place.top));
        QVERIFY(cast->lbl[i]->isVisible());
    }
    QCOMPARE(boxImage(cast->p[2]), cardImage(w->folder, 40));
    QCOMPARE(*w->session.reading.reversedCards, QList<int>{7});
    const QStringList lines = w->report().split(QLatin1Char('\n'));
    QVERIFY(lines.contains(CardTitle(5, false)));
    QVERIFY(lines.contains(CardTitle(7, true)));
    QCOMPARE(w->report().count(kClosingLineStart), 1);
}

void TestCardTable::cardsArriveOneByOneBeforeReport()
{
    // Each box is painted as its card arrives: later boxes are still empty or hidden and
    // the report has no card section yet.
    const QList<int> cards{10, 20, 30};
    frmTarot *tarot = w->toSpreadScreen();
    ReadingWalk::choose(tarot, kThreeCards, Deck::Whole, true);
    scriptCast(w->platform, Deck::Whole, cards, {false, true, false});

    QList<int> painted;
    QList<bool> laterBoxesEmpty;
    QList<bool> reportWritten;
    std::vector<std::unique_ptr<EventProbe>> probes;
    // The table is shown before the draw: watch its boxes from the draw's first yield on.
    // The yields let events run, as the program's own do, so the window gets on screen.
    w->platform.processEventsOnYield = true;
    w->platform.onYield = [&] {
        frmAuto *cast = table(*w);
        if (!cast || !probes.empty())
            return;
        for (int i = 0; i < 3; ++i) {
            probes.push_back(std::make_unique<EventProbe>(cast->p[i], QEvent::Paint, [&, cast, i] {
                if (painted.contains(i))
                    return;
                painted.append(i);
                bool empty = true;
                for (int later = i + 1; later < 3; ++later)
                    empty = empty && (!cast->p[later]->isVisible() || cast->p[later]->pixmap().isNull());
                laterBoxesEmpty.append(empty);
                reportWritten.append(w->report().contains(kClosingLineStart));
            }));
        }
    };
    QTest::mouseClick(tarot->cmdAuto, Qt::LeftButton);

    QCOMPARE(painted, (QList<int>{0, 1, 2}));
    QCOMPARE(laterBoxesEmpty, (QList<bool>{true, true, true}));
    QCOMPARE(reportWritten, (QList<bool>{false, false, false}));
    QVERIFY(w->report().contains(kClosingLineStart));
}

void TestCardTable::inputWaitsWhileCasting()
{
    // While the cast lets events run, the user's clicks on AutoCast, Start Again and Exit and
    // the windows' close boxes do nothing: one cast is laid out and reported, and the program
    // goes on.
    QPointer<frmTarot> tarot = w->toSpreadScreen();
    ReadingWalk::choose(tarot, kCelticCross, Deck::Whole, true);
    frmMDI *frame = w->shell.existingMainWindow();
    bool tried = false;
    w->platform.onYield = [&] {
        frmAuto *cast = table(*w);
        if (tried || !cast || !tarot)
            return;
        tried = true;
        QTest::mouseClick(tarot->cmdAuto, Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(frame, "cmdRestart"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(frame, "cmdExit"), Qt::LeftButton);
        // The close boxes of the main window and the spread screen.
        frame->windowHandle()->close();
        tarot->windowHandle()->close();
    };
    QTest::mouseClick(tarot->cmdAuto, Qt::LeftButton);

    QVERIFY(tried);
    QCOMPARE(w->platform.endCount, 0);
    QVERIFY(frame->isVisible());
    QVERIFY(table(*w) && table(*w)->isVisible());
    QCOMPARE(w->session.reading.drawnCards->size(), 11);
    QCOMPARE(w->report().count(kClosingLineStart), 1);
    QCOMPARE(child<QMdiArea>(frame, "mdiArea")->subWindowList().size(), 1);
}

void TestCardTable::afterTheReading()
{
    frmTarot *tarot = w->toSpreadScreen(QStringLiteral("Ann"));
    ReadingWalk::choose(tarot, kOneCard, Deck::Whole, true);
    QTest::mouseClick(tarot->cmdAuto, Qt::LeftButton);
    QPointer<frmMDI> frame = w->shell.existingMainWindow();
    QPointer<frmAuto> first = table(*w);
    const QString report = w->report();

    // Closing the table's window leaves the main window with its report.
    first->parentWidget()->close();
    QTRY_VERIFY(!first);
    QVERIFY(frame->isVisible());
    QCOMPARE(w->report(), report);
    QCOMPARE(w->platform.endCount, 0);

    // Start Again: the main window closes, the mode screen opens; a new reading gets a fresh
    // main window and a fresh table with the new querent.
    QTest::mouseClick(child<QPushButton>(frame, "cmdRestart"), Qt::LeftButton);
    QTRY_VERIFY(!frame);
    QVERIFY(w->shell.modeScreen()->isVisible());
    tarot = w->toSpreadScreen(QStringLiteral("Bob"));
    ReadingWalk::choose(tarot, kTwoCards, Deck::Whole, false);
    QTest::mouseClick(tarot->cmdAuto, Qt::LeftButton);
    frmMDI *second = w->shell.existingMainWindow();
    QVERIFY(second && second->isVisible());
    QCOMPARE(second->findChild<QLineEdit *>(QStringLiteral("txtName"))->text(), QStringLiteral("Bob"));
    frmAuto *cast = table(*w);
    QVERIFY(cast);
    QVERIFY(cast->p[1]->isVisible());
    QVERIFY(!cast->p[2]->isVisible());
    QCOMPARE(w->report().count(kClosingLineStart), 1);
    QCOMPARE(w->platform.endCount, 0);
}

QTEST_MAIN(TestCardTable)
#include "tst_cardtable.moc"
