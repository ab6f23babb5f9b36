#pragma once
#include "core/reading/currentreading.h"

#include <QRect>
#include <QSize>
#include <optional>
#include <span>

namespace kesto {

// The card table's client area, in twips.
inline constexpr int kCardTableWidthTwips = 11805;
inline constexpr int kCardTableHeightTwips = 27225;

// Twips per pixel of the shipped pictures: they are shown at their own size at 96 DPI.
inline constexpr int kPictureTwipsPerPixel = 15;

// Card pictures are never scaled, so their size is read off the layout table. The Line
// Spread puts cards 2200 twips apart (at most 146 px wide) and the Celtic Cross column
// 3700 twips apart (at most 246 px high). The crossing card's box at (2300, 4200) lies
// centred across card 1's at (3200, 3700) only if height - width is 120 px horizontally
// but 67 px vertically; 94 px splits the miss evenly (13 px each way). 140 x 234 keeps that
// difference, a tarot card's proportions, and a 6 to 13 px gap between neighbours.
inline constexpr QSize kCardPictureSize{140, 234};

// The spread pictures fill the manual pick screen's picture box (2415 x 4095 twips, that is
// 161 x 273 px) inside its 2 px sunken border.
inline constexpr QSize kSpreadPictureSize{157, 269};

// The face-down card of the manual pick screen fills one of its 350 x 600 twip boxes.
inline constexpr QSize kCardBackSize{23, 40};

inline constexpr int kSpreadLayoutCount = 8;
inline constexpr int kMaxLayoutPositions = 10;

// Where one position's card box lies on the card table: the top-left corner in twips from
// the table's client area. A box takes the size of its picture; a quarter-turned position
// shows the card's upright picture turned by 90 degrees, so its box is lying on its side.
struct LayoutPosition
{
    int left = 0;
    int top = 0;
    bool quarterTurned = false;

    friend bool operator==(const LayoutPosition &, const LayoutPosition &) = default;
};

// The positions of a spread in order, position 1 first; empty for an index outside 0 to 7.
std::span<const LayoutPosition> LayoutPositions(SpreadIndex index);

// Position `position` (counted from 1) of a spread; none outside the spread's positions.
std::optional<LayoutPosition> LayoutPositionOf(SpreadIndex index, int position);

// The size of a card box in twips: the card picture's, turned when the position is.
QSize LayoutBoxSizeTwips(const LayoutPosition &position);

// The rectangle a position's card covers on the card table, in twips; a null rectangle
// outside the spread's positions.
QRect LayoutBoxTwips(SpreadIndex index, int position);

// The smallest rectangle holding every card box of a spread, in twips; null for an unknown
// spread.
QRect LayoutBoundsTwips(SpreadIndex index);

} // namespace kesto
