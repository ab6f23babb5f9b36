// The manual pick, walked from the mode screen: the face-down table, the position texts
// after each click, the completion with its pause, draw, orientation, placements and hints,
// the report, and leaving the screen early; plus the texts the screen shows.
#include "readingwalk.h"

#include "ui/mainwindow/frmmdi.h"
#include "core/reading/report.h"
#include "core/reading/spreads.h"
#include "ui/screens/frmauto.h"
#include "ui/screens/frmmanual.h"
#include "core/reading/layouts.h"
#include "ui/screens/placement.h"

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QWindow>

#include <memory>

using namespace kesto;
using namespace kesto::test;

namespace {

const QString kClosingLineStart = QStringLiteral("Thank You for using Kesto.");

QString shown(const QString &text) { return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

QString positionText(int spread, int position)
{
    return shown(*PositionDisplayText(SpreadByIndex(spread)->listName, position));
}

// The fractions of a manual pick: per position the card, then its orientation number.
void scriptPick(FakePlatform &platform, Deck deck, const QList<int> &cards, const QList<float> &orientations)
{
    const DeckSubset subset = subsetOf(deck);
    for (qsizetype i = 0; i < cards.size(); ++i) {
        platform.queueFractions({fractionFor(cards[i], subset)});
        if (i < orientations.size())
            platform.queueFractions({orientations[i]});
    }
}

int visibleFaceDown(const frmManual *manual)
{
    int count = 0;
    for (const FaceDownBox *box : manual->p)
        count += box->isVisible() && box->isEnabled() ? 1 : 0;
    return count;
}

bool querentScreenShown()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (qobject_cast<frmFront *>(window) && window->isVisible())
            return true;
    }
    return false;
}

} // namespace

class TestManual : public QObject
{
    Q_OBJECT

    std::unique_ptr<ReadingWalk> w;

    // Spread screen with the spread and options chosen, then Manual.
    frmManual *openManual(int spread, Deck deck, bool reversed)
    {
        frmTarot *tarot = w->toSpreadScreen();
        ReadingWalk::choose(tarot, spread, deck, reversed);
        QTest::mouseClick(tarot->cmdManual, Qt::LeftButton);
        return w->shell.existingManualPickScreen();
    }

private Q_SLOTS:
    void init() { w = std::make_unique<ReadingWalk>(); }
    void cleanup() { w.reset(); }

    void screenTexts_data();
    void screenTexts();
    void manualPick_data();
    void manualPick();
    void clicksDuringCompletionAreBlocked();
    void missingPictureLeavesNumberedEmptyBox();
    void leavingBeforeTheLastPick_data();
    void leavingBeforeTheLastPick();
};

