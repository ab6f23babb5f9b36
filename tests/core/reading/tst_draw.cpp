#include "fakeplatform.h"
#include "core/reading/draw.h"

#include <QSet>
#include <QtTest>

using namespace kesto;
using kesto::test::FakePlatform;

namespace {

DrawHooks hooksFor(FakePlatform &p)
{
    return {[&p] { return p.randomFraction(); }, [&p] { p.yieldToEvents(); }, [&p] { p.reseedRandom(); }};
}

// The fraction that makes floor(r * size) land on the given offset.
float fractionFor(int offset, int size) { return (float(offset) + 0.5f) / float(size); }

} // namespace

class tst_Draw : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void arrayQueries();
    void resetCast();
    void subsets_data();
    void subsets();
    void subsetBounds_data();
    void subsetBounds();
    void duplicateCostsOneMoreAttempt();
    void unfilledSlotsAreNotCompared();
    void drawnCardsShape();
    void distinctOverManySeededCasts();
    void orientationRounding_data();
    void orientationRounding();
    void crossingCardNeverReversed();
    void reversedArrayStaysUnboundedWhenAllUpright();
    void reversedUntouchedWithoutReversals();
    void reversedInPositionOrder();
    void roundHalfEven_data();
    void roundHalfEven();
};

void tst_Draw::arrayQueries()
{
    CardArray none;
    QVERIFY(!IsArrayDimensioned(none));
    QVERIFY(!IsInArray(0, none));
    CardArray empty = QList<qint32>{};
    QVERIFY(IsArrayDimensioned(empty));
    QVERIFY(!IsInArray(0, empty));
    CardArray some = QList<qint32>{5, 0, 77};
    QVERIFY(IsInArray(0, some));
    QVERIFY(IsInArray(77, some));
    QVERIFY(!IsInArray(6, some));
}

void tst_Draw::resetCast()
{
    CurrentReading r;
    r.drawnCards = QList<qint32>{1, 2};
    r.reversedCards = QList<qint32>{1};
    r.isManualPick = r.startedByAutoCast = r.startedByManual = FlagTrue;
    r.minorOnly = r.majorOnly = r.allowReversed = FlagTrue;
    r.spreadName = QStringLiteral("Celtic Cross");
    r.cardCount = 10;
    r.strName = QStringLiteral("Ann");
    r.resetCast();
    QVERIFY(!IsArrayDimensioned(r.drawnCards));
    QVERIFY(!IsArrayDimensioned(r.reversedCards));
    QCOMPARE(r.spreadName, QStringLiteral("-1"));
    QCOMPARE(r.cardCount, -1);
    for (Flag f : {r.isManualPick, r.startedByAutoCast, r.startedByManual, r.minorOnly, r.majorOnly, r.allowReversed})
        QCOMPARE(f, FlagFalse);
    QCOMPARE(r.strName, QStringLiteral("Ann")); // the querent is never cleared by a reset
}

void tst_Draw::subsets_data()
{
    QTest::addColumn<Flag>("minor");
    QTest::addColumn<Flag>("major");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("size");
    QTest::newRow("whole deck") << FlagFalse << FlagFalse << true << 0 << 78;
    QTest::newRow("major") << FlagFalse << FlagTrue << true << 0 << 22;
    QTest::newRow("minor") << FlagTrue << FlagFalse << true << 22 << 56;
    QTest::newRow("both") << FlagTrue << FlagTrue << false << 0 << 0;
}

void tst_Draw::subsets()
{
    QFETCH(Flag, minor);
    QFETCH(Flag, major);
    QFETCH(bool, exists);
    const auto subset = DeckSubsetFor({minor, major, FlagFalse});
    QCOMPARE(subset.has_value(), exists);
    if (exists) {
        QFETCH(int, first);
        QFETCH(int, size);
        QCOMPARE(subset->first, first);
        QCOMPARE(subset->size, size);
    }
}

