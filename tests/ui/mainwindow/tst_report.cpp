#include "ui/mainwindow/texteditrichtext.h"
#include "core/platform/maker.h"
#include "core/platform/twips.h"
#include "core/reading/deck.h"
#include "core/reading/report.h"
#include "core/reading/spreads.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

using namespace kesto;
using namespace Qt::StringLiterals;

namespace {

const QString kCrLf = u"\r\n"_s;

QString separator() { return QString(512, QLatin1Char(' ')); }

QString banner()
{
    return maker::forumName()
        + u" the most popular online discussion forum. A place to learn, to share and to make new friends."_s + kCrLf
        + kCrLf + u"Visit "_s + kCrLf + maker::siteAddress() + u" "_s + kCrLf + u"Now "_s + kCrLf + separator() + kCrLf;
}

QString spreadPart(const QString &heading, SpreadIndex index, bool emptyLineAfterHeading,
                   bool emptyLineAfterDescription)
{
    return heading + (emptyLineAfterHeading ? kCrLf : QString()) + kCrLf + SpreadByIndex(index)->description
        + (emptyLineAfterDescription ? kCrLf : QString()) + kCrLf + separator() + kCrLf + kCrLf;
}

// A position's title and meaning joined below.
QString below(SpreadIndex index, int position)
{
    const SpreadPosition *p = PositionText(index, position);
    return p->title + kCrLf + p->meaning;
}

// One position block after its position text.
QString card(CardId id, bool reversed)
{
    const QString lead = (id == 0 && reversed) ? kCrLf : kCrLf + kCrLf;
    return lead + CardTitle(id, reversed) + kCrLf + CardMeaning(id, reversed) + kCrLf + separator() + kCrLf;
}

QString separatorOnly() { return kCrLf + separator() + kCrLf; }

QString closing()
{
    return kCrLf + u"Thank You for using Kesto. Come spend some time with us online at "_s + maker::siteAddress()
        + u". The best online discussion forum for every esoteric."_s + kCrLf;
}

// Where two texts first differ, with a little context, for a readable failure.
QByteArray difference(const QString &actual, const QString &expected)
{
    qsizetype i = 0;
    while (i < actual.size() && i < expected.size() && actual.at(i) == expected.at(i))
        ++i;
    const auto show = [i](const QString &s) {
        return s.mid(qMax<qsizetype>(0, i - 40), 80).replace(u"\r"_s, u"\\r"_s).replace(u"\n"_s, u"\\n"_s);
    };
    return QStringLiteral("first difference at %1 (lengths %2 and %3)\n  actual:   ...%4...\n  expected: ...%5...")
        .arg(i)
        .arg(actual.size())
        .arg(expected.size())
        .arg(show(actual), show(expected))
        .toUtf8();
}

#define COMPARE_TEXT(actual, expected)                      \
    do {                                                    \
        const QString a_ = (actual);                        \
        const QString e_ = (expected);                      \
        QVERIFY2(a_ == e_, difference(a_, e_).constData()); \
    } while (false)

CurrentReading readingOf(const QString &spreadName, bool manual, const CardArray &cards, const CardArray &reversed)
{
    CurrentReading r;
    r.spreadName = spreadName;
    r.isManualPick = toFlag(manual);
    r.drawnCards = cards;
    r.reversedCards = reversed;
    return r;
}

// The reading display as the main window has it: a narrow box.
struct ReadingDisplay
{
    ReadingDisplay()
    {
        edit.resize(twipsToPixels(3645), twipsToPixels(8875));
        edit.setReadOnly(true);
    }
    QTextEdit edit;
    TextEditRichText box{&edit};
};

// Document range of the first occurrence of a text (no line breaks in it).
std::pair<int, int> rangeOf(const QTextDocument *doc, const QString &text, int from = 0)
{
    const QTextCursor found = doc->find(text, from, QTextDocument::FindCaseSensitively);
    return {found.selectionStart(), found.selectionEnd()};
}

// True when every character in [start, end) satisfies the check.
template<typename Check>
bool everyChar(const QTextDocument *doc, std::pair<int, int> range, Check check)
{
    if (range.first < 0 || range.second <= range.first)
        return false;
    QTextCursor c(const_cast<QTextDocument *>(doc));
    for (int p = range.first; p < range.second; ++p) {
        c.setPosition(p + 1); // the format of the character before the cursor
        if (!check(c.charFormat()))
            return false;
    }
    return true;
}

bool isBold(const QTextCharFormat &f) { return f.fontWeight() == QFont::Bold; }
bool isPlain(const QTextCharFormat &f) { return f.fontWeight() != QFont::Bold && !f.fontUnderline(); }
bool isUnderlinedOnly(const QTextCharFormat &f) { return f.fontUnderline() && f.fontWeight() != QFont::Bold; }

Qt::Alignment alignmentAt(const QTextDocument *doc, int position)
{
    return doc->findBlock(position).blockFormat().alignment() & Qt::AlignHorizontal_Mask;
}

} // namespace

