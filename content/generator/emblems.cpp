#include "emblems.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>

namespace kesto::art {

namespace {

constexpr qreal kCupW = 64, kCupH = 100;
constexpr qreal kPentacleW = 100, kPentacleH = 100;
constexpr qreal kSwordW = 26, kSwordH = 100;
constexpr qreal kWandW = 36, kWandH = 100;

void drawCup(QPainter &p, const QRectF &box)
{
    const Palette pal = suitPalette(Suit::Cups);
    Canvas c(p, box, kCupW, kCupH);

    // Foot and stem first, the bowl sits over them.
    QPainterPath foot;
    foot.moveTo(28, 78);
    foot.cubicTo(28, 88, 16, 90, 12, 95);
    foot.quadTo(32, 100, 52, 95);
    foot.cubicTo(48, 90, 36, 88, 36, 78);
    foot.closeSubpath();
    QLinearGradient metal(12, 0, 52, 0);
    metal.setColorAt(0, kDeepGold);
    metal.setColorAt(0.35, kPaleGold);
    metal.setColorAt(1, kDeepGold);
    fillInk(p, foot, metal);

    QPainterPath stem;
    stem.addRoundedRect(QRectF(28.5, 56, 7, 24), 2, 2);
    fillInk(p, stem, metal);
    QPainterPath knot;
    knot.addEllipse(QPointF(32, 68), 7, 4);
    fillInk(p, knot, metal);

    QPainterPath bowl;
    bowl.moveTo(4, 10);
    bowl.cubicTo(4, 40, 16, 58, 32, 58);
    bowl.cubicTo(48, 58, 60, 40, 60, 10);
    bowl.closeSubpath();
    QLinearGradient body(4, 0, 60, 0);
    body.setColorAt(0, pal.dark);
    body.setColorAt(0.3, pal.light);
    body.setColorAt(0.55, pal.main);
    body.setColorAt(1, pal.dark);
    fillInk(p, bowl, body);
    // A gold band round the bowl.
    QPainterPath band;
    band.moveTo(6.5, 24);
    band.quadTo(32, 32, 57.5, 24);
    p.strokePath(band, QPen(kGold, 3.0, Qt::SolidLine, Qt::FlatCap));

    QPainterPath rim;
    rim.addEllipse(QPointF(32, 10), 28, 6);
    QLinearGradient water(0, 4, 0, 16);
    water.setColorAt(0, pal.light);
    water.setColorAt(1, pal.main);
    fillInk(p, rim, water);
}

void drawPentacle(QPainter &p, const QRectF &box)
{
    const Palette pal = suitPalette(Suit::Pentacles);
    Canvas c(p, box, kPentacleW, kPentacleH);
    const QPointF centre(50, 50);

    QPainterPath disc;
    disc.addEllipse(centre, 48, 48);
    QRadialGradient coin(QPointF(38, 36), 60);
    coin.setColorAt(0, pal.light);
    coin.setColorAt(0.55, pal.main);
    coin.setColorAt(1, pal.dark);
    fillInk(p, disc, coin);

    QPainterPath ring;
    ring.addEllipse(centre, 39, 39);
    p.strokePath(ring, QPen(pal.dark, 3.2));
    p.strokePath(ring, inkPen(0.6));

    QPainterPath star = starPath(centre, 35, 13.5, 5);
    fillInk(p, star, QColor(0x4e, 0x7a, 0x2c));
    // The pentagram's own lines drawn through the centre, as on a struck coin.
    QPainterPath lines;
    for (int i = 0; i < 5; ++i) {
        const qreal a1 = qDegreesToRadians(-90.0 + 72 * i);
        const qreal a2 = qDegreesToRadians(-90.0 + 72 * (i + 2));
        lines.moveTo(centre + QPointF(35 * qCos(a1), 35 * qSin(a1)));
        lines.lineTo(centre + QPointF(35 * qCos(a2), 35 * qSin(a2)));
    }
    p.strokePath(lines, colourPen(pal.light, 0.7));
}

void drawSword(QPainter &p, const QRectF &box)
{
    const Palette pal = suitPalette(Suit::Swords);
    Canvas c(p, box, kSwordW, kSwordH);

    QPainterPath blade;
    blade.moveTo(13, 0);
    blade.lineTo(17.5, 9);
    blade.lineTo(16.8, 68);
    blade.lineTo(9.2, 68);
    blade.lineTo(8.5, 9);
    blade.closeSubpath();
    QLinearGradient steel(8, 0, 18, 0);
    steel.setColorAt(0, pal.dark);
    steel.setColorAt(0.45, pal.light);
    steel.setColorAt(0.55, pal.main);
    steel.setColorAt(1, pal.dark);
    fillInk(p, blade, steel);
    QPainterPath fuller;
    fuller.moveTo(13, 12);
    fuller.lineTo(13, 64);
    p.strokePath(fuller, colourPen(pal.dark, 0.8));

    QLinearGradient gilt(0, 66, 0, 74);
    gilt.setColorAt(0, kPaleGold);
    gilt.setColorAt(1, kDeepGold);
    QPainterPath guard;
    guard.moveTo(1, 70);
    guard.quadTo(0, 66, 4, 67);
    guard.lineTo(22, 67);
    guard.quadTo(26, 66, 25, 70);
    guard.quadTo(26, 74, 22, 73);
    guard.lineTo(4, 73);
    guard.quadTo(0, 74, 1, 70);
    guard.closeSubpath();
    fillInk(p, guard, gilt);

    QPainterPath grip;
    grip.addRoundedRect(QRectF(10, 73, 6, 17), 1.5, 1.5);
    fillInk(p, grip, QColor(0x5a, 0x3f, 0x6e));
    QPainterPath wraps;
    for (qreal y = 76; y < 90; y += 3.5) {
        wraps.moveTo(10.5, y);
        wraps.lineTo(15.5, y - 1.5);
    }
    p.strokePath(wraps, colourPen(QColor(0x9a, 0x80, 0xb0), 0.6));

    QPainterPath pommel;
    pommel.addEllipse(QPointF(13, 94.5), 5, 5);
    QRadialGradient knob(QPointF(11.5, 93), 6);
    knob.setColorAt(0, kPaleGold);
    knob.setColorAt(1, kDeepGold);
    fillInk(p, pommel, knob);
}

void drawWand(QPainter &p, const QRectF &box)
{
    const Palette pal = suitPalette(Suit::Wands);
    Canvas c(p, box, kWandW, kWandH);

    // Leaves sprouting from the staff, behind it.
    const QColor leaf(0x5c, 0x9a, 0x3a);
    const QColor leafLight(0x9c, 0xcc, 0x6a);
    const struct
    {
        QPointF base, tip;
    } leaves[] = {
        {{17, 14}, {3, 5}},
        {{18, 22}, {33, 13}},
        {{17, 46}, {3, 40}},
        {{18, 60}, {33, 54}},
    };
    for (const auto &l : leaves) {
        QPainterPath path = leafPath(l.base, l.tip, 6);
        QLinearGradient g(l.base, l.tip);
        g.setColorAt(0, leaf);
        g.setColorAt(1, leafLight);
        fillInk(p, path, g, 0.8);
    }

    QPainterPath staff;
    staff.moveTo(14.5, 4);
    staff.quadTo(17.5, 0, 20.5, 4);
    staff.lineTo(21.5, 97);
    staff.quadTo(17.5, 100, 13.5, 97);
    staff.closeSubpath();
    QLinearGradient wood(13, 0, 22, 0);
    wood.setColorAt(0, pal.dark);
    wood.setColorAt(0.4, pal.light);
    wood.setColorAt(1, pal.main);
    fillInk(p, staff, wood);
    // Knots of the branch.
    QPainterPath knots;
    for (qreal y : {30.0, 52.0, 76.0}) {
        knots.moveTo(15, y);
        knots.quadTo(17.8, y + 2.5, 21, y);
    }
    p.strokePath(knots, colourPen(pal.dark, 0.8));
}

} // namespace

qreal suitEmblemAspect(Suit suit)
{
    switch (suit) {
    case Suit::Cups:
        return kCupW / kCupH;
    case Suit::Pentacles:
        return kPentacleW / kPentacleH;
    case Suit::Swords:
        return kSwordW / kSwordH;
    case Suit::Wands:
        return kWandW / kWandH;
    }
    return 1;
}

void drawSuitEmblem(QPainter &p, Suit suit, const QRectF &box)
{
    switch (suit) {
    case Suit::Cups:
        drawCup(p, box);
        break;
    case Suit::Pentacles:
        drawPentacle(p, box);
        break;
    case Suit::Swords:
        drawSword(p, box);
        break;
    case Suit::Wands:
        drawWand(p, box);
        break;
    }
}

namespace {

void jewel(QPainter &p, QPointF at, qreal r, const QColor &colour)
{
    QPainterPath gem;
    gem.addEllipse(at, r, r);
    QRadialGradient g(at - QPointF(r * 0.35, r * 0.35), r * 1.3);
    g.setColorAt(0, colour.lighter(170));
    g.setColorAt(1, colour);
    fillInk(p, gem, g, 0.7);
}

// A messenger's scroll, half unrolled.
void drawScroll(QPainter &p, const Palette &pal, const QRectF &box)
{
    Canvas c(p, box, 100, 60);
    QPainterPath sheet;
    sheet.moveTo(16, 12);
    sheet.cubicTo(40, 6, 60, 18, 84, 12);
    sheet.lineTo(84, 48);
    sheet.cubicTo(60, 54, 40, 42, 16, 48);
    sheet.closeSubpath();
    fillInk(p, sheet, QColor(0xfb, 0xf3, 0xdc));
    QPainterPath lines;
    for (int i = 0; i < 4; ++i) {
        const qreal y = 20 + i * 7;
        lines.moveTo(26, y + 1);
        lines.cubicTo(42, y - 2, 58, y + 4, 74 - (i == 3 ? 18 : 0), y);
    }
    p.strokePath(lines, colourPen(pal.frame, 0.8));
    for (const qreal x : {16.0, 84.0}) {
        QPainterPath roll;
        roll.addRoundedRect(QRectF(x - 6, 8, 12, 46), 6, 6);
        fillInk(p, roll, gilt(8, 54));
    }
    // Wax seal in the suit's colour, hanging on a ribbon.
    QPainterPath ribbon;
    ribbon.moveTo(50, 46);
    ribbon.lineTo(46, 58);
    ribbon.moveTo(50, 46);
    ribbon.lineTo(54, 58);
    p.strokePath(ribbon, colourPen(pal.frame, 1.2));
    jewel(p, QPointF(50, 46), 6, pal.frame);
}

// A knight's charger: a horse's head in profile, bridled, with a plume.
void drawCharger(QPainter &p, const Palette &pal, const QRectF &box)
{
    Canvas c(p, box, 84, 90);
    QPainterPath head;
    head.moveTo(22, 88);
    head.cubicTo(26, 72, 34, 64, 34, 58); // chest up to the throat
    head.cubicTo(28, 56, 22, 56, 16, 58); // under the jaw
    head.cubicTo(8, 60, 2, 56, 4, 48); // muzzle
    head.cubicTo(6, 40, 16, 30, 24, 22); // nose bridge to the forehead
    head.lineTo(26, 10); // forelock to the ear
    head.lineTo(34, 18);
    head.cubicTo(50, 16, 64, 28, 68, 48); // crest of the neck
    head.cubicTo(72, 64, 74, 78, 74, 88);
    head.closeSubpath();
    QLinearGradient coat(10, 0, 74, 0);
    coat.setColorAt(0, QColor(0xf6, 0xf0, 0xe4));
    coat.setColorAt(1, QColor(0xc8, 0xbc, 0xa8));
    fillInk(p, head, coat, 1.1);
    // Mane in the suit's colour along the crest.
    QPainterPath mane;
    mane.moveTo(34, 18);
    mane.cubicTo(50, 16, 64, 28, 68, 48);
    mane.cubicTo(72, 64, 74, 78, 74, 88);
    mane.lineTo(66, 88);
    for (int i = 0; i < 6; ++i) {
        const qreal y = 80 - i * 11;
        mane.lineTo(60 - i * 2.5, y);
        mane.lineTo(66 - i * 3.2, y - 6);
    }
    mane.lineTo(34, 18);
    mane.closeSubpath();
    fillInk(p, mane, pal.frame, 0.8);
    // Bridle, eye and nostril.
    QPainterPath bridle;
    bridle.moveTo(10, 46);
    bridle.lineTo(42, 40);
    bridle.moveTo(30, 26);
    bridle.lineTo(32, 56);
    p.strokePath(bridle, QPen(kDeepGold, 3, Qt::SolidLine, Qt::RoundCap));
    jewel(p, QPointF(31.5, 41.5), 3.2, kGold);
    QPainterPath eye;
    eye.addEllipse(QPointF(22, 32), 3, 2.2);
    p.fillPath(eye, kInk);
    QPainterPath nostril;
    nostril.addEllipse(QPointF(8, 50), 1.6, 1.2);
    p.fillPath(nostril, kInk);
    // Plume on the crown of the head.
    QPainterPath plume;
    plume.moveTo(30, 12);
    plume.cubicTo(34, 0, 50, -2, 56, 6);
    plume.cubicTo(46, 4, 40, 8, 34, 16);
    plume.closeSubpath();
    fillInk(p, plume, pal.frame.lighter(130), 0.8);
    // A saddle cloth edge at the foot.
    p.fillRect(QRectF(22, 84, 52, 6), kGold);
}

// A queen's diadem: an arched band of silver set with pearls and one large jewel.
void drawDiadem(QPainter &p, const Palette &pal, const QRectF &box)
{
    Canvas c(p, box, 100, 62);
    QPainterPath diadem;
    diadem.moveTo(6, 56);
    diadem.cubicTo(10, 30, 30, 8, 50, 6);
    diadem.cubicTo(70, 8, 90, 30, 94, 56);
    diadem.quadTo(50, 40, 6, 56);
    diadem.closeSubpath();
    QLinearGradient silver(0, 6, 0, 56);
    silver.setColorAt(0, QColor(0xfa, 0xfb, 0xfe));
    silver.setColorAt(0.6, QColor(0xc6, 0xcc, 0xd8));
    silver.setColorAt(1, QColor(0x8a, 0x92, 0xa6));
    fillInk(p, diadem, silver, 1.1);
    // Open filigree either side of the jewel.
    for (int side = -1; side <= 1; side += 2) {
        QPainterPath loop;
        loop.moveTo(50 + side * 14, 40);
        loop.cubicTo(50 + side * 22, 24, 50 + side * 34, 28, 50 + side * 34, 40);
        loop.cubicTo(50 + side * 30, 44, 50 + side * 20, 44, 50 + side * 14, 40);
        loop.closeSubpath();
        fillInk(p, loop, pal.panelLow, 0.7);
    }
    // Pearls along the top edge.
    for (int i = 0; i <= 8; ++i) {
        const qreal t = i / 8.0;
        const qreal a = M_PI * (1 - t);
        const QPointF at(50 + 45 * qCos(a), 56 - 50 * qSin(a) * (0.72 + 0.28 * qSin(a)));
        jewel(p, at, i == 4 ? 4.4 : 3.4, QColor(0xf8, 0xf4, 0xec));
    }
    jewel(p, QPointF(50, 30), 8, pal.frame);
}

// A king's crown: broad points, a jewelled band, arches and an orb with a cross.
void drawKingCrown(QPainter &p, const Palette &pal, const QRectF &box)
{
    Canvas c(p, box, 100, 74);
    QPainterPath arches;
    arches.moveTo(14, 46);
    arches.cubicTo(14, 18, 40, 14, 50, 22);
    arches.cubicTo(60, 14, 86, 18, 86, 46);
    arches.closeSubpath();
    QRadialGradient velvet(QPointF(50, 34), 36);
    velvet.setColorAt(0, pal.frame.lighter(140));
    velvet.setColorAt(1, pal.frame.darker(130));
    fillInk(p, arches, velvet);
    QPainterPath arcLines;
    arcLines.moveTo(50, 22);
    arcLines.lineTo(50, 48);
    p.strokePath(arcLines, QPen(kGold, 3));
    p.strokePath(arches, QPen(kGold, 3));
    p.strokePath(arches, inkPen(0.8));

    // Orb and cross on top.
    QPainterPath cross;
    cross.addRect(QRectF(48, 1, 4, 12));
    cross.addRect(QRectF(44, 4, 12, 4));
    fillInk(p, solid(cross), gilt(1, 13), 0.7);
    QPainterPath orb;
    orb.addEllipse(QPointF(50, 17), 6, 6);
    fillInk(p, orb, gilt(11, 23));

    QPainterPath crown;
    crown.moveTo(8, 70);
    crown.lineTo(6, 34);
    crown.lineTo(22, 48);
    crown.lineTo(34, 28);
    crown.lineTo(50, 46);
    crown.lineTo(66, 28);
    crown.lineTo(78, 48);
    crown.lineTo(94, 34);
    crown.lineTo(92, 70);
    crown.closeSubpath();
    fillInk(p, crown, gilt(28, 70), 1.1);
    QPainterPath band;
    band.addRect(QRectF(8, 56, 84, 14));
    fillInk(p, band, gilt(56, 70));
    jewel(p, QPointF(50, 63), 4.6, QColor(0xc2, 0x2d, 0x3a));
    jewel(p, QPointF(28, 63), 3.8, pal.frame);
    jewel(p, QPointF(72, 63), 3.8, pal.frame);
    for (const QPointF tip : {QPointF(6, 33), QPointF(34, 27), QPointF(66, 27), QPointF(94, 33)})
        jewel(p, tip, 3.0, QColor(0xf4, 0xf1, 0xea));
}

} // namespace

void drawCourtEmblem(QPainter &p, Court court, Suit suit, const QRectF &box)
{
    const Palette pal = suitPalette(suit);
    switch (court) {
    case Court::Page:
        drawScroll(p, pal, box);
        break;
    case Court::Knight:
        drawCharger(p, pal, box);
        break;
    case Court::Queen:
        drawDiadem(p, pal, box);
        break;
    case Court::King:
        drawKingCrown(p, pal, box);
        break;
    }
}

} // namespace kesto::art
