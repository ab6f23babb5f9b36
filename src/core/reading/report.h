#pragma once
#include "core/reading/currentreading.h"
#include "core/reading/richtext.h"

#include <QString>

namespace kesto {

// The reading report, written into a rich-text box in two calls: the header when the card
// table opens, the card section once the cards are known. Nothing is kept between calls.

// The number of blanks of a separator line; underlined, they show as a rule across the box.
inline constexpr int kSeparatorBlanks = 512;

// Writes the banner and, when the name is a spread's list name, the spread's heading and
// description, at the end of the box. An unknown name (such as "-1") gives the banner only.
void WriteSpreadHeader(RichTextBox &box, const QString &spreadName);
// The same for the reading's spreadName.
void WriteSpreadHeader(RichTextBox &box, const CurrentReading &reading);

// Writes one block per position at the caret (position title and meaning, card title and
// meaning, separator), then the closing line. An automatic cast's spare last slot is not
// reported; a manual pick has none. A card lies reversed when its id is in `reversed`.
// Returns false, having written nothing, when `cards` has no bounds.
bool WriteCardReadings(RichTextBox &box, const CurrentReading &reading, const CardArray &cards,
                       const CardArray &reversed);
// The same for the reading's drawnCards and reversedCards.
bool WriteCardReadings(RichTextBox &box, const CurrentReading &reading);

// Writes the title and meaning of position index + 1 (index 0-based) of the named spread at
// the caret; nothing when the spread is unknown or has no such position.
void WritePositionMeaning(RichTextBox &box, const QString &spreadName, int positionIndex);
// The same for the reading's spreadName.
void WritePositionMeaning(RichTextBox &box, const CurrentReading &reading, int positionIndex);

} // namespace kesto
