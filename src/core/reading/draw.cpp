#include "core/reading/draw.h"
#include "core/platform/platform.h"
#include <algorithm>
#include <cmath>

namespace kesto {

std::optional<DeckSubset> DeckSubsetFor(const DeckOptions &options)
{
    const bool minor = options.minorOnly == FlagTrue;
    const bool major = options.majorOnly == FlagTrue;
    if (minor && major)
        return std::nullopt;
    if (major)
        return DeckSubset{0, 22};
    if (minor)
        return DeckSubset{22, 56};
    return DeckSubset{0, 78};
}

DrawHooks PlatformDrawHooks(Platform &platform)
{
    return DrawHooks{
        [&platform] { return platform.randomFraction(); },
        [&platform] { platform.yieldToEvents(); },
        [&platform] { platform.reseedRandom(); },
    };
}

DeckSubset ManualPickSubset(const DeckOptions &options)
{
    if (options.majorOnly == FlagTrue)
        return DeckSubset{0, 22};
    if (options.minorOnly == FlagTrue)
        return DeckSubset{22, 56};
    return DeckSubset{0, 78};
}

bool ManualPickReversed(float fraction)
{
    const double r = fraction;
    return RoundHalfEven(r * 10.0) % 2 != 0;
}

qint64 RoundHalfEven(double value)
{
    const double floorValue = std::floor(value);
    const double diff = value - floorValue;
    qint64 result = qint64(floorValue);
    if (diff > 0.5 || (diff == 0.5 && (result % 2 != 0)))
        ++result;
    return result;
}

CardId DrawCard(const DeckSubset &subset, const QList<qint32> &drawn, int filled, const DrawHooks &hooks)
{
    const int compared = std::min<qsizetype>(filled, drawn.size());
    for (;;) {
        if (hooks.yield)
            hooks.yield();
        const double r = hooks.nextFraction();
        CardId candidate = subset.first + CardId(std::floor(r * subset.size));
        // A fraction is below 1 by contract; keep a faulty source inside the subset anyway.
        candidate = std::clamp(candidate, subset.first, subset.first + subset.size - 1);
        bool duplicate = false;
        for (int i = 0; i < compared; ++i) {
            if (drawn.at(i) == candidate) {
                duplicate = true;
                break;
            }
        }
        if (!duplicate)
            return candidate;
    }
}

void DrawCards(CurrentReading &reading, int count, const DeckOptions &options, const DrawHooks &hooks)
{
    if (count < 0)
        return;
    reading.drawnCards = QList<qint32>(count + 1, 0);
    if (options.allowReversed == FlagTrue)
        reading.reversedCards.reset();
    if (hooks.reseed)
        hooks.reseed();
    const auto subset = DeckSubsetFor(options);
    if (!subset)
        return;
    // More positions than cards could never finish; no spread asks for that.
    const int filled = std::min(count, subset->size);
    for (int i = 0; i < filled; ++i) {
        const CardId card = DrawCard(*subset, *reading.drawnCards, i, hooks);
        (*reading.drawnCards)[i] = card;
    }
}

void AppendReversed(CurrentReading &reading, CardId card)
{
    if (!IsArrayDimensioned(reading.reversedCards))
        reading.reversedCards = QList<qint32>{card};
    else
        reading.reversedCards->append(card);
}

bool ChooseOrientation(CurrentReading &reading, int count, int position, float fraction)
{
    const qint64 o = RoundHalfEven(double(fraction));
    if (count == 10 && position == 1)
        return false;
    if (o != 1)
        return false;
    if (!reading.drawnCards || position < 0 || position >= reading.drawnCards->size())
        return false;
    AppendReversed(reading, reading.drawnCards->at(position));
    return true;
}

void ChooseOrientations(CurrentReading &reading, int count, const DrawHooks &hooks)
{
    for (int i = 0; i < count; ++i)
        ChooseOrientation(reading, count, i, hooks.nextFraction());
}

} // namespace kesto
