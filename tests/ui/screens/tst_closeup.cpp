// The close-up of a card on the card table: what it says and shows for an upright card, a
// reversed card, the automatic cast's crossing card and the manual pick's reversed crossing
// card; the ways it opens (double click, Enter, the context menu); moving along the
// positions; the dictionary entry.
#include "readingwalk.h"

#include "core/reading/spreads.h"
#include "ui/screens/cardcloseup.h"
#include "ui/screens/frmauto.h"
#include "ui/screens/frmmanual.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace kesto;
using namespace kesto::test;

namespace {

// The close-up's picture as it should be: the card's picture at twice the size (the close-up's
// size on a standard screen), upside down when reversed.
QImage expectedPicture(const TestFolder &folder, CardId card, bool reversed)
{
    QImage image = rgb32(ReadPictureFile(ScaledPicturePath(CardPicturePath(folder.path(), card), 2)));
    if (reversed)
        image = halfTurn(image);
    return image;
}

struct Expected
{
    CardId card;
    bool reversed;
    QString lie;
};

void checkContent(CardCloseUp *closeUp, const TestFolder &folder, int spread, int position, const Expected &e)
{
    QVERIFY(closeUp);
    QCOMPARE(closeUp->index(), position - 1);
    QCOMPARE(closeUp->lblName->text(), CardName(e.card));
    QCOMPARE(closeUp->lblLie->text(), e.lie);
    const SpreadPosition *text = PositionText(spread, position);
    QCOMPARE(closeUp->lblPositionMeaning->text(), text->meaning.trimmed());
    QVERIFY(text->title.startsWith(closeUp->lblPosition->text()));
    QCOMPARE(closeUp->lblUpright->text(), e.reversed ? QStringLiteral("Upright") : QStringLiteral("Upright (drawn)"));
    QCOMPARE(closeUp->lblReversed->text(),
             e.reversed ? QStringLiteral("Reversed (drawn)") : QStringLiteral("Reversed"));
    QCOMPARE(closeUp->lblUprightMeaning->text(), CardMeaning(e.card, false));
    QCOMPARE(closeUp->lblReversedMeaning->text(), CardMeaning(e.card, true));
    QCOMPARE(boxImage(closeUp->picture), expectedPicture(folder, e.card, e.reversed));
}

const QString kUpright = QStringLiteral("Upright");
const QString kReversed = QStringLiteral("Reversed");
const QString kCrossingUpright = QStringLiteral("Laid sideways across card 1; the reading takes it upright");
const QString kCrossingReversed = QStringLiteral("Laid sideways across card 1; the reading takes it reversed");

} // namespace

class TestCloseUp : public QObject
{
    Q_OBJECT

    std::unique_ptr<ReadingWalk> w;

    // An automatic Celtic Cross, whole deck, reversed cards allowed.
    frmAuto *castCelticCross(const QList<int> &cards, const QList<bool> &flips)
    {
        frmTarot *tarot = w->toSpreadScreen();
        ReadingWalk::choose(tarot, kCelticCross, Deck::Whole, true);
        for (int card : cards)
            w->platform.queueFractions({fractionFor(card, subsetOf(Deck::Whole))});
        for (bool flip : flips)
            w->platform.queueFractions({flip ? 0.75f : 0.25f});
        QTest::mouseClick(tarot->cmdAuto, Qt::LeftButton);
        return w->shell.existingCardTable();
    }

private Q_SLOTS:
    void init() { w = std::make_unique<ReadingWalk>(); }
    void cleanup() { w.reset(); }

    void automaticCastContent();
    void manualPickReversedCrossingCard();
    void opensFromEveryCardAndMovesAlong();
    void dictionaryEntry();
};

void TestCloseUp::automaticCastContent()
{
    const QList<int> cards{12, 3, 77, 0, 45, 19, 64, 30, 22, 9};
    QList<bool> flips(10, false);
    flips[2] = true; // the root lies reversed
    flips[1] = true; // the crossing card is never reversed by an automatic cast
    frmAuto *table = castCelticCross(cards, flips);
    QVERIFY(table);

    checkContent(table->openCloseUp(0), w->folder, kCelticCross, 1, {12, false, kUpright});
    checkContent(table->openCloseUp(2), w->folder, kCelticCross, 3, {77, true, kReversed});
    checkContent(table->openCloseUp(1), w->folder, kCelticCross, 2, {3, false, kCrossingUpright});
    QCOMPARE(table->closeUp()->lblPosition->text(), QStringLiteral("Card 2: The Crossing"));

    // A spread whose titles run on into their meaning shows the title without its colon.
    QCOMPARE(PositionTitleShown(SpreadByIndex(kOneCard)->listName, 1), QStringLiteral("Card 1"));
    QCOMPARE(PositionName(SpreadByIndex(kCelticCross)->listName, 2), QStringLiteral("The Crossing"));
    QCOMPARE(PositionName(SpreadByIndex(kOneCard)->listName, 1), QString());
}

