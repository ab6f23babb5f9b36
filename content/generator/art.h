#pragma once
// Drawing helpers shared by every picture of the deck: the ink, the palette and the
// "fit a design into a box" canvas the emblems and drawings are written against.
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

namespace kesto::art {

// Outline ink of every drawing, and the card stock.
inline const QColor kInk{0x2b, 0x22, 0x33};
inline const QColor kStock{0xf6, 0xef, 0xdc};
inline const QColor kGold{0xe2, 0xb6, 0x46};
inline const QColor kDeepGold{0xa9, 0x7d, 0x22};
inline const QColor kPaleGold{0xf6, 0xe3, 0xa4};

enum class Suit { Cups, Pentacles, Swords, Wands };

// The colours one suit (or the major arcana) is painted in.
struct Palette
{
    QColor frame; // frame lines and title cartouche
    QColor panel; // picture panel, light
    QColor panelLow; // picture panel, lower end of its gradient
    QColor main; // the emblem's body
    QColor light; // highlights
    QColor dark; // shading
};

Palette suitPalette(Suit suit);
Palette majorPalette();

// Width of outlines, in device pixels at the pictures' own size. A picture drawn larger than
// its design size (the icon, the @2x and @4x pictures) raises it for as long as an InkScale lives.
qreal inkWidth();

// Multiplies the width of the cosmetic pens (inkPen, colourPen) by a factor while it lives, so
// that a picture painted N times larger keeps its line weights; restores the previous scale
// when it goes. The scale belongs to the thread, so pictures can be drawn side by side.
class InkScale
{
public:
    explicit InkScale(qreal factor);
    ~InkScale();
    InkScale(const InkScale &) = delete;
    InkScale &operator=(const InkScale &) = delete;

private:
    qreal m_previous;
};

QPen inkPen(qreal factor = 1.0);
QPen colourPen(const QColor &colour, qreal widthPx, Qt::PenCapStyle cap = Qt::RoundCap);

// The vertical gold gradient of gilded parts, pale at top and deep at bottom.
QBrush gilt(qreal top, qreal bottom);

// Fills a path and outlines it in ink.
void fillInk(QPainter &p, const QPainterPath &path, const QBrush &brush, qreal inkFactor = 1.0);

// Maps a design space of the given size, centred and scaled uniformly, into a box of the
// device. Restores the painter when it goes.
class Canvas
{
public:
    Canvas(QPainter &p, const QRectF &box, qreal designWidth, qreal designHeight);
    ~Canvas();
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    // Design units per pixel of the picture at its design size (not per device pixel when the
    // picture is painted larger).
    qreal unit() const { return m_unit; }

private:
    QPainter &m_p;
    qreal m_unit;
};

// The union of all shapes added to a path, overlaps filled rather than cut out.
QPainterPath solid(QPainterPath path);

// Shapes used in several drawings.
QPainterPath starPath(QPointF centre, qreal outer, qreal inner, int points, qreal turnDeg = -90);
QPainterPath heartPath(QPointF centre, qreal width, qreal height);
QPainterPath leafPath(QPointF base, QPointF tip, qreal width);
QPainterPath lemniscatePath(QPointF centre, qreal width, qreal height);
QPainterPath crescentPath(QPointF centre, qreal r, qreal offset, qreal angleDeg);

// Fonts of the deck, sized in pixels; the generator refuses to run without them.
QFont serifFont(qreal pixelSize, bool bold);
QFont sansFont(qreal pixelSize, bool bold);
bool fontsAvailable(QString *problem);

// Largest font (from maxPx down to minPx) whose text fits the width.
QFont fittedFont(const QFont &base, const QString &text, qreal width, qreal maxPx, qreal minPx);

} // namespace kesto::art
