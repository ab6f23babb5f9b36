#include "core/reading/report.h"

#include "core/platform/maker.h"
#include "core/reading/deck.h"
#include "core/reading/spreads.h"

namespace kesto {

namespace {

const QString &crlf()
{
    static const QString s = QStringLiteral("\r\n");
    return s;
}

const QString &separatorLine()
{
    static const QString s(kSeparatorBlanks, QLatin1Char(' '));
    return s;
}

void insertBold(RichTextBox &box, const QString &text)
{
    box.setBold(true);
    box.insert(text);
    box.setBold(false);
}

// The Eliphas Levy Wheel has an empty line between its heading and its description.
bool emptyLineAfterHeading(SpreadIndex index) { return index == kEliphasLevyWheel; }

// The three smallest spreads have an empty line after their description.
bool emptyLineAfterDescription(SpreadIndex index)
{
    return index == kOneCard || index == kTwoCards || index == kThreeCards;
}

} // namespace

void WriteSpreadHeader(RichTextBox &box, const QString &spreadName)
{
    box.setCaret(int(box.text().size()));

    box.setBold(true);
    box.insert(maker::forumName()
               % QStringLiteral(" the most popular online discussion forum. A place to learn, to share "
                                "and to make new friends.")
               % crlf() % crlf());

    box.setAlignment(RichTextBox::Alignment::Centre);
    box.insert(QStringLiteral("Visit ") % crlf());
    box.insert(maker::siteAddress() % QStringLiteral(" ") % crlf());
    box.insert(QStringLiteral("Now ") % crlf());

    box.setAlignment(RichTextBox::Alignment::Left);
    box.setBold(false);
    box.setUnderline(true);
    box.insert(separatorLine() % crlf());
    box.setUnderline(false);

    const Spread *spread = SpreadByName(spreadName);
    if (!spread)
        return;

    insertBold(box, spread->heading);
    if (emptyLineAfterHeading(spread->index))
        box.insert(crlf());
    if (emptyLineAfterDescription(spread->index))
        box.insert(crlf() % spread->description % crlf());
    else
        box.insert(crlf() % spread->description);
    box.insert(crlf());

    box.setUnderline(true);
    box.insert(separatorLine() % crlf() % crlf());
    box.setUnderline(false);
}

void WriteSpreadHeader(RichTextBox &box, const CurrentReading &reading) { WriteSpreadHeader(box, reading.spreadName); }

bool WriteCardReadings(RichTextBox &box, const CurrentReading &reading, const CardArray &cards,
                       const CardArray &reversed)
{
    if (!IsArrayDimensioned(cards))
        return false;

    // The spread of this reading, copied once for all its positions.
    const QString spreadName = reading.spreadName;
    // An automatic cast leaves one spare slot at the top; a manual pick fills every slot.
    const qsizetype upperBound = cards->size() - 1;
    const qsizetype lastIndex = reading.isManualPick == FlagTrue ? upperBound : upperBound - 1;

    for (qsizetype i = 0; i <= lastIndex; ++i) {
        const CardId card = cards->at(i);
        if (IsCatalogueCard(card)) {
            const bool isReversed = IsInArray(card, reversed);
            WritePositionMeaning(box, spreadName, int(i));
            // Death's reversed title follows a single line break, every other title two.
            const QString lead = (card == 0 && isReversed) ? crlf() : crlf() % crlf();
            insertBold(box, lead % CardTitle(card, isReversed));
            box.insert(crlf() % CardMeaning(card, isReversed));
        }
        box.setUnderline(true);
        box.insert(crlf() % separatorLine() % crlf());
        box.setUnderline(false);
    }

    insertBold(box,
               crlf() % QStringLiteral("Thank You for using Kesto. Come spend some time with us online at ")
                   % maker::siteAddress() % QStringLiteral(". The best online discussion forum for every esoteric.")
                   % crlf());
    return true;
}

bool WriteCardReadings(RichTextBox &box, const CurrentReading &reading)
{
    return WriteCardReadings(box, reading, reading.drawnCards, reading.reversedCards);
}

void WritePositionMeaning(RichTextBox &box, const QString &spreadName, int positionIndex)
{
    const SpreadPosition *position = PositionText(spreadName, positionIndex + 1);
    if (!position)
        return;
    insertBold(box, position->title);
    if (position->join == PositionJoin::Inline)
        box.insert(position->meaning);
    else
        box.insert(crlf() % position->meaning);
}

void WritePositionMeaning(RichTextBox &box, const CurrentReading &reading, int positionIndex)
{
    WritePositionMeaning(box, reading.spreadName, positionIndex);
}

} // namespace kesto
