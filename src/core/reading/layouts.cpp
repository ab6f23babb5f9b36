#include "core/reading/layouts.h"

#include "core/reading/spreads.h"

#include <array>

namespace kesto {

namespace {

using P = LayoutPosition;

constexpr std::array kCelticCrossBoxes{
    P{3200, 3700}, P{2300, 4200, true}, P{3200, 7500}, P{100, 3700},  P{3200, 0},
    P{6200, 3700}, P{8500, 11300},      P{8500, 7500}, P{8500, 3700}, P{8500, 0},
};
constexpr std::array kOneCardBoxes{P{5000, 2500}};
constexpr std::array kTwoCardsBoxes{P{4000, 2500}, P{6200, 2500}};
constexpr std::array kThreeCardsBoxes{P{2200, 2500}, P{4400, 2500}, P{6600, 2500}};
// A cross around position 1: 2 right, 3 below, 4 left, 5 above.
constexpr std::array kLevyWheelBoxes{
    P{5000, 3800}, P{7200, 3800}, P{5000, 7600}, P{2800, 3800}, P{5000, 0},
};
// One row from position 1 at the right end to position 5 at the left end.
constexpr std::array kLineBoxes{
    P{8900, 2500}, P{6700, 2500}, P{4500, 2500}, P{2300, 2500}, P{100, 2500},
};
// One column read from the bottom (position 1) to the top (position 7).
constexpr std::array kChakraBoxes{
    P{4500, 22600}, P{4500, 18800}, P{4500, 15000}, P{4500, 11200}, P{4500, 7500}, P{4500, 3800}, P{4500, 0},
};
// A ring: 1 left, 3 top, 5 right, 7 bottom; 2, 4, 6 and 8 on the diagonals.
constexpr std::array kFourSeasonsBoxes{
    P{100, 7600},  P{2300, 11400}, P{4500, 0},     P{2300, 3800},
    P{8900, 7600}, P{6700, 3800},  P{4500, 15200}, P{6700, 11400},
};

constexpr std::array<std::span<const LayoutPosition>, kSpreadLayoutCount> kLayouts{
    kCelticCrossBoxes, kOneCardBoxes, kTwoCardsBoxes, kThreeCardsBoxes,
    kLevyWheelBoxes,   kLineBoxes,    kChakraBoxes,   kFourSeasonsBoxes,
};

static_assert(kCelticCrossBoxes.size() == kMaxLayoutPositions);
static_assert(kSpreadLayoutCount == kSpreadCount);

} // namespace

std::span<const LayoutPosition> LayoutPositions(SpreadIndex index)
{
    if (index < 0 || index >= kSpreadLayoutCount)
        return {};
    return kLayouts[std::size_t(index)];
}

std::optional<LayoutPosition> LayoutPositionOf(SpreadIndex index, int position)
{
    const auto positions = LayoutPositions(index);
    if (position < 1 || std::size_t(position) > positions.size())
        return std::nullopt;
    return positions[std::size_t(position - 1)];
}

QSize LayoutBoxSizeTwips(const LayoutPosition &position)
{
    const QSize upright = kCardPictureSize * kPictureTwipsPerPixel;
    return position.quarterTurned ? upright.transposed() : upright;
}

QRect LayoutBoxTwips(SpreadIndex index, int position)
{
    const auto p = LayoutPositionOf(index, position);
    if (!p)
        return {};
    return QRect(QPoint(p->left, p->top), LayoutBoxSizeTwips(*p));
}

QRect LayoutBoundsTwips(SpreadIndex index)
{
    QRect bounds;
    const int count = int(LayoutPositions(index).size());
    for (int position = 1; position <= count; ++position)
        bounds |= LayoutBoxTwips(index, position);
    return bounds;
}

} // namespace kesto
