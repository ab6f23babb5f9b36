#include "core/reading/deck.h"

#include <QHash>
#include <QRegularExpression>
#include <QtTest>

using namespace kesto;

namespace {

struct Row
{
    int id;
    const char *name;
    const char *uprightOpening;
    int uprightLength;
    const char *reversedOpening;
    int reversedLength;
};

constexpr Row kTable[] = {
#include "deck_table.inc"
};

// The two pairs of cards that share one reversed text word for word.
bool isSharedReversedPair(int a, int b)
{
    const std::pair<int, int> pair = std::minmax(a, b);
    return pair == std::pair(11, 20) || pair == std::pair(26, 27);
}

} // namespace

class tst_Deck : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void names();
    void titles_data();
    void titles();
    void picturePaths();
    void outsideTheCatalogue();
    void meanings_data();
    void meanings();
    void sharedReversedTexts();
    void allOtherTextsDistinct();
    void noSentenceSharedBetweenCards();
};

void tst_Deck::names()
{
    for (const Row &row : kTable)
        QCOMPARE(CardName(row.id), QString::fromUtf8(row.name));
}

void tst_Deck::titles_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<QString>("title");
    QTest::newRow("77 reversed") << 77 << true << QStringLiteral("Two of Pentacles - Reversed");
    QTest::newRow("21 upright") << 21 << false << QStringLiteral("Wheel Fortune");
    QTest::newRow("0 reversed") << 0 << true << QStringLiteral("Death - Reversed");
}

void tst_Deck::titles()
{
    QFETCH(int, id);
    QFETCH(bool, reversed);
    QFETCH(QString, title);
    QCOMPARE(CardTitle(id, reversed), title);
    for (const Row &row : kTable)
        QCOMPARE(CardTitle(row.id, true), QString::fromUtf8(row.name) + QStringLiteral(" - Reversed"));
}

void tst_Deck::picturePaths()
{
    QCOMPARE(CardPicturePath(QStringLiteral("/opt/kesto"), 0), QStringLiteral("/opt/kesto/cards/r0.jpg"));
    QCOMPARE(CardPicturePath(QStringLiteral("/opt/kesto"), 7), QStringLiteral("/opt/kesto/cards/r7.jpg"));
    QCOMPARE(CardPicturePath(QStringLiteral("/opt/kesto"), 77), QStringLiteral("/opt/kesto/cards/r77.jpg"));
}

void tst_Deck::outsideTheCatalogue()
{
    for (int id : {-1, 78, 1000}) {
        QVERIFY(CardName(id).isEmpty());
        QVERIFY(CardTitle(id, true).isEmpty());
        QVERIFY(CardMeaning(id, false).isEmpty());
    }
}

void tst_Deck::meanings_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<int>("length");
    for (const Row &row : kTable) {
        QTest::addRow("%d %s upright", row.id, row.name)
            << row.id << false << QString::fromUtf8(row.uprightOpening) << row.uprightLength;
        QTest::addRow("%d %s reversed", row.id, row.name)
            << row.id << true << QString::fromUtf8(row.reversedOpening) << row.reversedLength;
    }
}

void tst_Deck::meanings()
{
    QFETCH(int, id);
    QFETCH(bool, reversed);
    QFETCH(QString, opening);
    QFETCH(int, length);
    const QString text = CardMeaning(id, reversed);
    QVERIFY2(text.startsWith(opening), qPrintable(text));
    QCOMPARE(text.size(), length);
    // One paragraph of plain text: no line breaks, no tabs, no blanks at either end, no runs
    // of three blanks or more, and more than the opening sentence.
    QVERIFY(!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')));
    QVERIFY(!text.contains(QLatin1Char('\t')));
    QCOMPARE(text.trimmed(), text);
    QVERIFY(!text.contains(QStringLiteral("   ")));
    QVERIFY(text.size() > opening.size() + 20);
    QVERIFY2(text.endsWith(QLatin1Char('.')) || text.endsWith(QLatin1Char('!')), qPrintable(text));
}

void tst_Deck::sharedReversedTexts()
{
    QCOMPARE(CardMeaning(11, true), CardMeaning(20, true));
    QCOMPARE(CardMeaning(26, true), CardMeaning(27, true));
    QVERIFY(CardMeaning(11, true).startsWith(QStringLiteral("You may feel dissatisfied with life.")));
}

void tst_Deck::allOtherTextsDistinct()
{
    QHash<QString, QPair<int, bool>> seen;
    for (int id = 0; id < kCardCount; ++id) {
        for (bool reversed : {false, true}) {
            const QString text = CardMeaning(id, reversed);
            const auto it = seen.constFind(text);
            if (it != seen.constEnd()) {
                const bool allowed = reversed && it->second && isSharedReversedPair(id, it->first);
                QVERIFY2(allowed,
                         qPrintable(QStringLiteral("card %1 repeats the text of card %2").arg(id).arg(it->first)));
            }
            seen.insert(text, {id, reversed});
        }
    }
}

void tst_Deck::noSentenceSharedBetweenCards()
{
    // Apart from the two shared reversed texts, no sentence of any length worth noticing is
    // copied from one card to another.
    static const QRegularExpression sentenceEnd(QStringLiteral("(?<=[.!?])\\s+"));
    QHash<QString, int> owner;
    for (int id = 0; id < kCardCount; ++id) {
        for (bool reversed : {false, true}) {
            if (reversed && (id == 20 || id == 27))
                continue;
            const QStringList sentences = CardMeaning(id, reversed).split(sentenceEnd, Qt::SkipEmptyParts);
            for (const QString &s : sentences) {
                if (s.size() < 30)
                    continue;
                const auto it = owner.constFind(s);
                if (it != owner.constEnd() && it.value() != id)
                    QFAIL(
                        qPrintable(QStringLiteral("\"%1\" appears in cards %2 and %3").arg(s).arg(it.value()).arg(id)));
                owner.insert(s, id);
            }
        }
    }
}

QTEST_GUILESS_MAIN(tst_Deck)
#include "tst_deck.moc"