class tst_Report : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void wholeText_data();
    void wholeText();
    void noBoundsWritesNothing();
    void emphasisAndAlignment();
    void cardSectionFollowsCaret();
    void headerGoesAtTheEnd();
    void boxSpeaksCrLf();
    void separatorIsARule();
};

void tst_Report::wholeText_data()
{
    QTest::addColumn<CurrentReading>("reading");
    QTest::addColumn<QString>("expected");

    const QList<qint32> celtic{6, 21, 77, 30, 45, 12, 0, 55, 3, 60};
    const QList<qint32> celticReversed{77, 55};
    const auto celticSection = [&] {
        QString s;
        for (int i = 0; i < celtic.size(); ++i)
            s += below(kCelticCross, i + 1) + card(celtic[i], celticReversed.contains(celtic[i]));
        return s;
    };
    const QString celticHeader
        = banner() + spreadPart(u"Spread Type - Celtic Cross Spread"_s, kCelticCross, false, false);

    // The spare slot holds card 0; reporting it would add a block for Death.
    QTest::newRow("celtic cross automatic")
        << readingOf(u"Celtic Cross"_s, false, QList<qint32>(celtic) << 0, celticReversed)
        << celticHeader + celticSection() + closing();
    QTest::newRow("celtic cross manual") << readingOf(u"Celtic Cross"_s, true, celtic, celticReversed)
                                         << celticHeader + celticSection() + closing();

    QTest::newRow("one card") << readingOf(u"One Card"_s, false, QList<qint32>{33, 0}, std::nullopt)
                              << banner() + u"Spread Type - One Card"_s + kCrLf + SpreadByIndex(kOneCard)->description
            + kCrLf + kCrLf + separator() + kCrLf + kCrLf
            + u"Card 1:  This represents the most important factor that affects the issue in hand."_s + card(33, false)
            + closing();

    QTest::newRow("eliphas levy wheel") << readingOf(u"Eliphas Levy Wheel Spread(Halvery)"_s, true,
                                                     QList<qint32>{1, 2, 3, 4, 5}, QList<qint32>{4})
                                        << banner()
            + spreadPart(u"Spread Type - Eliphas Levy Wheel Spread(Halvery)"_s, kEliphasLevyWheel, true, false)
            + below(kEliphasLevyWheel, 1) + card(1, false) + below(kEliphasLevyWheel, 2) + card(2, false)
            + below(kEliphasLevyWheel, 3) + card(3, false) + below(kEliphasLevyWheel, 4) + card(4, true)
            + below(kEliphasLevyWheel, 5) + card(5, false) + closing();

    QTest::newRow("line spread") << readingOf(u"The Line Spread"_s, false, QList<qint32>{22, 23, 24, 25, 26, 0},
                                              std::nullopt)
                                 << banner() + spreadPart(u"Spread Type - The Line Spread"_s, kLineSpread, false, false)
            + u"Card 1 - This card represents the distant past."_s + card(22, false)
            + u"Card 2 - This card represents the recent past."_s + card(23, false)
            + u"Card 3 - This card represents the present."_s + card(24, false)
            + u"Card 4 - This card represents the near future."_s + card(25, false)
            + u"Card 5 - This card represents the distant future."_s + card(26, false) + closing();

    // Death's reversed title follows one line break, not two.
    QTest::newRow("death reversed") << readingOf(u"One Card"_s, true, QList<qint32>{0}, QList<qint32>{0})
                                    << banner() + spreadPart(u"Spread Type - One Card"_s, kOneCard, false, true)
            + u"Card 1:  This represents the most important factor that affects the issue in hand."_s + kCrLf
            + u"Death - Reversed"_s + kCrLf + CardMeaning(0, true) + kCrLf + separator() + kCrLf + closing();

    // Orientation follows the card id: the card listed first in reversedCards lies at position 3.
    QTest::newRow("reversed by card, not position")
        << readingOf(u"Three Cards"_s, false, QList<qint32>{14, 7, 40, 0}, QList<qint32>{40})
        << banner() + spreadPart(u"Spread Type - Three Cards"_s, kThreeCards, false, true) + below(kThreeCards, 1)
            + card(14, false) + below(kThreeCards, 2) + card(7, false) + below(kThreeCards, 3) + card(40, true)
            + closing();

    QTest::newRow("no spread chosen") << readingOf(u"-1"_s, false, QList<qint32>{5, 63, 0}, QList<qint32>{63})
                                      << banner() + card(5, false) + card(63, true) + closing();

    // An unknown card gets only its separator; the next position still has its own number.
    QTest::newRow("card ids outside the deck")
        << readingOf(u"Two Cards"_s, true, QList<qint32>{78, 9, -1}, std::nullopt)
        << banner() + spreadPart(u"Spread Type - Two Cards"_s, kTwoCards, false, true) + separatorOnly() + u"Card 2: "_s
            + PositionText(kTwoCards, 2)->meaning + card(9, false) + separatorOnly() + closing();
}

