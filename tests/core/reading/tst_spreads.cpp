#include "core/reading/spreads.h"

#include <QtTest>

using namespace kesto;
using namespace Qt::StringLiterals;

class tst_Spreads : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void catalogue_data();
    void catalogue();
    void lookupMisses_data();
    void lookupMisses();
    void positionBounds();
    void storedTexts();
};

void tst_Spreads::catalogue_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("listName");
    QTest::addColumn<QString>("menuCaption");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<int>("cards");
    QTest::addColumn<bool>("inlineJoin");

    QTest::newRow("celtic cross") << 0 << u"Celtic Cross"_s << u"&Celtic Cross"_s
                                  << u"Spread Type - Celtic Cross Spread"_s << 10 << false;
    QTest::newRow("one card") << 1 << u"One Card"_s << u"&One Card"_s << u"Spread Type - One Card"_s << 1 << true;
    QTest::newRow("two cards") << 2 << u"Two Cards"_s << u"&Two Cards"_s << u"Spread Type - Two Cards"_s << 2 << true;
    QTest::newRow("three cards") << 3 << u"Three Cards"_s << u"T&hree Cards"_s << u"Spread Type - Three Cards"_s << 3
                                 << false;
    QTest::newRow("eliphas levy wheel") << 4 << u"Eliphas Levy Wheel Spread(Halvery)"_s
                                        << u"&Eliphas Levy Wheel Spread(Halvery)"_s
                                        << u"Spread Type - Eliphas Levy Wheel Spread(Halvery)"_s << 5 << false;
    QTest::newRow("line spread") << 5 << u"The Line Spread"_s << u"The &Line Spread"_s
                                 << u"Spread Type - The Line Spread"_s << 5 << true;
    QTest::newRow("chakra") << 6 << u"Seven Card Chakra Layout"_s << u"&Seven card chakra layout"_s
                            << u"Spread Type - Seven Card Chakra Spread"_s << 7 << false;
    QTest::newRow("four seasons") << 7 << u"Four Seasons Spread(Moravin/Fenwyn)"_s
                                  << u"F&our Seasons Spread(Moravin/Fenwyn)"_s << u"Spread Type - Four Seasons Spread"_s
                                  << 8 << false;
}

void tst_Spreads::catalogue()
{
    QFETCH(int, index);
    QFETCH(QString, listName);
    QFETCH(QString, menuCaption);
    QFETCH(QString, heading);
    QFETCH(int, cards);
    QFETCH(bool, inlineJoin);

    const Spread *spread = SpreadByIndex(index);
    QVERIFY(spread);
    QCOMPARE(spread->index, index);
    QCOMPARE(spread->listName, listName);
    QCOMPARE(spread->menuCaption, menuCaption);
    QCOMPARE(spread->heading, heading);
    QCOMPARE(spread->cardCount, cards);
    QCOMPARE(spread->positions.size(), cards);
    QVERIFY(!spread->description.isEmpty());

    // Index and name must name the same entry.
    QCOMPARE(SpreadByName(listName), spread);

    // Every position has a title and a meaning, and the whole spread is joined one way.
    const PositionJoin join = inlineJoin ? PositionJoin::Inline : PositionJoin::Below;
    for (int p = 1; p <= cards; ++p) {
        const SpreadPosition *position = PositionText(*spread, p);
        QVERIFY(position);
        QCOMPARE(PositionText(index, p), position);
        QCOMPARE(PositionText(listName, p), position);
        QVERIFY(position->title.startsWith(QStringLiteral("Card ") + QString::number(p)));
        QVERIFY(!position->meaning.isEmpty());
        QCOMPARE(position->join, join);
        // An inline title ends in a blank so that the meaning does not run into it.
        QCOMPARE(position->title.endsWith(QLatin1Char(' ')), inlineJoin);
    }

    QCOMPARE(SpreadPicturePath(QStringLiteral("/opt/kesto"), index),
             QStringLiteral("/opt/kesto/pic/c") + QString::number(index) + QStringLiteral(".jpg"));
}

void tst_Spreads::lookupMisses_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("no cast yet") << u"-1"_s;
    QTest::newRow("empty") << QString();
    // The seven-card menu caption's spelling: names compare case-sensitively.
    QTest::newRow("chakra in lower case") << u"Seven card chakra layout"_s;
    QTest::newRow("menu caption") << u"&One Card"_s;
    QTest::newRow("report heading") << u"Spread Type - One Card"_s;
    QTest::newRow("trailing blank") << u"Celtic Cross "_s;
}

void tst_Spreads::lookupMisses()
{
    QFETCH(QString, name);
    QCOMPARE(SpreadByName(name), nullptr);
    QCOMPARE(PositionText(name, 1), nullptr);
}

void tst_Spreads::positionBounds()
{
    QCOMPARE(SpreadByIndex(-1), nullptr);
    QCOMPARE(SpreadByIndex(kSpreadCount), nullptr);
    QCOMPARE(PositionText(kSpreadCount, 1), nullptr);
    for (int i = 0; i < kSpreadCount; ++i) {
        const Spread *spread = SpreadByIndex(i);
        QCOMPARE(PositionText(*spread, 0), nullptr);
        QCOMPARE(PositionText(*spread, spread->cardCount + 1), nullptr);
    }
}

void tst_Spreads::storedTexts()
{
    // Description 6 keeps the two blanks after "top.".
    QCOMPARE(SpreadByIndex(kChakraLayout)->description,
             u"This is a more meditative spread. This gives a clear idea of what is flowing smoothly in the "
             "querent's body and which chakras are blocked or which need more attention. The layout is "
             "vertical representing the seven chakras in our body. It is read from bottom to top.  This "
             "spread is very useful for readings in which one wants to know more about oneself. Each card is "
             "associated with a chakra colour."_s);

    // Indexes 4 and 5 both have five cards; each keeps its own texts.
    QCOMPARE(PositionText(kEliphasLevyWheel, 5)->title, u"Card 5 - Synthesis"_s);
    QCOMPARE(PositionText(kLineSpread, 5)->meaning, u"This card represents the distant future."_s);
    QVERIFY(SpreadByIndex(kEliphasLevyWheel)->description.startsWith(u"This layout is based on the Eliphas"_s));
    QVERIFY(SpreadByIndex(kLineSpread)->description.startsWith(u"All cards in this layout"_s));

    // Blanks that belong to the stored texts.
    QCOMPARE(PositionText(kOneCard, 1)->title, u"Card 1:  "_s);
    QVERIFY(PositionText(kChakraLayout, 5)->meaning.contains(u"like to be'.  This shows"_s));
    QCOMPARE(PositionText(kFourSeasons, 4)->meaning, u"This card alters the next card (Card5)"_s);

    // Both positions of Two Cards print the same meaning after different titles.
    QCOMPARE(PositionText(kTwoCards, 1)->meaning, PositionText(kTwoCards, 2)->meaning);
    QVERIFY(PositionText(kTwoCards, 1)->title != PositionText(kTwoCards, 2)->title);

    // The crossing card is position 2 of the Celtic Cross.
    QCOMPARE(PositionText(kCelticCross, 2)->title, u"Card 2: The Crossing"_s);
}

QTEST_GUILESS_MAIN(tst_Spreads)
#include "tst_spreads.moc"