void TestManual::screenTexts_data()
{
    QTest::addColumn<bool>("hint"); // false: the position's own text; true: the hint after placing it
    QTest::addColumn<int>("spread");
    QTest::addColumn<int>("index"); // position counted from 1, or the picIndex placed
    QTest::addColumn<QString>("expected"); // a null text: none

    const QString br = QStringLiteral("\r\n");
    QTest::newRow("celtic cross, position 1")
        << false << 0 << 1
        << QString(QStringLiteral("Card 1: The Covering") + br
                   + QStringLiteral("This represents the overall events, situations or influences surrounding the "
                                    "present question."));
    QTest::newRow("one card, position 1, inline")
        << false << 1 << 1
        << QStringLiteral("Card 1:  This represents the most important factor that affects the issue in hand.");
    QTest::newRow("one card, beyond its only position") << false << 1 << 2 << QString();
    QTest::newRow("three cards, position 1")
        << false << 3 << 1
        << QString(QStringLiteral("Card 1 - Past") + br
                   + QStringLiteral("This represents certain events in the past which have influenced the present "
                                    "condition. These events are responsible for the current events surrounding the "
                                    "asked question or current situation."));
    QTest::newRow("line spread, position 1, inline")
        << false << 5 << 1 << QStringLiteral("Card 1 - This card represents the distant past.");

    QTest::newRow("celtic cross, placing 0")
        << true << 0 << 0 << QString(QStringLiteral("Card 2") + br + br + QStringLiteral("The Crossing"));
    QTest::newRow("celtic cross, placing 1") << true << 0 << 1 << QStringLiteral("Card 3: The Root");
    QTest::newRow("celtic cross, placing 2") << true << 0 << 2 << QStringLiteral("Card 4: The Past");
    QTest::newRow("celtic cross, placing 3") << true << 0 << 3 << QStringLiteral("Card 5: The Crown");
    QTest::newRow("celtic cross, placing 4") << true << 0 << 4 << QStringLiteral("Card 6: The Future");
    QTest::newRow("celtic cross, placing 5") << true << 0 << 5 << QStringLiteral("Card 7: The Questioner");
    QTest::newRow("celtic cross, placing 6") << true << 0 << 6 << QStringLiteral("Card 8: The House");
    const QString lastTwo = QStringLiteral("Card 9: The Inside") + br + QStringLiteral("Card 10: The Outcome");
    QTest::newRow("celtic cross, placing 7") << true << 0 << 7 << lastTwo;
    QTest::newRow("celtic cross, placing 8") << true << 0 << 8 << lastTwo;
    QTest::newRow("celtic cross, placing 9: nothing") << true << 0 << 9 << QString();
    QTest::newRow("one card, placing 0: nothing") << true << 1 << 0 << QString();
    QTest::newRow("two cards, placing 0")
        << true << 2 << 0
        << QStringLiteral("Card 2: This card signifies what can happen if you carry out the solution that this card "
                          "represents.");
    QTest::newRow("two cards, placing 1: nothing") << true << 2 << 1 << QString();
    QTest::newRow("three cards, placing 0")
        << true << 3 << 0
        << QString(QStringLiteral("Card 2 - Present") + br
                   + QStringLiteral("This card represents the present state surrounding some current event or "
                                    "situation. This may also be the problems and obstacles that the person may "
                                    "have to face."));
    QTest::newRow("four seasons, placing 0")
        << true << 7 << 0
        << QString(QStringLiteral("Card 2") + br + QStringLiteral("This card alters the next card (Card 3)"));
    QTest::newRow("four seasons, placing 7: nothing") << true << 7 << 7 << QString();
}

void TestManual::screenTexts()
{
    QFETCH(bool, hint);
    QFETCH(int, spread);
    QFETCH(int, index);
    QFETCH(QString, expected);

    const std::optional<QString> text
        = hint ? PlacementHint(spread, index) : PositionDisplayText(SpreadByIndex(spread)->listName, index);
    QCOMPARE(text.has_value(), !expected.isNull());
    if (text)
        QCOMPARE(*text, expected);
}

void TestManual::manualPick_data()
{
    QTest::addColumn<int>("spread");
    QTest::addColumn<Deck>("deck");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<QList<int>>("clicks"); // face-down boxes, in click order
    QTest::addColumn<QList<int>>("cards"); // drawn, in position order
    QTest::addColumn<QList<float>>("orientations"); // round(r x 10) odd: reversed
    QTest::addColumn<QList<int>>("reversedCards"); // expected; empty: without bounds

    QTest::newRow("one card, whole deck, upright only: cast by the first click")
        << 1 << Deck::Whole << false << QList<int>{40} << QList<int>{77} << QList<float>{} << QList<int>{};
    QTest::newRow("two cards, major arcana, 8.75 reversed, 2.5 upright")
        << 2 << Deck::Major << true << QList<int>{21, 0} << QList<int>{0, 21} << QList<float>{0.875f, 0.25f}
        << QList<int>{0};
    QTest::newRow("three cards, minor arcana, 1.25 reversed, 7.5 upright")
        << 3 << Deck::Minor << true << QList<int>{55, 22, 0} << QList<int>{22, 77, 50}
        << QList<float>{0.25f, 0.125f, 0.75f} << QList<int>{77};
    QTest::newRow("celtic cross, whole deck, crossing card recorded reversed")
        << 0 << Deck::Whole << true << QList<int>{77, 5, 13, 26, 39, 52, 65, 1, 2, 3}
        << QList<int>{10, 11, 12, 13, 14, 15, 16, 17, 18, 19}
        << QList<float>{0.25f, 0.875f, 0.25f, 0.25f, 0.125f, 0.75f, 0.25f, 0.25f, 0.25f, 0.95f}
        << QList<int>{11, 14, 19};
    QTest::newRow("levy wheel, whole deck, upright only")
        << 4 << Deck::Whole << false << QList<int>{0, 1, 2, 3, 4} << QList<int>{60, 0, 77, 30, 45} << QList<float>{}
        << QList<int>{};
    QTest::newRow("line spread, major arcana, upright only")
        << 5 << Deck::Major << false << QList<int>{21, 20, 19, 18, 17} << QList<int>{1, 2, 3, 4, 21} << QList<float>{}
        << QList<int>{};
    QTest::newRow("chakra layout, minor arcana, none reversed")
        << 6 << Deck::Minor << true << QList<int>{50, 40, 30, 20, 10, 5, 0} << QList<int>{70, 60, 50, 40, 30, 24, 22}
        << QList<float>(7, 0.25f) << QList<int>{};
    QTest::newRow("four seasons, whole deck, first and last reversed")
        << 7 << Deck::Whole << true << QList<int>{70, 71, 72, 73, 74, 75, 76, 77} << QList<int>{8, 7, 6, 5, 4, 3, 2, 1}
        << QList<float>{0.95f, 0.25f, 0.75f, 0.25f, 0.75f, 0.25f, 0.75f, 0.875f} << QList<int>{8, 1};
}

