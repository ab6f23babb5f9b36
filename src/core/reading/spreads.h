#pragma once
#include "core/reading/currentreading.h"

#include <QList>
#include <QString>

namespace kesto {

inline constexpr int kSpreadCount = 8;

// Places of the spreads in the catalogue and in the spread list.
inline constexpr SpreadIndex kCelticCross = 0;
inline constexpr SpreadIndex kOneCard = 1;
inline constexpr SpreadIndex kTwoCards = 2;
inline constexpr SpreadIndex kThreeCards = 3;
inline constexpr SpreadIndex kEliphasLevyWheel = 4;
inline constexpr SpreadIndex kLineSpread = 5;
inline constexpr SpreadIndex kChakraLayout = 6;
inline constexpr SpreadIndex kFourSeasons = 7;

// How the report joins a position's title and meaning.
enum class PositionJoin {
    Inline, // the meaning follows the title on the same line (the title ends in blanks)
    Below, // the meaning starts on a new line under the title
};

// One position of a spread: what the report prints above the card that lies there.
struct SpreadPosition
{
    QString title;
    QString meaning;
    PositionJoin join = PositionJoin::Below;
};

// One entry of the fixed table of spreads.
struct Spread
{
    SpreadIndex index = 0;
    QString listName; // the name under which the spread is chosen and remembered
    QString menuCaption; // with '&' before the access key
    QString heading; // the report heading
    int cardCount = 0; // always positions.size()
    QString description;
    QList<SpreadPosition> positions; // position p (1-based) is positions[p - 1]
};

// The spread at a place 0 to 7; nullptr for any other index.
const Spread *SpreadByIndex(SpreadIndex index);
// The spread whose list name equals the name exactly (case-sensitive); nullptr when none does.
const Spread *SpreadByName(const QString &name);

// The text of position 1 to cardCount of a spread; nullptr for a position outside that
// range or a spread that does not exist.
const SpreadPosition *PositionText(const Spread &spread, int position);
const SpreadPosition *PositionText(SpreadIndex index, int position);
const SpreadPosition *PositionText(const QString &spreadName, int position);

// <program folder>/pic/c<index>.jpg
QString SpreadPicturePath(const QString &programFolder, SpreadIndex index);

} // namespace kesto
