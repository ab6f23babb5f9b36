#pragma once
#include "core/reading/currentreading.h"
#include <QString>

namespace kesto {

inline constexpr int kCardCount = 78;
inline constexpr int kMajorArcanaCount = 22;

// True for the ids 0 to 77 that the catalogue knows.
constexpr bool IsCatalogueCard(CardId id) { return id >= 0 && id < kCardCount; }

// The card's name as the report prints it; empty for an id outside the catalogue.
QString CardName(CardId id);
// The name when upright, the name and " - Reversed" when reversed.
QString CardTitle(CardId id, bool reversed);
// The upright or reversed meaning: one paragraph of plain text.
QString CardMeaning(CardId id, bool reversed);
// <program folder>/cards/r<id>.jpg
QString CardPicturePath(const QString &programFolder, CardId id);

} // namespace kesto