void TestManual::manualPick()
{
    QFETCH(int, spread);
    QFETCH(Deck, deck);
    QFETCH(bool, reversed);
    QFETCH(QList<int>, clicks);
    QFETCH(QList<int>, cards);
    QFETCH(QList<float>, orientations);
    QFETCH(QList<int>, reversedCards);

    const int n = int(cards.size());
    QPointer<frmManual> manual = openManual(spread, deck, reversed);
    QVERIFY(manual && manual->isVisible());
    QCOMPARE(manual->windowTitle(), QStringLiteral("Kesto v1.55"));

    // The face-down table offers the chosen part of the deck; the text names position 1.
    const int offered = deck == Deck::Major ? 22 : deck == Deck::Minor ? 56 : 78;
    QCOMPARE(visibleFaceDown(manual), offered);
    QVERIFY(!manual->p[1]->pixmap().isNull());
    QCOMPARE(manual->p[1]->frameShape(), QFrame::NoFrame);
    QCOMPARE(manual->p[0]->frameShape(), QFrame::Panel);
    QVERIFY(!manual->picManual->pixmap().isNull());
    QVERIFY(!manual->picMessage->isVisible());
    QCOMPARE(manual->txtDisp->toPlainText(), positionText(spread, 1));
    QCOMPARE(w->session.reading.isManualPick, FlagTrue);

    // Every click but the last takes a card off the table and names the next position.
    for (int k = 0; k + 1 < n; ++k) {
        QTest::mouseClick(manual->p[clicks[k]], Qt::LeftButton);
        QVERIFY(!manual->p[clicks[k]]->isVisible());
        QVERIFY(!manual->p[clicks[k]]->isEnabled());
        QCOMPARE(manual->txtDisp->toPlainText(), positionText(spread, k + 2));
    }
    QVERIFY(!IsArrayDimensioned(w->session.reading.drawnCards));
    QCOMPARE(w->platform.fractionsServed, 0);

    // The last click: wait panel, pause, then each position drawn and placed in turn, the
    // text box naming what comes next.
    scriptPick(w->platform, deck, cards, orientations);
    bool panelAtPause = false;
    QString textAtPause;
    w->platform.onPause = [&] {
        panelAtPause = manual->picMessage->isVisible();
        textAtPause = manual->txtDisp->toPlainText();
    };
    QStringList textsWhileLaying;
    w->platform.onYield = [&] {
        if (!manual)
            return;
        const QString text = manual->txtDisp->toPlainText();
        if (textsWhileLaying.isEmpty() || textsWhileLaying.last() != text)
            textsWhileLaying.append(text);
    };
    QTest::mouseClick(manual->p[clicks.last()], Qt::LeftButton);

    QVERIFY(panelAtPause);
    QCOMPARE(textAtPause, positionText(spread, n));
    QCOMPARE(w->platform.pauses, QList<int>{3000});
    QCOMPARE(w->platform.reseeds, n);
    QStringList expectedTexts{positionText(spread, n)};
    for (int i = 0; i + 1 < n; ++i) {
        const QString hint = shown(*PlacementHint(spread, i));
        if (expectedTexts.last() != hint)
            expectedTexts.append(hint);
    }
    QCOMPARE(textsWhileLaying, expectedTexts);

    // The screen has closed; the main window shows the table and the report.
    QVERIFY(!w->shell.existingManualPickScreen());
    QCOMPARE(w->platform.endCount, 0);
    frmMDI *frame = w->shell.existingMainWindow();
    QVERIFY(frame && frame->isVisible());
    frmAuto *table = w->shell.existingCardTable();
    QVERIFY(table && table->isVisible());

    const CurrentReading &r = w->session.reading;
    QCOMPARE(r.isManualPick, FlagTrue);
    QCOMPARE(*r.drawnCards, cards); // one slot per card, no spare
    if (reversedCards.isEmpty())
        QVERIFY(!IsArrayDimensioned(r.reversedCards));
    else
        QCOMPARE(*r.reversedCards, reversedCards);

    for (int i = 0; i < frmAuto::kBoxCount; ++i) {
        QLabel *box = table->p[i];
        if (i >= n) {
            QVERIFY(!box->isVisible());
            QVERIFY(!table->lbl[i]->isVisible());
            continue;
        }
        const LayoutPosition place = *LayoutPositionOf(spread, i + 1);
        QVERIFY(box->isVisible() && box->isEnabled());
        QVERIFY(table->lbl[i]->isVisible() && table->lbl[i]->isEnabled());
        QCOMPARE(box->pos(), twipsPoint(place.left, place.top));
        // The crossing card lies sideways even when it was recorded reversed.
        const QImage upright = cardImage(w->folder, cards[i]);
        QImage expected = upright;
        if (place.quarterTurned)
            expected = quarterTurn(upright);
        else if (reversedCards.contains(cards[i]))
            expected = halfTurn(upright);
        QCOMPARE(boxImage(box), expected);
    }

    const QString text = w->report();
    const QStringList lines = text.split(QLatin1Char('\n'));
    QVERIFY(text.contains(SpreadByIndex(spread)->heading));
    for (int card : cards) {
        const bool isReversed = reversedCards.contains(card);
        QVERIFY2(lines.contains(CardTitle(card, isReversed)), qPrintable(CardTitle(card, isReversed)));
        QVERIFY(!lines.contains(CardTitle(card, !isReversed)));
    }
    QCOMPARE(text.count(kClosingLineStart), 1);
    QCOMPARE(frame->readingDisplay().caret(), 0);
}

