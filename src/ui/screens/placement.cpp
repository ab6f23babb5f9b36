#include "ui/screens/placement.h"

#include "core/reading/spreads.h"

namespace kesto {

namespace {

constexpr char16_t kLineBreak[] = u"\r\n";

} // namespace

QString PositionDisplayText(const Spread &spread, int position)
{
    const SpreadPosition *text = PositionText(spread, position);
    if (!text)
        return {};
    if (text->join == PositionJoin::Inline)
        return text->title + text->meaning;
    return text->title + QString::fromUtf16(kLineBreak) + text->meaning;
}

std::optional<QString> PositionDisplayText(const QString &spreadName, int position)
{
    const Spread *spread = SpreadByName(spreadName);
    if (!spread || !PositionText(*spread, position))
        return std::nullopt;
    return PositionDisplayText(*spread, position);
}

std::optional<QString> PlacementHint(SpreadIndex spreadIndex, int picIndex)
{
    const Spread *spread = SpreadByIndex(spreadIndex);
    if (!spread || picIndex < 0 || picIndex >= spread->cardCount - 1)
        return std::nullopt;
    if (spreadIndex != kCelticCross)
        return PositionDisplayText(*spread, picIndex + 2);

    // The Celtic Cross names the next position by its title only; the last two positions
    // are announced together.
    const QString br = QString::fromUtf16(kLineBreak);
    switch (picIndex) {
    case 0:
        return QStringLiteral("Card 2") + br + br + QStringLiteral("The Crossing");
    case 1:
        return QStringLiteral("Card 3: The Root");
    case 2:
        return QStringLiteral("Card 4: The Past");
    case 3:
        return QStringLiteral("Card 5: The Crown");
    case 4:
        return QStringLiteral("Card 6: The Future");
    case 5:
        return QStringLiteral("Card 7: The Questioner");
    case 6:
        return QStringLiteral("Card 8: The House");
    case 7:
    case 8:
        return QStringLiteral("Card 9: The Inside") + br + QStringLiteral("Card 10: The Outcome");
    default:
        return std::nullopt;
    }
}

std::optional<SpreadIndex> FinishedReadingLayout(const CurrentReading &reading)
{
    if (reading.isManualPick == FlagTrue)
        return reading.spreadListIndex;
    return CastLayoutFor(reading.cardCount, reading.spreadName);
}

std::optional<SpreadIndex> CastLayoutFor(int cardCount, const QString &spreadName)
{
    switch (cardCount) {
    case 1:
        return kOneCard;
    case 2:
        return kTwoCards;
    case 3:
        return kThreeCards;
    case 5:
        if (spreadName == SpreadByIndex(kEliphasLevyWheel)->listName)
            return kEliphasLevyWheel;
        if (spreadName == SpreadByIndex(kLineSpread)->listName)
            return kLineSpread;
        return std::nullopt;
    case 7:
        return kChakraLayout;
    case 8:
        return kFourSeasons;
    case 10:
        return kCelticCross;
    default:
        return std::nullopt;
    }
}

} // namespace kesto
