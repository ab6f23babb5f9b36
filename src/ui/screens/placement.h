#pragma once
#include "core/reading/currentreading.h"

#include <QString>
#include <optional>

namespace kesto {

struct Spread;

// A position's text as the manual pick screen shows it: the title directly followed by the
// meaning for the spreads whose positions are joined inline, the title, a line break (CR LF)
// and the meaning for the others. Empty when the spread has no such position (counted from 1).
QString PositionDisplayText(const Spread &spread, int position);
// The same for the spread whose list name equals the name exactly; none when no spread
// matches or the position is beyond it.
std::optional<QString> PositionDisplayText(const QString &spreadName, int position);

// The hint written into the manual pick screen's text box once position picIndex + 1 of a
// spread has been placed on the card table: the next position's text, or for the Celtic
// Cross a short title of it. None after the last position, and for an unknown spread.
std::optional<QString> PlacementHint(SpreadIndex spread, int picIndex);

// The layout an automatic cast lays its cards out in, chosen by the card count; five cards
// have two layouts, told apart by the exact spread name. None when neither fits.
std::optional<SpreadIndex> CastLayoutFor(int cardCount, const QString &spreadName);

// The layout a finished reading's cards lie in: a manual pick's by the spread list's
// selection, an automatic cast's by its card count and name.
std::optional<SpreadIndex> FinishedReadingLayout(const CurrentReading &reading);

} // namespace kesto
