#include "core/reading/deck.h"

namespace kesto {

namespace {

// Names in the catalogue's own order: the major arcana, the minor arcana from the Twos
// (without Pentacles) through the Tens, then Aces and court cards, the Two of Pentacles last.
constexpr const char16_t *kNames[kCardCount] = {
    u"Death",
    u"The Hermit",
    u"Judgement",
    u"Justice",
    u"Strength",
    u"Temperance",
    u"The Fool",
    u"The Chariot",
    u"The Devil",
    u"The Emperor",
    u"The Empress",
    u"The Hanged Man",
    u"The Hierophant",
    u"The High Priestess",
    u"The Lovers",
    u"The Magician",
    u"The Moon",
    u"The Star",
    u"The Sun",
    u"The Tower",
    u"The World",
    u"Wheel Fortune",
    u"Two of Cups",
    u"Two of Swords",
    u"Two of Wands",
    u"Three of Cups",
    u"Three of Pentacles",
    u"Three of Swords",
    u"Three of Wands",
    u"Four of Cups",
    u"Four of Pentacles",
    u"Four of Swords",
    u"Four of Wands",
    u"Five of Cups",
    u"Five of Pentacles",
    u"Five of Swords",
    u"Five of Wands",
    u"Six of Cups",
    u"Six of Pentacles",
    u"Six of Swords",
    u"Six of Wands",
    u"Seven of Cups",
    u"Seven of Pentacles",
    u"Seven of Swords",
    u"Seven of Wands",
    u"Eight of Cups",
    u"Eight of Pentacles",
    u"Eight of Swords",
    u"Eight of Wands",
    u"Nine of Cups",
    u"Nine of Pentacles",
    u"Nine of Swords",
    u"Nine of Wands",
    u"Ten of Cups",
    u"Ten of Pentacles",
    u"Ten of Swords",
    u"Ten of Wands",
    u"Ace of Cups",
    u"Ace of Pentacles",
    u"Ace of Swords",
    u"Ace of Wands",
    u"King of Cups",
    u"King of Pentacles",
    u"King of Swords",
    u"King of Wands",
    u"Knight of Cups",
    u"Knight of Pentacles",
    u"Knight of Swords",
    u"Knight of Wands",
    u"Page of Cups",
    u"Page of Pentacles",
    u"Page of Swords",
    u"Page of Wands",
    u"Queen of Cups",
    u"Queen of Pentacles",
    u"Queen of Swords",
    u"Queen of Wands",
    u"Two of Pentacles",
};

struct Meanings
{
    const char *upright;
    const char *reversed;
};

constexpr Meanings kMeanings[kCardCount] = {
#include "core/reading/meanings_0.inc"
#include "core/reading/meanings_1.inc"
#include "core/reading/meanings_2.inc"
};

} // namespace

QString CardName(CardId id) { return IsCatalogueCard(id) ? QString::fromUtf16(kNames[id]) : QString(); }

QString CardTitle(CardId id, bool reversed)
{
    if (!IsCatalogueCard(id))
        return {};
    return reversed ? CardName(id) + QStringLiteral(" - Reversed") : CardName(id);
}

QString CardMeaning(CardId id, bool reversed)
{
    if (!IsCatalogueCard(id))
        return {};
    return QString::fromUtf8(reversed ? kMeanings[id].reversed : kMeanings[id].upright);
}

QString CardPicturePath(const QString &programFolder, CardId id)
{
    return programFolder + QStringLiteral("/cards/r") + QString::number(id) + QStringLiteral(".jpg");
}

} // namespace kesto
