#pragma once
#include <QList>
#include <QString>
#include <optional>

namespace kesto {

// Flags are 16-bit values: -1 for true, 0 for false.
using Flag = qint16;
inline constexpr Flag FlagTrue = -1;
inline constexpr Flag FlagFalse = 0;
inline constexpr Flag toFlag(bool b) { return b ? FlagTrue : FlagFalse; }

using CardId = qint32;
using SpreadIndex = int;

// An array that may be without bounds (erased), which is a different state from an array
// of length zero. std::nullopt is "without bounds".
using CardArray = std::optional<QList<qint32>>;

// True when the array has bounds.
bool IsArrayDimensioned(const CardArray &array);
// True when the array has bounds and any element equals the value.
bool IsInArray(qint32 value, const CardArray &array);

struct DeckOptions
{
    Flag minorOnly = FlagFalse;
    Flag majorOnly = FlagFalse;
    Flag allowReversed = FlagFalse;
};

// The date of birth as the reading shows it: "Month D, YYYY"; empty while the month, date
// and year all still show their prompts ("Month", "Date", "Year").
QString DateOfBirthText(const QString &month, const QString &date, const QString &year);

// The one record of the reading in progress.
struct CurrentReading
{
    // Mode
    Flag readingMode = FlagFalse;

    // The querent, as typed on the querent details screen
    QString strName;
    QString strCountry;
    QString strQ;
    QString strDate;
    QString strMonth;
    QString strYear;
    QString strDOB;

    // The spread screen's published values
    qint16 Ind = 0;
    Flag lboo = FlagFalse;
    Flag hboo = FlagFalse;
    Flag rboo = FlagFalse;
    qint32 no = 0;
    QString card;
    qint16 MaxCardInSet = 0;
    qint32 spreadListIndex = 0;

    // The cast
    QString spreadName;
    qint32 cardCount = 0;
    Flag minorOnly = FlagFalse;
    Flag majorOnly = FlagFalse;
    Flag allowReversed = FlagFalse;
    Flag startedByAutoCast = FlagFalse;
    Flag startedByManual = FlagFalse;
    Flag isManualPick = FlagFalse;
    CardArray drawnCards;
    CardArray reversedCards;

    DeckOptions deckOptions() const { return {minorOnly, majorOnly, allowReversed}; }

    // The state of no cast, set when the spread screen loads.
    void resetCast();
    // Copies the spread screen's published values (spread, card count, deck options) into
    // the cast about to start.
    void takeSpreadChoice();
};

} // namespace kesto