void TestManual::clicksDuringCompletionAreBlocked()
{
    QPointer<frmManual> manual = openManual(kThreeCards, Deck::Whole, true);
    QTest::mouseClick(manual->p[0], Qt::LeftButton);
    QTest::mouseClick(manual->p[1], Qt::LeftButton);

    // While the cards are laid out, the user clicks further face-down cards and Back, a click
    // reaches the handler itself, and the close box is pressed: none of it starts a second
    // completion or ends the program.
    bool tried = false;
    bool stillOnTable = false;
    w->platform.onYield = [&] {
        if (tried || !manual)
            return;
        tried = true;
        QTest::mouseClick(manual->p[10], Qt::LeftButton);
        QTest::mouseClick(manual->cmdBack, Qt::LeftButton);
        manual->p_Click(11);
        manual->windowHandle()->close();
        stillOnTable = manual->p[10]->isVisible() && manual->p[11]->isVisible() && manual->isVisible();
    };
    QTest::mouseClick(manual->p[2], Qt::LeftButton);

    QVERIFY(tried);
    QVERIFY(stillOnTable);
    QCOMPARE(w->platform.pauses, QList<int>{3000});
    QCOMPARE(w->session.reading.drawnCards->size(), 3);
    QCOMPARE(w->report().count(kClosingLineStart), 1);
    QVERIFY(!querentScreenShown());
    QCOMPARE(w->platform.endCount, 0);
    QVERIFY(w->shell.existingMainWindow()->isVisible());
}