// The extreme fractions reach the first and last card of each subset, never beyond.
void tst_Draw::subsetBounds_data()
{
    QTest::addColumn<Flag>("minor");
    QTest::addColumn<Flag>("major");
    QTest::addColumn<float>("fraction");
    QTest::addColumn<int>("card");
    const float justBelowOne = 1.0f - 1.0f / 16777216.0f;
    QTest::newRow("whole, r=0 gives 0") << FlagFalse << FlagFalse << 0.0f << 0;
    QTest::newRow("whole, r<1 gives 77") << FlagFalse << FlagFalse << justBelowOne << 77;
    QTest::newRow("major, r=0 gives 0") << FlagFalse << FlagTrue << 0.0f << 0;
    QTest::newRow("major, r<1 gives 21") << FlagFalse << FlagTrue << justBelowOne << 21;
    QTest::newRow("minor, r=0 gives 22") << FlagTrue << FlagFalse << 0.0f << 22;
    QTest::newRow("minor, r<1 gives 77") << FlagTrue << FlagFalse << justBelowOne << 77;
}

void tst_Draw::subsetBounds()
{
    QFETCH(Flag, minor);
    QFETCH(Flag, major);
    QFETCH(float, fraction);
    QFETCH(int, card);
    FakePlatform p;
    p.queueFractions({fraction});
    CurrentReading r;
    DrawCards(r, 1, {minor, major, FlagFalse}, hooksFor(p));
    QCOMPARE(r.drawnCards, CardArray(QList<qint32>{card, 0}));
}

void tst_Draw::duplicateCostsOneMoreAttempt()
{
    FakePlatform p;
    // Second position first draws the same card as the first, then a new one.
    p.queueFractions({fractionFor(5, 78), fractionFor(5, 78), fractionFor(9, 78)});
    CurrentReading r;
    DrawCards(r, 2, {}, hooksFor(p));
    QCOMPARE(r.drawnCards, CardArray(QList<qint32>{5, 9, 0}));
    QCOMPARE(p.fractionsServed, 3);
    QCOMPARE(p.yields, 3); // one yield before every attempt
    QCOMPARE(p.reseeds, 1);
}

void tst_Draw::unfilledSlotsAreNotCompared()
{
    // The zeros of slots not yet filled must not make card 0 undrawable.
    FakePlatform p;
    p.queueFractions({fractionFor(3, 78), fractionFor(0, 78)});
    CurrentReading r;
    DrawCards(r, 2, {}, hooksFor(p));
    QCOMPARE(r.drawnCards, CardArray(QList<qint32>{3, 0, 0}));
    QCOMPARE(p.fractionsServed, 2);
}

void tst_Draw::drawnCardsShape()
{
    for (int count : {1, 3, 5, 7, 10}) {
        FakePlatform p;
        QList<float> fs;
        for (int i = 0; i < count; ++i)
            fs << fractionFor(i * 7, 78);
        p.queueFractions(fs);
        CurrentReading r;
        DrawCards(r, count, {}, hooksFor(p));
        QVERIFY(IsArrayDimensioned(r.drawnCards));
        QCOMPARE(r.drawnCards->size(), count + 1);
        QCOMPARE(r.drawnCards->last(), 0); // the spare slot is never written
    }
}

void tst_Draw::distinctOverManySeededCasts()
{
    // Property over many seeded draws: every cast holds distinct cards of its subset.
    std::mt19937 gen(12345);
    std::uniform_real_distribution<float> dist(0.0f, 1.0f);
    const QList<DeckOptions> options
        = {{FlagFalse, FlagFalse, FlagTrue}, {FlagFalse, FlagTrue, FlagTrue}, {FlagTrue, FlagFalse, FlagFalse}};
    QSet<int> seenMajor, seenMinor;
    for (int round = 0; round < 3000; ++round) {
        const DeckOptions opt = options.at(round % options.size());
        const int count = QList<int>{1, 3, 5, 7, 10}.at(round % 5);
        DrawHooks hooks{[&] { return std::min(dist(gen), 0.99999994f); }, {}, {}};
        CurrentReading r;
        DrawCards(r, count, opt, hooks);
        const auto subset = *DeckSubsetFor(opt);
        QSet<int> cards;
        for (int i = 0; i < count; ++i) {
            const int c = r.drawnCards->at(i);
            QVERIFY(c >= subset.first && c < subset.first + subset.size);
            cards.insert(c);
            (opt.majorOnly == FlagTrue ? seenMajor : seenMinor).insert(c);
        }
        QCOMPARE(cards.size(), count);
    }
    QVERIFY(seenMajor.contains(21));
    QVERIFY(seenMinor.contains(77));
    QVERIFY(seenMinor.contains(0));
}

