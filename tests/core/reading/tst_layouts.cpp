#include "core/reading/spreads.h"
#include "core/reading/layouts.h"

#include <QtTest>

using namespace kesto;

class tst_Layouts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void positions_data();
    void positions();
    void outsideTheTable();
    void oneBoxPerCatalogueCard();
    void onlyTheCrossingCardIsTurned();
    void cardsDoNotOverlap();
    void crossingCardLiesAcrossCardOne();
};

void tst_Layouts::positions_data()
{
    QTest::addColumn<int>("spread");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<bool>("turned");
    QTest::addColumn<int>("count");
    QTest::newRow("celtic cross centre") << 0 << 1 << 3200 << 3700 << false << 10;
    QTest::newRow("celtic cross crossing") << 0 << 2 << 2300 << 4200 << true << 10;
    QTest::newRow("celtic cross outcome") << 0 << 10 << 8500 << 0 << false << 10;
    QTest::newRow("one card") << 1 << 1 << 5000 << 2500 << false << 1;
    QTest::newRow("two cards second") << 2 << 2 << 6200 << 2500 << false << 2;
    QTest::newRow("three cards first") << 3 << 1 << 2200 << 2500 << false << 3;
    QTest::newRow("levy wheel centre") << 4 << 1 << 5000 << 3800 << false << 5;
    QTest::newRow("levy wheel above") << 4 << 5 << 5000 << 0 << false << 5;
    QTest::newRow("line first at the right") << 5 << 1 << 8900 << 2500 << false << 5;
    QTest::newRow("line last at the left") << 5 << 5 << 100 << 2500 << false << 5;
    QTest::newRow("chakra root at the bottom") << 6 << 1 << 4500 << 22600 << false << 7;
    QTest::newRow("chakra crown at the top") << 6 << 7 << 4500 << 0 << false << 7;
    QTest::newRow("four seasons spring") << 7 << 1 << 100 << 7600 << false << 8;
    QTest::newRow("four seasons last") << 7 << 8 << 6700 << 11400 << false << 8;
}

void tst_Layouts::positions()
{
    QFETCH(int, spread);
    QFETCH(int, position);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(bool, turned);
    QFETCH(int, count);
    QCOMPARE(int(LayoutPositions(spread).size()), count);
    const auto p = LayoutPositionOf(spread, position);
    QVERIFY(p);
    QCOMPARE(*p, (LayoutPosition{left, top, turned}));
    const QRect box = LayoutBoxTwips(spread, position);
    QCOMPARE(box.topLeft(), QPoint(left, top));
    const QSize upright = kCardPictureSize * kPictureTwipsPerPixel;
    QCOMPARE(box.size(), turned ? upright.transposed() : upright);
}

void tst_Layouts::outsideTheTable()
{
    QVERIFY(LayoutPositions(-1).empty());
    QVERIFY(LayoutPositions(kSpreadLayoutCount).empty());
    QVERIFY(!LayoutPositionOf(0, 0));
    QVERIFY(!LayoutPositionOf(0, 11));
    QVERIFY(!LayoutPositionOf(1, 2));
    QVERIFY(!LayoutPositionOf(8, 1));
    QVERIFY(LayoutBoxTwips(3, 4).isNull());
    QVERIFY(LayoutBoundsTwips(-1).isNull());
}

void tst_Layouts::oneBoxPerCatalogueCard()
{
    for (SpreadIndex index = 0; index < kSpreadCount; ++index)
        QCOMPARE(int(LayoutPositions(index).size()), SpreadByIndex(index)->cardCount);
}

void tst_Layouts::onlyTheCrossingCardIsTurned()
{
    int turned = 0;
    for (int spread = 0; spread < kSpreadLayoutCount; ++spread) {
        for (const LayoutPosition &p : LayoutPositions(spread))
            turned += p.quarterTurned ? 1 : 0;
    }
    QCOMPARE(turned, 1);
    QVERIFY(LayoutPositionOf(0, 2)->quarterTurned);
}

// Pictures are shown at their own size: with the chosen card size every card of every
// spread lies on the card table and clear of its neighbours, the crossing pair excepted.
void tst_Layouts::cardsDoNotOverlap()
{
    const QRect table(0, 0, kCardTableWidthTwips, kCardTableHeightTwips);
    for (int spread = 0; spread < kSpreadLayoutCount; ++spread) {
        const int count = int(LayoutPositions(spread).size());
        for (int a = 1; a <= count; ++a) {
            const QRect boxA = LayoutBoxTwips(spread, a);
            QVERIFY2(table.contains(boxA), qPrintable(QStringLiteral("spread %1 position %2").arg(spread).arg(a)));
            for (int b = a + 1; b <= count; ++b) {
                if (spread == 0 && a == 1 && b == 2)
                    continue;
                QVERIFY2(
                    !boxA.intersects(LayoutBoxTwips(spread, b)),
                    qPrintable(QStringLiteral("spread %1: positions %2 and %3 overlap").arg(spread).arg(a).arg(b)));
            }
        }
    }
}

void tst_Layouts::crossingCardLiesAcrossCardOne()
{
    const QRect card = LayoutBoxTwips(0, 1);
    const QRect crossing = LayoutBoxTwips(0, 2);
    QVERIFY(crossing.width() > crossing.height());
    // Across: wider than card 1 on both sides, within its height.
    QVERIFY(crossing.left() < card.left() && crossing.right() > card.right());
    QVERIFY(crossing.top() > card.top() && crossing.bottom() < card.bottom());
    // Centred as nearly as the table allows: within 14 pixels either way.
    const QPoint miss = crossing.center() - card.center();
    QVERIFY2(qAbs(miss.x()) <= 14 * kPictureTwipsPerPixel && qAbs(miss.y()) <= 14 * kPictureTwipsPerPixel,
             qPrintable(QStringLiteral("off by %1, %2 twips").arg(miss.x()).arg(miss.y())));
}

QTEST_GUILESS_MAIN(tst_Layouts)
#include "tst_layouts.moc"
