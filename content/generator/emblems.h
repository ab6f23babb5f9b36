#pragma once
#include "art.h"

namespace kesto::art {

enum class Court { Page, Knight, Queen, King };

// The suit's emblem, upright, fitted into the box.
void drawSuitEmblem(QPainter &p, Suit suit, const QRectF &box);
// The emblem's proportions (width / height), for laying out pips.
qreal suitEmblemAspect(Suit suit);

// The emblem of a court rank (the page's scroll, the knight's charger, the queen's diadem,
// the king's crown), fitted into the box and coloured for the suit.
void drawCourtEmblem(QPainter &p, Court court, Suit suit, const QRectF &box);

} // namespace kesto::art
