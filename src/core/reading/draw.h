#pragma once
#include "core/reading/currentreading.h"
#include <functional>
#include <optional>

namespace kesto {

// A run of consecutive card ids that a draw takes from.
struct DeckSubset
{
    CardId first = 0;
    qint32 size = 0;
    friend bool operator==(const DeckSubset &, const DeckSubset &) = default;
};

// The subset the deck options allow; none when both arcana options are set.
std::optional<DeckSubset> DeckSubsetFor(const DeckOptions &options);

// Where a draw gets its random fractions and how it lets the event loop run.
struct DrawHooks
{
    std::function<float()> nextFraction;
    std::function<void()> yield;
    std::function<void()> reseed;
};

class Platform;

// The hooks a draw uses in the program: the platform's random fractions, its event loop
// and its reseed.
DrawHooks PlatformDrawHooks(Platform &platform);

// The part of the deck the manual pick draws from and lays face down: the major arcana
// when that option is set (whatever the minor option says), else the minor arcana when
// that one is set, else the whole deck. Unlike DeckSubsetFor, both options set still
// name a subset.
DeckSubset ManualPickSubset(const DeckOptions &options);

// The manual pick's orientation of one card from a fraction: the fraction times ten,
// rounded half to even; an odd result lies reversed.
bool ManualPickReversed(float fraction);

// Rounds to the nearest whole number, halves to the even one.
qint64 RoundHalfEven(double value);

// One card of the subset that differs from the first `filled` slots of `drawn`. Yields once
// before every attempt; a duplicate costs another yield and another fraction.
CardId DrawCard(const DeckSubset &subset, const QList<qint32> &drawn, int filled, const DrawHooks &hooks);

// The draw of an automatic cast: drawnCards gets count + 1 slots (the last a spare that
// stays 0) and slots 0..count-1 are filled with distinct cards. reversedCards is erased only
// when reversed cards are allowed. Nothing is drawn when the options name no subset.
void DrawCards(CurrentReading &reading, int count, const DeckOptions &options, const DrawHooks &hooks);

// Decides one position's orientation from a fraction: true when the card lies reversed.
// The Celtic Cross's crossing card (position 2 of the ten-card spread) is never reversed.
bool ChooseOrientation(CurrentReading &reading, int count, int position, float fraction);

// Orientation of every position in order, one fraction each.
void ChooseOrientations(CurrentReading &reading, int count, const DrawHooks &hooks);

// Appends a card to reversedCards, creating the array when it has no bounds.
void AppendReversed(CurrentReading &reading, CardId card);

} // namespace kesto