void tst_Draw::orientationRounding_data()
{
    QTest::addColumn<float>("fraction");
    QTest::addColumn<bool>("reversed");
    QTest::newRow("0.49") << 0.49f << false;
    QTest::newRow("0.5 rounds to even (upright)") << 0.5f << false;
    QTest::newRow("0.5000001") << 0.50000006f << true;
    QTest::newRow("0.99") << 0.99f << true;
    QTest::newRow("0") << 0.0f << false;
}

void tst_Draw::orientationRounding()
{
    QFETCH(float, fraction);
    QFETCH(bool, reversed);
    CurrentReading r;
    r.drawnCards = QList<qint32>{40, 0};
    QCOMPARE(ChooseOrientation(r, 1, 0, fraction), reversed);
    QCOMPARE(IsInArray(40, r.reversedCards), reversed);
    QCOMPARE(IsArrayDimensioned(r.reversedCards), reversed);
}

void tst_Draw::crossingCardNeverReversed()
{
    FakePlatform p;
    QList<float> fs;
    for (int i = 0; i < 10; ++i)
        fs << fractionFor(i, 78);
    for (int i = 0; i < 10; ++i)
        fs << 0.9f; // every orientation number says reversed
    p.queueFractions(fs);
    CurrentReading r;
    const DeckOptions opt{FlagFalse, FlagFalse, FlagTrue};
    DrawCards(r, 10, opt, hooksFor(p));
    ChooseOrientations(r, 10, hooksFor(p));
    QCOMPARE(p.fractionsServed, 20); // one number per position, the crossing card included
    QVERIFY(!IsInArray(r.drawnCards->at(1), r.reversedCards));
    QCOMPARE(r.reversedCards->size(), 9);
    // In a spread of another size, position 2 may lie reversed.
    CurrentReading five;
    five.drawnCards = QList<qint32>{1, 2, 3, 4, 5, 0};
    QVERIFY(ChooseOrientation(five, 5, 1, 0.9f));
}

void tst_Draw::reversedArrayStaysUnboundedWhenAllUpright()
{
    FakePlatform p;
    CurrentReading r;
    r.reversedCards = QList<qint32>{4}; // from an earlier cast: erased because reversals are allowed
    p.queueFractions({0.1f, 0.2f, 0.3f, 0.1f, 0.2f, 0.3f});
    DrawCards(r, 3, {FlagFalse, FlagFalse, FlagTrue}, hooksFor(p));
    ChooseOrientations(r, 3, hooksFor(p));
    QVERIFY(!IsArrayDimensioned(r.reversedCards));
}

void tst_Draw::reversedUntouchedWithoutReversals()
{
    FakePlatform p;
    CurrentReading r;
    r.reversedCards = QList<qint32>{4, 9};
    DrawCards(r, 3, {FlagFalse, FlagFalse, FlagFalse}, hooksFor(p));
    QCOMPARE(r.reversedCards, CardArray(QList<qint32>{4, 9}));
}

void tst_Draw::reversedInPositionOrder()
{
    CurrentReading r;
    r.drawnCards = QList<qint32>{10, 20, 30, 40, 50, 0};
    const QList<float> orientation = {0.1f, 0.8f, 0.1f, 0.1f, 0.8f};
    for (int i = 0; i < 5; ++i)
        ChooseOrientation(r, 5, i, orientation.at(i));
    QCOMPARE(r.reversedCards, CardArray(QList<qint32>{20, 50}));
}

void tst_Draw::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("rounded");
    QTest::newRow("0.5") << 0.5 << qint64(0);
    QTest::newRow("1.5") << 1.5 << qint64(2);
    QTest::newRow("2.5") << 2.5 << qint64(2);
    QTest::newRow("9.5") << 9.5 << qint64(10);
    QTest::newRow("4.49") << 4.49 << qint64(4);
    QTest::newRow("4.51") << 4.51 << qint64(5);
    QTest::newRow("0") << 0.0 << qint64(0);
}

void tst_Draw::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(qint64, rounded);
    QCOMPARE(RoundHalfEven(value), rounded);
}

QTEST_GUILESS_MAIN(tst_Draw)
#include "tst_draw.moc"