void TestCloseUp::manualPickReversedCrossingCard()
{
    // Every card but the third reversed: the crossing card lies sideways on the table, yet
    // the report reads it reversed, and so does its close-up.
    frmTarot *tarot = w->toSpreadScreen();
    ReadingWalk::choose(tarot, kCelticCross, Deck::Whole, true);
    QTest::mouseClick(tarot->cmdManual, Qt::LeftButton);
    QPointer<frmManual> manual = w->shell.existingManualPickScreen();
    QVERIFY(manual);
    const QList<int> cards{40, 7, 66, 1, 2, 3, 4, 5, 6, 8};
    for (qsizetype i = 0; i < cards.size(); ++i)
        w->platform.queueFractions({fractionFor(cards[i], subsetOf(Deck::Whole)), i == 2 ? 0.2f : 0.1f});
    for (int k = 0; k < 10; ++k)
        QTest::mouseClick(manual->p[k], Qt::LeftButton);
    QTRY_VERIFY(!manual);

    frmAuto *table = w->shell.existingCardTable();
    QVERIFY(table);
    QVERIFY(IsInArray(7, w->session.reading.reversedCards));
    checkContent(table->openCloseUp(1), w->folder, kCelticCross, 2, {7, true, kCrossingReversed});
    checkContent(table->openCloseUp(2), w->folder, kCelticCross, 3, {66, false, kUpright});
    checkContent(table->openCloseUp(9), w->folder, kCelticCross, 10, {8, true, kReversed});
}

void TestCloseUp::opensFromEveryCardAndMovesAlong()
{
    // Three Cards, upright: every box opens the close-up by a double click, by Enter with
    // the box focused, and from its context menu.
    frmTarot *tarot = w->toSpreadScreen();
    ReadingWalk::choose(tarot, kThreeCards, Deck::Whole, false);
    for (int card : {5, 6, 7})
        w->platform.queueFractions({fractionFor(card, subsetOf(Deck::Whole))});
    QTest::mouseClick(tarot->cmdAuto, Qt::LeftButton);
    frmAuto *table = w->shell.existingCardTable();
    QVERIFY(table);

    for (int i = 0; i < 3; ++i) {
        QLabel *box = table->p[i];
        QTest::mouseDClick(box, Qt::LeftButton);
        QVERIFY(table->closeUp());
        QCOMPARE(table->closeUp()->index(), i);
        table->closeUp()->close();
        QTRY_VERIFY(!table->closeUp());

        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(table->closeUp());
        QCOMPARE(table->closeUp()->index(), i);
        QTest::keyClick(table->closeUp(), Qt::Key_Escape);
        QTRY_VERIFY(!table->closeUp());

        QCOMPARE(box->contextMenuPolicy(), Qt::ActionsContextMenu);
        QCOMPARE(box->actions().size(), 1);
        box->actions().first()->trigger();
        QVERIFY(table->closeUp());
        QCOMPARE(table->closeUp()->index(), i);
    }
    // A box beyond the spread holds no card: nothing opens for it.
    QCOMPARE(table->openCloseUp(3), nullptr);

    // Left and Right walk the positions and stop at either end.
    QPointer<CardCloseUp> closeUp = table->openCloseUp(0);
    QVERIFY(QTest::qWaitFor([&] { return QApplication::activeWindow() == closeUp; }));
    QVERIFY(!closeUp->cmdPrevious->isEnabled());
    QTest::keyClick(closeUp, Qt::Key_Left);
    QCOMPARE(closeUp->index(), 0);
    QTest::keyClick(closeUp, Qt::Key_Right);
    QCOMPARE(closeUp->index(), 1);
    QCOMPARE(closeUp->lblName->text(), CardName(6));
    QTest::keyClick(closeUp, Qt::Key_Right);
    QTest::keyClick(closeUp, Qt::Key_Right);
    QCOMPARE(closeUp->index(), 2);
    QVERIFY(!closeUp->cmdNext->isEnabled());
    QTest::keyClick(closeUp, Qt::Key_Left);
    QCOMPARE(closeUp->index(), 1);

    // Closing the table closes the close-up with it.
    QVERIFY(closeUp);
    table->parentWidget()->close();
    QTRY_VERIFY(!closeUp);
}

void TestCloseUp::dictionaryEntry()
{
    // With no dictionary file no card has an entry; the shipped dictionary has one for
    // Death (card 0 of the catalogue).
    QFile dictionary(qEnvironmentVariable("KESTO_PROGRAM_DIR") + QStringLiteral("/tarot.dll"));
    QVERIFY(dictionary.open(QIODevice::ReadOnly));
    const QByteArray bytes = dictionary.readAll();

    frmTarot *tarot = w->toSpreadScreen();
    ReadingWalk::choose(tarot, kTwoCards, Deck::Whole, false);
    for (int card : {0, 1})
        w->platform.queueFractions({fractionFor(card, subsetOf(Deck::Whole))});
    QTest::mouseClick(tarot->cmdAuto, Qt::LeftButton);
    frmAuto *table = w->shell.existingCardTable();
    QVERIFY(table);

    CardCloseUp *closeUp = table->openCloseUp(0);
    QVERIFY(!closeUp->cmdEntry->isEnabled());
    QVERIFY(closeUp->dictionaryLink().isEmpty());

    w->folder.writeFile(QStringLiteral("tarot.dll"), bytes);
    closeUp->showCard(0);
    QVERIFY(closeUp->cmdEntry->isEnabled());
    QCOMPARE(closeUp->dictionaryLink(), QStringLiteral("https://en.wikipedia.org/wiki/Death_(tarot_card)"));
}

QTEST_MAIN(TestCloseUp)
#include "tst_closeup.moc"
