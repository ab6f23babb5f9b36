#pragma once
#include "art.h"
#include "emblems.h"

#include <QImage>
#include <QString>
#include <optional>

namespace kesto::art {

// What a card shows, read off its catalogue name.
struct CardFace
{
    QString name; // as the catalogue gives it
    bool major = false;
    int number = 0; // major arcana: the traditional number, 0 (The Fool) to 21
    Suit suit = Suit::Cups;
    int rank = 0; // minor arcana: 1 (Ace) to 10, then 11 Page, 12 Knight, 13 Queen, 14 King
};

// The face of a catalogue card; none when its name is not one the deck knows how to draw.
std::optional<CardFace> describeCard(int cardId);

QString romanNumeral(int n);

// Every picture is designed in the pixels of its design size and can be painted `scale` times
// larger: the same drawing, lines and lettering in proportion, only sharper.

// An opaque picture of designSize * scale pixels, to paint on with the painter scaled by scale.
QImage pictureImage(QSize designSize, int scale);

// One card picture at the card size times scale, upright.
QImage paintCard(const CardFace &face, int scale = 1);

// The symbolic drawing of a major arcanum, filling the picture panel.
void drawMajorArcanum(QPainter &p, int number, const QRectF &panel);

// A face-down card of the given size times scale (the card back of the manual pick).
QImage paintCardBack(QSize size, int scale = 1);
// Draws the card back's pattern into a rectangle, for the back and the application icon.
void drawCardBack(QPainter &p, const QRectF &rect, qreal radius);

// The application icon: a fanned hand of cards, square. Its drawing is laid out in fractions
// of the size, so the icon for scale N of size n is paintIcon(N * n).
QImage paintIcon(int size);

// The spread diagram: each position a small numbered card outline in its place, and the
// spread's name; the picture size times scale.
QImage paintSpread(int spreadIndex, const QString &name, int scale = 1);

} // namespace kesto::art