void tst_Report::wholeText()
{
    QFETCH(CurrentReading, reading);
    QFETCH(QString, expected);

    ReadingDisplay display;
    WriteSpreadHeader(display.box, reading);
    QVERIFY(WriteCardReadings(display.box, reading));
    COMPARE_TEXT(display.box.text(), expected);
    QCOMPARE(display.box.caret(), expected.size());
    // The document itself holds one paragraph per line.
    COMPARE_TEXT(display.edit.toPlainText(), QString(expected).replace(kCrLf, u"\n"_s));
}

void tst_Report::noBoundsWritesNothing()
{
    const CurrentReading reading = readingOf(u"One Card"_s, false, std::nullopt, QList<qint32>{3});
    ReadingDisplay display;
    WriteSpreadHeader(display.box, reading);
    const QString header = display.box.text();
    QCOMPARE(header, banner() + spreadPart(u"Spread Type - One Card"_s, kOneCard, false, true));

    QVERIFY(!WriteCardReadings(display.box, reading));
    COMPARE_TEXT(display.box.text(), header);
}

void tst_Report::emphasisAndAlignment()
{
    const CurrentReading reading = readingOf(u"Three Cards"_s, true, QList<qint32>{14, 7, 40}, QList<qint32>{7});
    ReadingDisplay display;
    WriteSpreadHeader(display.box, reading);
    WriteCardReadings(display.box, reading);
    const QTextDocument *doc = display.edit.document();

    // Banner: bold throughout; the three lines after the forum line are centred, the rest left.
    const auto forumLine = rangeOf(doc, maker::forumName() + u" the most popular"_s);
    QVERIFY(everyChar(doc, forumLine, isBold));
    QCOMPARE(alignmentAt(doc, forumLine.first), Qt::AlignLeft);
    for (const QString &line : QStringList{u"Visit "_s, maker::siteAddress() + u" "_s, u"Now "_s}) {
        const auto range = rangeOf(doc, line);
        QVERIFY2(everyChar(doc, range, isBold), qPrintable(line));
        QCOMPARE(alignmentAt(doc, range.first), Qt::AlignHCenter);
        QCOMPARE(doc->findBlock(range.first).text(), line);
    }

    // Heading bold, description plain.
    const auto heading = rangeOf(doc, u"Spread Type - Three Cards"_s);
    QVERIFY(everyChar(doc, heading, isBold));
    QVERIFY(everyChar(doc, rangeOf(doc, SpreadByIndex(kThreeCards)->description), isPlain));

    // Position titles and card titles bold; meanings plain.
    int from = heading.second;
    for (int p = 1; p <= 3; ++p) {
        const SpreadPosition *position = PositionText(kThreeCards, p);
        const auto title = rangeOf(doc, position->title, from);
        QVERIFY(everyChar(doc, title, isBold));
        QVERIFY(everyChar(doc, rangeOf(doc, position->meaning, title.second), isPlain));
        const CardId id = QList<qint32>{14, 7, 40}.at(p - 1);
        const auto cardTitle = rangeOf(doc, CardTitle(id, id == 7), title.second);
        QVERIFY(everyChar(doc, cardTitle, isBold));
        const auto cardMeaning = rangeOf(doc, CardMeaning(id, id == 7), cardTitle.second);
        QVERIFY(everyChar(doc, cardMeaning, isPlain));
        from = cardMeaning.second;
    }
    QVERIFY(everyChar(doc, rangeOf(doc, u"Thank You for using Kesto."_s), isBold));

    // Every separator: 512 underlined, not bold blanks, left-aligned, alone in its paragraph.
    int separators = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block.text() != separator())
            continue;
        ++separators;
        QVERIFY(everyChar(doc, {block.position(), block.position() + 512}, isUnderlinedOnly));
        QCOMPARE(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }
    QCOMPARE(separators, 2 + 3);
}