void TestManual::missingPictureLeavesNumberedEmptyBox()
{
    // Position 1's card has no file, the crossing card's file is not a picture, and the
    // reversed card of position 4 has no file either.
    QFile::remove(w->folder.filePath(QStringLiteral("cards/r30.jpg")));
    w->folder.writeFile(QStringLiteral("cards/r31.jpg"), QByteArrayLiteral("not a picture"));
    QFile::remove(w->folder.filePath(QStringLiteral("cards/r33.jpg")));
    frmManual *manual = openManual(kCelticCross, Deck::Whole, true);
    const QList<int> cards{30, 31, 32, 33, 34, 35, 36, 37, 38, 39};
    scriptPick(w->platform, Deck::Whole, cards,
               {0.25f, 0.875f, 0.25f, 0.875f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f});
    for (int k = 0; k < 10; ++k)
        QTest::mouseClick(manual->p[k], Qt::LeftButton);

    frmAuto *table = w->shell.existingCardTable();
    QVERIFY(table);
    for (int i : {0, 1, 3}) {
        const LayoutPosition place = *LayoutPositionOf(kCelticCross, i + 1);
        QVERIFY(table->p[i]->isVisible());
        QVERIFY(table->p[i]->pixmap().isNull());
        QCOMPARE(table->p[i]->pos(), twipsPoint(place.left, place.top));
        QVERIFY(table->lbl[i]->isVisible());
    }
    QCOMPARE(boxImage(table->p[2]), cardImage(w->folder, 32));
    QCOMPARE(*w->session.reading.reversedCards, (QList<int>{31, 33}));
    QCOMPARE(w->report().count(kClosingLineStart), 1);
    QVERIFY(w->report().split(QLatin1Char('\n')).contains(CardTitle(33, true)));
}

void TestManual::leavingBeforeTheLastPick_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("ends");
    QTest::newRow("back button") << QStringLiteral("cmdBack") << false;
    QTest::newRow("file, start again") << QStringLiteral("mnuStart") << false;
    QTest::newRow("exit button") << QStringLiteral("cmdCancel") << true;
    QTest::newRow("file, exit") << QStringLiteral("mnuExit") << true;
    QTest::newRow("close box") << QString() << true;
}

void TestManual::leavingBeforeTheLastPick()
{
    QFETCH(QString, how);
    QFETCH(bool, ends);

    QPointer<frmManual> manual = openManual(kCelticCross, Deck::Whole, true);
    QTest::mouseClick(manual->p[3], Qt::LeftButton);
    QTest::mouseClick(manual->p[4], Qt::LeftButton);
    if (how.isEmpty())
        manual->close();
    else if (auto *button = manual->findChild<QPushButton *>(how))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        manual->findChild<QAction *>(how)->trigger();

    QVERIFY(!manual || !manual->isVisible());
    QCOMPARE(w->platform.endCount, ends ? 1 : 0);
    QVERIFY(!IsArrayDimensioned(w->session.reading.drawnCards));
    QCOMPARE(w->platform.fractionsServed, 0);
    if (ends)
        return;

    // The querent screen; the next reading starts with a full face-down table.
    QVERIFY(querentScreenShown());
    frmFront *front = w->shell.querentScreen();
    QTest::keyClicks(front->txtName, QStringLiteral("Bob"));
    QTest::mouseClick(front->cmdNext, Qt::LeftButton);
    frmTarot *tarot = w->shell.spreadScreen();
    QTest::mouseClick(tarot->cmdManual, Qt::LeftButton);
    frmManual *next = w->shell.existingManualPickScreen();
    QVERIFY(next && next != manual);
    QCOMPARE(visibleFaceDown(next), 78);
    QCOMPARE(next->pickCount, qint16(0));
    QCOMPARE(next->txtDisp->toPlainText(), positionText(kCelticCross, 1));
}

QTEST_MAIN(TestManual)
#include "tst_manual.moc"