void tst_Report::cardSectionFollowsCaret()
{
    const CurrentReading reading = readingOf(u"One Card"_s, true, QList<qint32>{57}, std::nullopt);
    const QString section = u"Card 1:  This represents the most important factor that affects the issue in hand."_s
        + card(57, false) + closing();

    // The caret at the start of the heading line (after many CR LFs) and at the very start.
    for (const int caret : {int(banner().size()), 0}) {
        ReadingDisplay display;
        WriteSpreadHeader(display.box, reading);
        const QString header = display.box.text();
        display.box.setCaret(caret);
        WriteCardReadings(display.box, reading);
        COMPARE_TEXT(display.box.text(), header.left(caret) + section + header.mid(caret));
        QCOMPARE(display.box.caret(), caret + section.size());
    }
}

void tst_Report::headerGoesAtTheEnd()
{
    // The header is appended even when the caret stands elsewhere.
    ReadingDisplay display;
    display.box.insert(u"earlier\r\ntext"_s);
    display.box.setCaret(2);
    WriteSpreadHeader(display.box, u"-1"_s);
    COMPARE_TEXT(display.box.text(), u"earlier\r\ntext"_s + banner());
}

void tst_Report::boxSpeaksCrLf()
{
    ReadingDisplay display;
    TextEditRichText &box = display.box;
    box.insert(u"ab\r\ncd\r\n\r\nef"_s);
    QCOMPARE(box.text(), u"ab\r\ncd\r\n\r\nef"_s);
    QCOMPARE(box.caret(), 12);
    QCOMPARE(display.edit.document()->blockCount(), 4);

    box.setCaret(4); // before "c"
    QCOMPARE(box.caret(), 4);
    box.insert(u"X"_s);
    QCOMPARE(box.text(), u"ab\r\nXcd\r\n\r\nef"_s);
    QCOMPARE(box.caret(), 5);

    box.setCaret(9); // the empty line
    box.insert(u"Y"_s);
    QCOMPARE(box.text(), u"ab\r\nXcd\r\nY\r\nef"_s);

    box.setCaret(3); // between CR and LF: before the line break
    QCOMPARE(box.caret(), 2);

    box.setCaret(1000);
    QCOMPARE(box.caret(), int(box.text().size()));
    box.setCaret(-1); // refused
    QCOMPARE(box.caret(), int(box.text().size()));

    // A lone CR or LF also starts a paragraph.
    box.insert(u"\ng\rh"_s);
    QCOMPARE(box.text(), u"ab\r\nXcd\r\nY\r\nef\r\ng\r\nh"_s);

    // Inserting replaces a selection made in the display.
    QTextCursor cursor = display.edit.textCursor();
    cursor.setPosition(0);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    display.edit.setTextCursor(cursor);
    QCOMPARE(box.caret(), 0);
    box.insert(u"Z"_s);
    QCOMPARE(box.text(), u"Z\r\nXcd\r\nY\r\nef\r\ng\r\nh"_s);
}

void tst_Report::separatorIsARule()
{
    const CurrentReading reading = readingOf(u"One Card"_s, true, QList<qint32>{8}, std::nullopt);
    ReadingDisplay display;
    WriteSpreadHeader(display.box, reading);
    WriteCardReadings(display.box, reading);
    const QTextDocument *doc = display.edit.document();

    // Qt draws no underline under blanks at a line's end, so the separator paragraphs, and only
    // they, carry a rule across the box.
    QList<int> rules;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        QCOMPARE(TextEditRichText::isRuleBlock(block), block.text() == separator());
        if (TextEditRichText::isRuleBlock(block)) {
            rules.append(block.blockNumber());
            QCOMPARE(block.blockFormat().lengthProperty(QTextFormat::BlockTrailingHorizontalRulerWidth),
                     QTextLength(QTextLength::PercentageLength, 100));
        }
    }
    QCOMPARE(rules.size(), 3);

    // Text typed into a separator turns it back into an ordinary paragraph.
    const QTextBlock first = doc->findBlockByNumber(rules.first());
    display.box.setCaret(int(first.position() + first.blockNumber() + 10));
    display.box.insert(u"x"_s);
    QVERIFY(!TextEditRichText::isRuleBlock(doc->findBlockByNumber(rules.first())));

    // Blanks that are not underlined are no rule.
    ReadingDisplay other;
    other.box.insert(separator() + kCrLf);
    QVERIFY(!TextEditRichText::isRuleBlock(other.edit.document()->firstBlock()));
}

QTEST_MAIN(tst_Report)
#include "tst_report.moc"
