// The symbolic drawings of the 22 major arcana. Each is written against a 120 x 164 design
// space, the card's picture panel.
#include "cardart.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>

namespace kesto::art {

namespace {

constexpr qreal W = 120, H = 164;

QColor rgb(int v) { return QColor::fromRgb(QRgb(0xff000000u | unsigned(v))); }

const QColor kWhite = rgb(0xfdfbf5);
const QColor kRed = rgb(0xb83a2e);
const QColor kRose = rgb(0xe07f86);
const QColor kGreen = rgb(0x4f8a3c);
const QColor kLeaf = rgb(0x7fb356);
const QColor kBrown = rgb(0x8a5a32);
const QColor kStone = rgb(0xa4a3b0);
const QColor kStoneDark = rgb(0x6a6978);
const QColor kSky = rgb(0x9cc6e8);
const QColor kNight = rgb(0x1f2a55);
const QColor kWater = rgb(0x3f76b8);

QBrush vertical(qreal y0, qreal y1, const QColor &a, const QColor &b)
{
    QLinearGradient g(0, y0, 0, y1);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

QBrush horizontal(qreal x0, qreal x1, const QColor &a, const QColor &b)
{
    QLinearGradient g(x0, 0, x1, 0);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

QBrush shine(QPointF c, qreal r, const QColor &light, const QColor &base)
{
    QRadialGradient g(c, r);
    g.setColorAt(0, light);
    g.setColorAt(1, base);
    return g;
}

void sky(QPainter &p, const QColor &top, const QColor &bottom)
{
    p.fillRect(QRectF(0, 0, W, H), vertical(0, H, top, bottom));
}

void ground(QPainter &p, qreal y, const QColor &top, const QColor &bottom)
{
    QPainterPath hill;
    hill.moveTo(0, y + 4);
    hill.quadTo(W / 2, y - 6, W, y + 4);
    hill.lineTo(W, H);
    hill.lineTo(0, H);
    hill.closeSubpath();
    p.fillPath(hill, vertical(y, H, top, bottom));
    p.strokePath(hill, inkPen(0.6));
}

QPainterPath cloudPath(QPointF c, qreal w)
{
    QPainterPath cloud;
    const qreal h = w * 0.42;
    cloud.addEllipse(QPointF(c.x() - w * 0.25, c.y() + h * 0.1), w * 0.27, h * 0.42);
    cloud.addEllipse(QPointF(c.x() + w * 0.05, c.y() - h * 0.12), w * 0.3, h * 0.55);
    cloud.addEllipse(QPointF(c.x() + w * 0.3, c.y() + h * 0.12), w * 0.22, h * 0.38);
    cloud.addRect(QRectF(c.x() - w * 0.4, c.y() + h * 0.05, w * 0.75, h * 0.33));
    return solid(cloud);
}

void cloud(QPainter &p, QPointF c, qreal w)
{
    fillInk(p, cloudPath(c, w), vertical(c.y() - w * 0.3, c.y() + w * 0.2, kWhite, rgb(0xd9e3ee)), 0.7);
}

void sun(QPainter &p, QPointF c, qreal r, int rays, qreal rayLen, bool wavy)
{
    QPainterPath straight, curly;
    for (int i = 0; i < rays; ++i) {
        const qreal a = 2 * M_PI * i / rays - M_PI / 2;
        const QPointF dir(qCos(a), qSin(a));
        const QPointF side(-dir.y(), dir.x());
        if (wavy && i % 2 == 1) {
            const QPointF b = c + dir * (r + 1);
            const qreal len = rayLen * 0.85;
            curly.moveTo(b + side * 2.2);
            curly.cubicTo(b + dir * len * 0.33 + side * 5, b + dir * len * 0.66 - side * 3, b + dir * len);
            curly.cubicTo(b + dir * len * 0.66 - side * 5, b + dir * len * 0.33 + side * 3, b - side * 2.2);
            curly.closeSubpath();
        } else {
            const qreal half = M_PI / rays * 0.55;
            straight.moveTo(c + QPointF(qCos(a - half), qSin(a - half)) * (r + 1));
            straight.lineTo(c + dir * (r + rayLen));
            straight.lineTo(c + QPointF(qCos(a + half), qSin(a + half)) * (r + 1));
            straight.closeSubpath();
        }
    }
    fillInk(p, straight.united(curly), gilt(c.y() - r - rayLen, c.y() + r + rayLen), 0.7);
    QPainterPath disc;
    disc.addEllipse(c, r, r);
    fillInk(p, disc, shine(c - QPointF(r * 0.3, r * 0.3), r * 1.4, rgb(0xfff6c8), rgb(0xf0b628)));
}

QPainterPath rect(qreal x, qreal y, qreal w, qreal h)
{
    QPainterPath path;
    path.addRect(QRectF(x, y, w, h));
    return path;
}

QPainterPath ellipse(QPointF c, qreal rx, qreal ry)
{
    QPainterPath path;
    path.addEllipse(c, rx, ry);
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF &pt : points) {
        if (first)
            path.moveTo(pt);
        else
            path.lineTo(pt);
        first = false;
    }
    path.closeSubpath();
    return path;
}

// A small tower with battlements, its base centred at (x, base).
void tower(QPainter &p, qreal x, qreal base, qreal w, qreal h, const QColor &stone)
{
    QPainterPath body;
    body.moveTo(x - w / 2, base);
    body.lineTo(x - w / 2, base - h);
    const int merlons = 3;
    const qreal step = w / (2 * merlons - 1);
    for (int i = 0; i < 2 * merlons - 1; ++i) {
        const qreal x0 = x - w / 2 + i * step;
        const qreal top = (i % 2 == 0) ? base - h - step : base - h;
        body.lineTo(x0, top);
        body.lineTo(x0 + step, top);
    }
    body.lineTo(x + w / 2, base - h);
    body.lineTo(x + w / 2, base);
    body.closeSubpath();
    fillInk(p, body, horizontal(x - w / 2, x + w / 2, stone.lighter(115), stone.darker(125)), 0.8);
    QPainterPath window;
    window.addRoundedRect(QRectF(x - w * 0.14, base - h * 0.62, w * 0.28, h * 0.22), w * 0.14, w * 0.1);
    fillInk(p, window, rgb(0xf3d27a), 0.6);
}

void flower(QPainter &p, QPointF c, qreal r, const QColor &petal, const QColor &heart, int petals = 5)
{
    QPainterPath path;
    for (int i = 0; i < petals; ++i) {
        const qreal a = 2 * M_PI * i / petals - M_PI / 2;
        path.addEllipse(c + QPointF(qCos(a), qSin(a)) * r * 0.55, r * 0.52, r * 0.52);
    }
    fillInk(p, solid(path), petal, 0.6);
    fillInk(p, ellipse(c, r * 0.33, r * 0.33), heart, 0.5);
}

void cup(QPainter &p, QPointF rimCentre, qreal scale, qreal angleDeg)
{
    p.save();
    p.translate(rimCentre);
    p.rotate(angleDeg);
    p.scale(scale, scale);
    QPainterPath bowl;
    bowl.moveTo(-10, 0);
    bowl.cubicTo(-10, 12, -5, 17, 0, 17);
    bowl.cubicTo(5, 17, 10, 12, 10, 0);
    bowl.closeSubpath();
    QPainterPath foot;
    foot.addRect(QRectF(-1.6, 16, 3.2, 8));
    foot.addEllipse(QPointF(0, 25), 7, 2.4);
    fillInk(p, solid(foot), gilt(16, 28));
    fillInk(p, bowl, gilt(0, 17));
    fillInk(p, ellipse(QPointF(0, 0), 10, 2.8), rgb(0xbfdcf6), 0.8);
    p.restore();
}

void sword(QPainter &p, QPointF tip, qreal length)
{
    const qreal s = length / 100.0;
    p.save();
    p.translate(tip);
    p.scale(s, s);
    QPainterPath blade = polygon({{0, 0}, {5, 10}, {4.5, 70}, {-4.5, 70}, {-5, 10}});
    fillInk(p, blade, horizontal(-5, 5, rgb(0x9aa8b8), rgb(0xf1f4f8)));
    p.strokePath(polygon({{0, 12}, {0, 66}}), colourPen(rgb(0x8090a4), 0.7));
    QPainterPath guard;
    guard.addRoundedRect(QRectF(-15, 69, 30, 6), 3, 3);
    fillInk(p, guard, gilt(69, 75));
    fillInk(p, rect(-2.5, 75, 5, 16), rgb(0x5a3f6e));
    fillInk(p, ellipse(QPointF(0, 94), 4.5, 4.5), gilt(90, 98));
    p.restore();
}

// 0: a traveller's bundle on a staff at the edge of a cliff under the sun.
void fool(QPainter &p)
{
    sky(p, rgb(0x9fd1f2), rgb(0xf7f0d8));
    sun(p, QPointF(92, 26), 11, 12, 7, false);
    // Far mountains below the cliff.
    p.fillPath(polygon({{60, 164}, {84, 112}, {100, 128}, {112, 104}, {130, 164}}),
               vertical(104, 164, rgb(0xc4d2e4), rgb(0x8aa0c0)));
    QPainterPath cliff;
    cliff.moveTo(-2, 120);
    cliff.quadTo(30, 112, 62, 116);
    cliff.lineTo(70, 122);
    cliff.lineTo(64, 140);
    cliff.lineTo(70, 164);
    cliff.lineTo(-2, 164);
    cliff.closeSubpath();
    fillInk(p, cliff, vertical(112, 164, rgb(0xc9a46a), rgb(0x8a6a3c)));
    flower(p, QPointF(22, 128), 7, kWhite, rgb(0xf0c040));
    QPainterPath stem = polygon({{22, 134}, {22, 150}});
    p.strokePath(stem, colourPen(kGreen, 1.4));
    // Staff and bundle.
    QPainterPath staff = polygon({{34, 150}, {36, 151}, {86, 52}, {84, 51}});
    fillInk(p, staff, kBrown, 0.8);
    QPainterPath bundle;
    bundle.moveTo(86, 52);
    bundle.cubicTo(104, 50, 108, 70, 98, 80);
    bundle.cubicTo(88, 88, 70, 80, 76, 66);
    bundle.cubicTo(78, 60, 82, 56, 86, 52);
    bundle.closeSubpath();
    fillInk(p, bundle, shine(QPointF(88, 62), 24, rgb(0xf08a5a), kRed));
    p.strokePath(polygon({{78, 60}, {92, 58}}), colourPen(kDeepGold, 1.6));
    // The first step into the air: a little feather falling.
    fillInk(p, leafPath(QPointF(96, 110), QPointF(108, 96), 4), kWhite, 0.6);
}

// I: the lemniscate over a raised wand, the four suit emblems on the table.
void magician(QPainter &p)
{
    sky(p, rgb(0xfbeec2), rgb(0xeab66a));
    QRadialGradient halo(QPointF(60, 30), 40);
    halo.setColorAt(0, rgb(0xfffbe6));
    halo.setColorAt(1, QColor(255, 251, 230, 0));
    p.fillRect(QRectF(0, 0, W, 80), halo);
    const QPainterPath eight = lemniscatePath(QPointF(60, 28), 64, 18);
    p.strokePath(eight, QPen(kInk, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.strokePath(eight, QPen(kGold, 4.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.strokePath(eight, QPen(kPaleGold, 1.4));
    // The wand raised to the sky.
    QPainterPath wand;
    wand.addRoundedRect(QRectF(57, 50, 6, 48), 3, 3);
    fillInk(p, wand, horizontal(57, 63, kWhite, rgb(0xd8d2c0)));
    fillInk(p, ellipse(QPointF(60, 50), 5, 5), gilt(45, 55), 0.8);
    fillInk(p, ellipse(QPointF(60, 98), 5, 5), gilt(93, 103), 0.8);
    // The table.
    fillInk(p, rect(4, 116, 112, 10), vertical(116, 126, rgb(0xb07a44), rgb(0x7a4a24)));
    fillInk(p, rect(10, 126, 100, 38), vertical(126, 164, kRed, rgb(0x7a2018)));
    p.strokePath(polygon({{10, 132}, {110, 132}}), colourPen(kGold, 1.2));
    const qreal baseline = 115;
    drawSuitEmblem(p, Suit::Cups, QRectF(8, baseline - 26, 17, 26));
    drawSuitEmblem(p, Suit::Pentacles, QRectF(30, baseline - 20, 20, 20));
    drawSuitEmblem(p, Suit::Swords, QRectF(76, baseline - 34, 9, 34));
    drawSuitEmblem(p, Suit::Wands, QRectF(94, baseline - 34, 12, 34));
}

// II: the dark and the light pillar, a veil of pomegranates, the triple moon.
void highPriestess(QPainter &p)
{
    sky(p, rgb(0x27346a), rgb(0x4a5a9a));
    for (const QPointF s : {QPointF(14, 12), QPointF(104, 16), QPointF(30, 26), QPointF(92, 34)})
        p.fillPath(starPath(s, 2.4, 0.9, 4), kWhite);
    // The veil.
    fillInk(p, rect(28, 58, 64, 106), vertical(58, 164, rgb(0x5b88c8), rgb(0x2c4f8a)), 0.8);
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QPointF c(38 + col * 22 + (row % 2) * 11, 72 + row * 24);
            if (c.x() > 88)
                continue;
            fillInk(p, ellipse(c, 5.2, 5.2), shine(c - QPointF(1.5, 1.5), 6, rgb(0xf08070), kRed), 0.6);
            p.fillPath(polygon({{c.x() - 2, c.y() - 5}, {c.x(), c.y() - 8}, {c.x() + 2, c.y() - 5}}), kRed);
            fillInk(p, leafPath(c + QPointF(0, -5), c + QPointF(7, -11), 3), kLeaf, 0.5);
        }
    }
    // The pillars, with their letters.
    for (int i = 0; i < 2; ++i) {
        const qreal x = i == 0 ? 4 : 92;
        const QColor stone = i == 0 ? rgb(0x2a2633) : rgb(0xf1ece0);
        const QColor shade = i == 0 ? rgb(0x4a4458) : rgb(0xc8c0b0);
        fillInk(p, rect(x + 3, 58, 18, 100), horizontal(x + 3, x + 21, shade, stone));
        fillInk(p, rect(x, 50, 24, 9), horizontal(x, x + 24, shade, stone));
        fillInk(p, rect(x, 156, 24, 8), horizontal(x, x + 24, shade, stone));
        p.setFont(serifFont(13, true));
        p.setPen(i == 0 ? kWhite : kInk);
        p.drawText(QRectF(x, 90, 24, 20), Qt::AlignCenter, i == 0 ? QStringLiteral("B") : QStringLiteral("J"));
    }
    // Triple moon: waxing, full, waning.
    const QColor silver = rgb(0xeef1fa);
    fillInk(p, ellipse(QPointF(60, 30), 11, 11), shine(QPointF(56, 26), 14, kWhite, rgb(0xc8d0e8)));
    fillInk(p, crescentPath(QPointF(38, 30), 10, 6, 0), silver);
    fillInk(p, crescentPath(QPointF(82, 30), 10, 6, 180), silver);
}

// III: Venus on a heart, twelve stars above, ripe wheat.
void empress(QPainter &p)
{
    sky(p, rgb(0xfbf0d4), rgb(0xf4d7a0));
    ground(p, 132, rgb(0x9ccb6c), rgb(0x5e9a3a));
    for (int i = 0; i < 12; ++i) {
        const qreal a = M_PI + M_PI * (i + 0.5) / 12;
        const QPointF s(60 + 50 * qCos(a), 62 + 46 * qSin(a));
        fillInk(p, starPath(s, 4.6, 2, 6), gilt(s.y() - 5, s.y() + 5), 0.5);
    }
    // Wheat either side.
    for (int side = -1; side <= 1; side += 2) {
        const qreal x = 60 + side * 40;
        p.strokePath(polygon({{x, 150}, {x - side * 4, 84}}), colourPen(kDeepGold, 1.6));
        for (int k = 0; k < 6; ++k) {
            const qreal y = 86 + k * 8;
            const qreal xx = x - side * 4 + side * 4 * (y - 84) / 66;
            fillInk(p, leafPath(QPointF(xx, y + 4), QPointF(xx - 6, y - 3), 4), kGold, 0.5);
            fillInk(p, leafPath(QPointF(xx, y + 4), QPointF(xx + 6, y - 3), 4), kGold, 0.5);
        }
        fillInk(p, leafPath(QPointF(x - side * 4, 86), QPointF(x - side * 4, 76), 4), kGold, 0.5);
    }
    const QPainterPath heart = heartPath(QPointF(60, 96), 62, 58);
    fillInk(p, heart, shine(QPointF(48, 82), 44, rgb(0xf8c4c4), rgb(0xd05a6a)), 1.2);
    // Venus: a ring on a cross.
    QPainterPath venus;
    venus.addEllipse(QPointF(60, 88), 10, 10);
    venus.moveTo(60, 98);
    venus.lineTo(60, 116);
    venus.moveTo(52, 108);
    venus.lineTo(68, 108);
    p.strokePath(venus, QPen(kInk, 6.4, Qt::SolidLine, Qt::RoundCap));
    p.strokePath(venus, QPen(kPaleGold, 4, Qt::SolidLine, Qt::RoundCap));
}

// IV: a stone throne before red mountains, carved with the ram's horns.
void emperor(QPainter &p)
{
    sky(p, rgb(0xf6cf8e), rgb(0xe0743a));
    p.fillPath(
        polygon({{-4, 120}, {22, 70}, {40, 96}, {64, 52}, {90, 92}, {104, 72}, {124, 110}, {124, 164}, {-4, 164}}),
        vertical(52, 140, rgb(0xb4502c), rgb(0x6e2a18)));
    // Throne back, seat and steps.
    QPainterPath back;
    back.moveTo(26, 128);
    back.lineTo(26, 48);
    back.quadTo(60, 22, 94, 48);
    back.lineTo(94, 128);
    back.closeSubpath();
    fillInk(p, back, horizontal(26, 94, rgb(0xc9c7cf), rgb(0x7d7b8a)), 1.1);
    fillInk(p, rect(18, 112, 84, 16), vertical(112, 128, rgb(0xd6d4dc), rgb(0x8c8a98)));
    fillInk(p, rect(12, 128, 96, 14), vertical(128, 142, rgb(0xbab8c4), rgb(0x7a7888)));
    fillInk(p, rect(6, 142, 108, 22), vertical(142, 164, rgb(0xa8a6b4), rgb(0x6a6878)));
    // Ram's head on each armrest: a coiled horn.
    for (const qreal x : {18.0, 102.0}) {
        QPainterPath coil;
        coil.addEllipse(QPointF(x, 108), 7, 7);
        fillInk(p, coil, gilt(101, 115), 0.8);
        QPainterPath spiral;
        spiral.moveTo(x + 4, 108);
        spiral.arcTo(QRectF(x - 4, 104, 8, 8), 0, 270);
        spiral.arcTo(QRectF(x - 2, 106, 4, 4), 270, 180);
        p.strokePath(spiral, colourPen(kDeepGold, 1));
    }
    // Aries: two horns rising from one stem, in gold on the throne's back.
    QPainterPath aries;
    aries.moveTo(60, 100);
    aries.lineTo(60, 70);
    aries.cubicTo(58, 52, 38, 50, 40, 64);
    aries.cubicTo(41, 70, 48, 70, 48, 66);
    aries.moveTo(60, 70);
    aries.cubicTo(62, 52, 82, 50, 80, 64);
    aries.cubicTo(79, 70, 72, 70, 72, 66);
    p.strokePath(aries, QPen(kInk, 6.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.strokePath(aries, QPen(kGold, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// V: the triple cross between two pillars, two crossed keys below.
void hierophant(QPainter &p)
{
    sky(p, rgb(0xf0e2cc), rgb(0xc7a283));
    for (const qreal x : {4.0, 96.0}) {
        fillInk(p, rect(x + 3, 30, 14, 134), horizontal(x + 3, x + 17, rgb(0xb8b6c2), rgb(0x75737f)));
        fillInk(p, rect(x, 22, 20, 9), horizontal(x, x + 20, rgb(0xc8c6d2), rgb(0x85838f)));
    }
    QPainterPath cross;
    cross.addRect(QRectF(57, 12, 6, 100));
    cross.addRect(QRectF(46, 24, 28, 5));
    cross.addRect(QRectF(40, 38, 40, 5));
    cross.addRect(QRectF(34, 52, 52, 5));
    fillInk(p, solid(cross), gilt(12, 112), 1.1);
    // Crossed keys: one gold, one silver.
    for (int k = 0; k < 2; ++k) {
        p.save();
        p.translate(60, 134);
        p.rotate(k == 0 ? -40 : 40);
        const QBrush metal = k == 0 ? gilt(-30, 30) : QBrush(horizontal(-4, 4, kWhite, rgb(0x9aa2b0)));
        QPainterPath key;
        key.addEllipse(QPointF(0, -24), 7, 7);
        key.addRect(QRectF(-1.8, -18, 3.6, 40));
        key.addRect(QRectF(1.8, 12, 7, 3.4));
        key.addRect(QRectF(1.8, 18, 5, 3.4));
        QPainterPath hole;
        hole.addEllipse(QPointF(0, -24), 3, 3);
        fillInk(p, solid(key).subtracted(hole), metal, 0.9);
        p.restore();
    }
}

// VI: two hearts joined under the sun.
void lovers(QPainter &p)
{
    sky(p, rgb(0x8fc8ef), rgb(0xf5ecd2));
    sun(p, QPointF(60, 26), 12, 16, 9, true);
    ground(p, 136, rgb(0x9ccb6c), rgb(0x4f8a3c));
    // A tree of flames and a tree of fruit.
    fillInk(p, rect(13, 100, 4, 40), kBrown, 0.7);
    fillInk(p, ellipse(QPointF(15, 92), 12, 16), shine(QPointF(12, 86), 16, rgb(0xffd070), rgb(0xe0602a)), 0.8);
    fillInk(p, rect(103, 100, 4, 40), kBrown, 0.7);
    fillInk(p, ellipse(QPointF(105, 92), 12, 16), shine(QPointF(102, 86), 16, kLeaf, kGreen), 0.8);
    for (const QPointF f : {QPointF(100, 88), QPointF(109, 94), QPointF(102, 100)})
        fillInk(p, ellipse(f, 2.4, 2.4), kRed, 0.5);
    const QPainterPath left = heartPath(QPointF(48, 88), 44, 42);
    const QPainterPath right = heartPath(QPointF(72, 92), 44, 42);
    fillInk(p, left, shine(QPointF(38, 76), 34, rgb(0xf7a6a6), kRed), 1.1);
    fillInk(p, right, shine(QPointF(64, 80), 34, rgb(0xfbd0d8), kRose), 1.1);
    // The left heart passes in front of the right one at the bottom: a linked pair.
    p.save();
    p.setClipRect(QRectF(0, 98, W, 40));
    fillInk(p, left, shine(QPointF(38, 76), 34, rgb(0xf7a6a6), kRed), 1.1);
    p.restore();
}

// VII: a chariot under a starry canopy, a winged disc on its front.
void chariot(QPainter &p)
{
    sky(p, rgb(0xa8d0f0), rgb(0xf4ead0));
    p.fillPath(polygon({{-4, 112}, {20, 96}, {44, 106}, {70, 90}, {96, 104}, {124, 94}, {124, 164}, {-4, 164}}),
               vertical(90, 164, rgb(0xd8d0b8), rgb(0xa89870)));
    // Canopy of stars on four posts.
    fillInk(p, rect(22, 30, 4, 60), kStone);
    fillInk(p, rect(94, 30, 4, 60), kStone);
    QPainterPath canopy;
    canopy.moveTo(14, 32);
    canopy.quadTo(60, 4, 106, 32);
    canopy.lineTo(106, 40);
    canopy.quadTo(60, 30, 14, 40);
    canopy.closeSubpath();
    fillInk(p, canopy, vertical(10, 40, rgb(0x2c3c80), kNight));
    for (const QPointF s : {QPointF(34, 30), QPointF(48, 24), QPointF(60, 22), QPointF(72, 24), QPointF(86, 30)})
        p.fillPath(starPath(s, 3.4, 1.4, 6), kPaleGold);
    // Body.
    fillInk(p, rect(18, 86, 84, 46), vertical(86, 132, rgb(0xd4d2dc), rgb(0x8a889a)), 1.1);
    fillInk(p, rect(14, 80, 92, 8), gilt(80, 88));
    // Wheels seen from the front.
    for (const qreal x : {10.0, 110.0}) {
        fillInk(p, ellipse(QPointF(x, 136), 7, 20), vertical(116, 156, rgb(0xa06838), rgb(0x5e3a1c)));
        fillInk(p, ellipse(QPointF(x, 136), 2.6, 7), gilt(129, 143), 0.6);
    }
    // Winged disc.
    for (int side = -1; side <= 1; side += 2) {
        QPainterPath wing;
        wing.moveTo(60 + side * 6, 104);
        wing.cubicTo(60 + side * 20, 92, 60 + side * 36, 96, 60 + side * 40, 100);
        wing.cubicTo(60 + side * 30, 104, 60 + side * 34, 108, 60 + side * 26, 110);
        wing.cubicTo(60 + side * 20, 112, 60 + side * 12, 110, 60 + side * 6, 108);
        wing.closeSubpath();
        fillInk(p, wing, gilt(92, 112), 0.8);
    }
    fillInk(p, ellipse(QPointF(60, 106), 8, 8), shine(QPointF(57, 103), 10, rgb(0xf8a080), kRed));
    // The wheels' axle and the charioteer's star.
    fillInk(p, starPath(QPointF(60, 60), 10, 4, 8), gilt(50, 70), 0.8);
}

// VIII: the lion's head in a garland of roses.
void strength(QPainter &p)
{
    sky(p, rgb(0xfcefc4), rgb(0xf0c878));
    const QPointF c(60, 76);
    // Mane: a scalloped ring.
    QPainterPath mane;
    const int lobes = 18;
    for (int i = 0; i <= lobes * 4; ++i) {
        const qreal a = 2 * M_PI * i / (lobes * 4);
        const qreal r = 44 + 5 * qCos(a * lobes);
        const QPointF pt = c + QPointF(r * qCos(a), r * 1.02 * qSin(a));
        if (i == 0)
            mane.moveTo(pt);
        else
            mane.lineTo(pt);
    }
    mane.closeSubpath();
    fillInk(p, mane, shine(c, 50, rgb(0xe8a040), rgb(0xa0501c)), 1.1);
    // Ears.
    for (int side = -1; side <= 1; side += 2) {
        fillInk(p, ellipse(c + QPointF(side * 20, -24), 8, 8), rgb(0xe0a860));
        fillInk(p, ellipse(c + QPointF(side * 20, -24), 4, 4), rgb(0xb87838), 0.5);
    }
    // Face.
    QPainterPath face;
    face.moveTo(c + QPointF(0, -30));
    face.cubicTo(c + QPointF(26, -30), c + QPointF(30, 4), c + QPointF(18, 22));
    face.quadTo(c + QPointF(0, 34), c + QPointF(-18, 22));
    face.cubicTo(c + QPointF(-30, 4), c + QPointF(-26, -30), c + QPointF(0, -30));
    fillInk(p, face, shine(c + QPointF(-6, -10), 36, rgb(0xf8d898), rgb(0xdca058)), 1.0);
    for (int side = -1; side <= 1; side += 2) {
        fillInk(p, ellipse(c + QPointF(side * 10, -8), 4.2, 3), kWhite, 0.6);
        p.fillPath(ellipse(c + QPointF(side * 10, -8), 2, 2.4), rgb(0x5a3410));
        p.strokePath(polygon({c + QPointF(side * 15, -15), c + QPointF(side * 5, -14)}), inkPen(0.9));
    }
    // Muzzle, nose and mouth.
    fillInk(p, ellipse(c + QPointF(-6, 13), 7, 6), rgb(0xfbecd0), 0.7);
    fillInk(p, ellipse(c + QPointF(6, 13), 7, 6), rgb(0xfbecd0), 0.7);
    fillInk(p, polygon({c + QPointF(-6, 3), c + QPointF(6, 3), c + QPointF(0, 10)}), rgb(0x6a3a2a), 0.7);
    p.strokePath(polygon({c + QPointF(0, 10), c + QPointF(0, 19)}), inkPen(0.9));
    // A garland of roses below.
    QPainterPath garland;
    garland.moveTo(6, 128);
    garland.quadTo(60, 160, 114, 128);
    p.strokePath(garland, QPen(kGreen, 3));
    for (int i = 0; i < 5; ++i) {
        const qreal t = 0.1 + 0.2 * i;
        const QPointF f((1 - t) * (1 - t) * QPointF(6, 128) + 2 * (1 - t) * t * QPointF(60, 160)
                        + t * t * QPointF(114, 128));
        fillInk(p, leafPath(f, f + QPointF(-8, -4), 4), kLeaf, 0.5);
        flower(p, f, 7, i % 2 ? kRose : kRed, rgb(0xf4d070));
    }
}

// IX: the lantern with its six-pointed star, the staff, a snowy peak at night.
void hermit(QPainter &p)
{
    sky(p, rgb(0x232a4e), rgb(0x5c6688));
    for (const QPointF s : {QPointF(16, 14), QPointF(100, 10), QPointF(88, 40), QPointF(24, 52)})
        p.fillPath(starPath(s, 2, 0.8, 4), kWhite);
    fillInk(p, polygon({{-4, 164}, {-4, 140}, {40, 110}, {64, 124}, {124, 100}, {124, 164}}),
            vertical(100, 164, rgb(0xf4f6fa), rgb(0xb8c0d4)));
    // Staff.
    fillInk(p, polygon({{28, 18}, {33, 18}, {35, 160}, {30, 160}}), horizontal(28, 35, rgb(0xc08a50), kBrown));
    // Lantern glow.
    const QPointF c(74, 82);
    QRadialGradient glow(c, 46);
    glow.setColorAt(0, QColor(255, 236, 150, 210));
    glow.setColorAt(1, QColor(255, 236, 150, 0));
    p.fillRect(QRectF(20, 30, 100, 104), glow);
    // Hanger.
    p.strokePath(polygon({{74, 30}, {74, 50}}), colourPen(kInk, 1.2));
    fillInk(p, ellipse(QPointF(74, 28), 3, 3), Qt::NoBrush);
    // Lantern: roof, glass, base.
    fillInk(p, polygon({{60, 58}, {74, 46}, {88, 58}}), gilt(46, 58));
    fillInk(p, rect(60, 58, 28, 4), gilt(58, 62));
    fillInk(p, polygon({{62, 62}, {86, 62}, {84, 104}, {64, 104}}), shine(c, 24, rgb(0xfffbe0), rgb(0xf4c850)));
    fillInk(p, rect(58, 104, 32, 5), gilt(104, 109));
    p.strokePath(polygon({{74, 62}, {74, 104}}), colourPen(kDeepGold, 0.8));
    // Star of David: two triangles.
    const QPointF s(74, 83);
    QPainterPath star;
    for (int k = 0; k < 2; ++k) {
        QPainterPath tri;
        for (int i = 0; i < 3; ++i) {
            const qreal a = qDegreesToRadians(-90.0 + 180 * k + 120 * i);
            const QPointF pt = s + QPointF(10 * qCos(a), 10 * qSin(a));
            if (i == 0)
                tri.moveTo(pt);
            else
                tri.lineTo(pt);
        }
        tri.closeSubpath();
        star = star.united(tri);
    }
    fillInk(p, star, kWhite, 0.8);
}

// X: the wheel with eight spokes among clouds.
void wheel(QPainter &p)
{
    sky(p, rgb(0x7fb4e0), rgb(0xdcecf6));
    cloud(p, QPointF(18, 16), 30);
    cloud(p, QPointF(104, 18), 30);
    cloud(p, QPointF(16, 150), 30);
    cloud(p, QPointF(104, 148), 30);
    const QPointF c(60, 82);
    QPainterPath rim;
    rim.addEllipse(c, 48, 48);
    rim.addEllipse(c, 36, 36);
    fillInk(p, rim, shine(c, 50, rgb(0xfbe0a0), rgb(0xd98c2a)), 1.2);
    QPainterPath inner;
    inner.addEllipse(c, 36, 36);
    p.fillPath(inner, shine(c, 36, rgb(0xfdf6e6), rgb(0xe8d8b8)));
    // Eight spokes, alternately gold and ink.
    for (int i = 0; i < 8; ++i) {
        const qreal a = M_PI * i / 4;
        const QPointF d(qCos(a), qSin(a));
        const QPointF side(-d.y(), d.x());
        const QPainterPath spoke
            = polygon({c + side * 2.2, c + d * 36 + side * 2.2, c + d * 36 - side * 2.2, c - side * 2.2});
        fillInk(p, spoke, i % 2 ? QBrush(rgb(0x6a4a8c)) : gilt(c.y() - 36, c.y() + 36), 0.7);
    }
    fillInk(p, ellipse(c, 9, 9), shine(c - QPointF(3, 3), 10, rgb(0xfff0c0), kDeepGold));
    // Marks round the rim.
    for (int i = 0; i < 8; ++i) {
        const qreal a = M_PI * i / 4 + M_PI / 8;
        const QPointF m = c + QPointF(qCos(a), qSin(a)) * 42;
        fillInk(p, ellipse(m, 2.6, 2.6), rgb(0x6a4a8c), 0.6);
    }
    p.strokePath(ellipse(c, 36, 36), inkPen());
    p.strokePath(ellipse(c, 48, 48), inkPen(1.2));
}

// XI: the upright sword of justice and the balanced scales.
void justice(QPainter &p)
{
    sky(p, rgb(0xe8c4b4), rgb(0xa84a3e));
    for (const qreal x : {2.0, 102.0})
        fillInk(p, rect(x, 0, 16, 164), horizontal(x, x + 16, rgb(0xb8b6c2), rgb(0x75737f)));
    fillInk(p, rect(0, 146, 120, 18), vertical(146, 164, rgb(0xc8c6d2), rgb(0x8a8894)));
    sword(p, QPointF(60, 8), 132);
    // The beam hangs from the sword's guard.
    const qreal beamY = 64;
    fillInk(p, rect(22, beamY - 2, 76, 4), gilt(beamY - 2, beamY + 2), 0.8);
    fillInk(p, ellipse(QPointF(60, beamY), 4, 4), gilt(beamY - 4, beamY + 4), 0.8);
    for (const qreal x : {24.0, 96.0}) {
        QPainterPath chains;
        chains.moveTo(x, beamY);
        chains.lineTo(x - 13, beamY + 34);
        chains.moveTo(x, beamY);
        chains.lineTo(x + 13, beamY + 34);
        p.strokePath(chains, colourPen(kDeepGold, 1.0));
        QPainterPath pan;
        pan.moveTo(x - 16, beamY + 34);
        pan.quadTo(x, beamY + 50, x + 16, beamY + 34);
        pan.closeSubpath();
        fillInk(p, pan, gilt(beamY + 34, beamY + 44));
    }
}

// XII: a figure hanging upside down from a living tau cross, a halo round the head.
void hangedMan(QPainter &p)
{
    sky(p, rgb(0xd4ecd8), rgb(0x8ec0a4));
    // The tau cross of living wood.
    const QBrush wood = horizontal(0, 120, rgb(0xa87444), rgb(0x6e4420));
    fillInk(p, rect(14, 10, 92, 10), wood);
    fillInk(p, rect(8, 20, 8, 144), wood);
    fillInk(p, rect(104, 20, 8, 144), wood);
    for (const QPointF l :
         {QPointF(20, 10), QPointF(40, 10), QPointF(84, 10), QPointF(100, 10), QPointF(12, 60), QPointF(108, 90)})
        fillInk(p, leafPath(l, l + QPointF(6, -8), 4), kLeaf, 0.5);
    // Rope.
    p.strokePath(polygon({{60, 20}, {60, 34}}), colourPen(rgb(0x9a7a4a), 2));
    // Legs: one straight, one bent behind to make the figure four.
    const QColor hose = rgb(0xc23a3a);
    fillInk(p, polygon({{56, 32}, {64, 32}, {64, 84}, {56, 84}}), hose, 0.9);
    fillInk(p, polygon({{62, 56}, {82, 56}, {82, 64}, {70, 64}, {64, 78}, {60, 70}}), hose, 0.9);
    fillInk(p, rect(55, 30, 10, 5), rgb(0xf0d8b0), 0.7);
    // Tunic.
    QPainterPath tunic;
    tunic.moveTo(50, 84);
    tunic.lineTo(70, 84);
    tunic.lineTo(74, 122);
    tunic.lineTo(46, 122);
    tunic.closeSubpath();
    fillInk(p, tunic, horizontal(46, 74, rgb(0x5a8ad0), rgb(0x2c5aa0)));
    p.strokePath(polygon({{48, 100}, {72, 100}}), colourPen(kGold, 1.6));
    // Arms folded behind the back.
    fillInk(p, polygon({{46, 118}, {40, 104}, {46, 96}}), rgb(0x2c5aa0), 0.8);
    fillInk(p, polygon({{74, 118}, {80, 104}, {74, 96}}), rgb(0x2c5aa0), 0.8);
    // Halo and head.
    QRadialGradient halo(QPointF(60, 134), 20);
    halo.setColorAt(0, QColor(255, 240, 160, 255));
    halo.setColorAt(0.6, QColor(255, 220, 110, 200));
    halo.setColorAt(1, QColor(255, 220, 110, 0));
    p.fillPath(ellipse(QPointF(60, 134), 20, 20), halo);
    p.strokePath(ellipse(QPointF(60, 134), 14, 14), colourPen(kDeepGold, 1.2));
    fillInk(p, ellipse(QPointF(60, 134), 8.5, 9), rgb(0xf4dcb8));
    fillInk(p, ellipse(QPointF(60, 141), 8.5, 4), rgb(0xe8c050), 0.6);
}

// XIII: the black banner with the white rose; the sun rises between two towers.
void death(QPainter &p)
{
    sky(p, rgb(0x3a3448), rgb(0xc88a6a));
    QRadialGradient dawn(QPointF(76, 130), 44);
    dawn.setColorAt(0, QColor(255, 220, 140, 220));
    dawn.setColorAt(1, QColor(255, 220, 140, 0));
    p.fillRect(QRectF(0, 80, W, 60), dawn);
    QPainterPath sunrise;
    sunrise.addEllipse(QPointF(78, 130), 14, 14);
    fillInk(p, sunrise.intersected(rect(0, 0, W, 130)), shine(QPointF(74, 124), 16, rgb(0xfff0b0), rgb(0xf0a030)), 0.8);
    tower(p, 54, 134, 12, 28, kStone);
    tower(p, 102, 134, 12, 28, kStone);
    fillInk(p, rect(-2, 130, 124, 36), vertical(130, 164, rgb(0x4a5a4a), rgb(0x2a302a)), 0.8);
    QPainterPath river;
    river.moveTo(70, 130);
    river.cubicTo(60, 140, 90, 150, 66, 166);
    river.lineTo(90, 166);
    river.cubicTo(104, 148, 80, 140, 86, 130);
    river.closeSubpath();
    fillInk(p, river, vertical(130, 164, rgb(0xe8b080), rgb(0x6a86a8)), 0.6);
    // Banner on its pole.
    fillInk(p, rect(20, 10, 4, 154), horizontal(20, 24, rgb(0xb08a58), rgb(0x6a4a28)), 0.8);
    fillInk(p, ellipse(QPointF(22, 9), 3.6, 3.6), gilt(5, 13), 0.7);
    QPainterPath banner;
    banner.moveTo(24, 14);
    banner.cubicTo(50, 8, 80, 20, 108, 14);
    banner.lineTo(106, 76);
    banner.cubicTo(80, 84, 50, 70, 24, 78);
    banner.closeSubpath();
    fillInk(p, banner, vertical(10, 80, rgb(0x2a2630), rgb(0x0e0c12)), 1.1);
    // The white rose: two rings of petals.
    const QPointF r(66, 45);
    for (int i = 0; i < 5; ++i) {
        const qreal a = 2 * M_PI * i / 5 - M_PI / 2;
        fillInk(p, ellipse(r + QPointF(qCos(a), qSin(a)) * 10, 8, 8), shine(r, 20, kWhite, rgb(0xd8d8e0)), 0.7);
    }
    for (int i = 0; i < 5; ++i) {
        const qreal a = 2 * M_PI * i / 5 - M_PI / 2 + M_PI / 5;
        const QPointF tip = r + QPointF(qCos(a), qSin(a)) * 15;
        fillInk(p, leafPath(r + QPointF(qCos(a), qSin(a)) * 10, tip, 4), kLeaf, 0.5);
    }
    fillInk(p, ellipse(r, 6, 6), rgb(0xf0d060), 0.7);
    p.fillPath(ellipse(r, 2, 2), rgb(0xb89020));
}

// XIV: water poured from one cup into another.
void temperance(QPainter &p)
{
    sky(p, rgb(0xbfe0f6), rgb(0xf4ecd6));
    // A path of light leads to the sun on the horizon.
    p.fillPath(polygon({{64, 164}, {94, 40}, {100, 40}, {104, 164}}), QColor(0xf0, 0xd8, 0x98, 140));
    sun(p, QPointF(97, 36), 8, 10, 5, false);
    fillInk(p, polygon({{-4, 140}, {30, 132}, {60, 142}, {124, 134}, {124, 164}, {-4, 164}}),
            vertical(132, 164, rgb(0x6aa0d8), rgb(0x2c5c98)), 0.7);
    for (const qreal x : {14.0, 40.0})
        fillInk(p, leafPath(QPointF(x, 142), QPointF(x + 2, 120), 6), kGreen, 0.6);
    for (const QPointF f : {QPointF(16, 120), QPointF(42, 118)})
        flower(p, f, 6, rgb(0xf4d040), rgb(0xd08020));
    // Triangle in a square, the sign on the angel's robe.
    fillInk(p, rect(52, 8, 16, 16), kWhite, 0.8);
    fillInk(p, polygon({{60, 10}, {66, 21}, {54, 21}}), kGold, 0.7);
    // The stream between the cups.
    QPainterPath stream;
    stream.moveTo(40, 52);
    stream.cubicTo(58, 40, 84, 60, 80, 98);
    QPen water(kWater, 5, Qt::SolidLine, Qt::RoundCap);
    p.strokePath(stream, QPen(kInk, 7.2, Qt::SolidLine, Qt::RoundCap));
    p.strokePath(stream, water);
    p.strokePath(stream, QPen(rgb(0xbfe0ff), 1.4));
    cup(p, QPointF(30, 58), 1.4, -58);
    cup(p, QPointF(80, 102), 1.5, 0);
}

// XV: the inverted pentagram between great horns, and chains.
void devil(QPainter &p)
{
    sky(p, rgb(0x1e1418), rgb(0x5a2820));
    QRadialGradient fire(QPointF(60, 60), 60);
    fire.setColorAt(0, QColor(240, 120, 40, 160));
    fire.setColorAt(1, QColor(240, 120, 40, 0));
    p.fillRect(QRectF(0, 0, W, 120), fire);
    // Horns.
    for (int side = -1; side <= 1; side += 2) {
        QPainterPath horn;
        horn.moveTo(60 + side * 14, 74);
        horn.cubicTo(60 + side * 50, 70, 60 + side * 52, 30, 60 + side * 40, 8);
        horn.cubicTo(60 + side * 42, 34, 60 + side * 34, 52, 60 + side * 10, 58);
        horn.closeSubpath();
        fillInk(p, horn, horizontal(60 + side * 10, 60 + side * 50, rgb(0xf4ead0), rgb(0xb8a27a)), 1.0);
    }
    // Inverted pentagram in a ring.
    const QPointF c(60, 50);
    fillInk(p, ellipse(c, 22, 22), shine(c, 24, rgb(0x4a1e1a), rgb(0x200c0c)), 1.0);
    p.strokePath(ellipse(c, 19, 19), colourPen(rgb(0xf08a3a), 1.2));
    QPainterPath lines;
    for (int i = 0; i < 5; ++i) {
        const qreal a1 = qDegreesToRadians(90.0 + 72 * i);
        const qreal a2 = qDegreesToRadians(90.0 + 72 * (i + 2));
        lines.moveTo(c + QPointF(17 * qCos(a1), 17 * qSin(a1)));
        lines.lineTo(c + QPointF(17 * qCos(a2), 17 * qSin(a2)));
    }
    p.strokePath(lines, QPen(rgb(0xf8b050), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    // The pedestal and a ring with two chains.
    fillInk(p, rect(34, 92, 52, 30), horizontal(34, 86, rgb(0x5a4a4a), rgb(0x2a2020)), 1.0);
    fillInk(p, rect(28, 122, 64, 42), horizontal(28, 92, rgb(0x4a3a3a), rgb(0x201818)), 1.0);
    p.strokePath(ellipse(QPointF(60, 110), 6, 6), QPen(rgb(0xb0a8a0), 2.2));
    for (int side = -1; side <= 1; side += 2) {
        for (int k = 0; k < 5; ++k) {
            const QPointF link(60 + side * (10 + k * 9), 118 + k * 9);
            p.save();
            p.translate(link);
            p.rotate(side * 45);
            p.strokePath(ellipse(QPointF(0, 0), 5, 3), QPen(kInk, 3.4));
            p.strokePath(ellipse(QPointF(0, 0), 5, 3), QPen(rgb(0xc8c0b8), 1.8));
            p.restore();
        }
    }
}

// XVI: the tower struck by lightning, its crown thrown off, flames at the windows.
void towerStruck(QPainter &p)
{
    sky(p, rgb(0x1c1830), rgb(0x5a4c7a));
    cloud(p, QPointF(22, 12), 44);
    cloud(p, QPointF(96, 8), 40);
    // Rock.
    fillInk(p, polygon({{-4, 164}, {10, 138}, {34, 126}, {86, 126}, {110, 140}, {124, 164}}),
            vertical(126, 164, rgb(0x8a7a6a), rgb(0x4a3e34)));
    // Tower body.
    QPainterPath body = polygon({{42, 128}, {44, 48}, {76, 48}, {78, 128}});
    fillInk(p, body, horizontal(42, 78, rgb(0xc8c4cc), rgb(0x78748a)), 1.1);
    QPainterPath bricks;
    for (int row = 0; row < 10; ++row) {
        const qreal y = 56 + row * 8;
        bricks.moveTo(44, y);
        bricks.lineTo(77, y);
        for (qreal x = 48 + (row % 2) * 6; x < 76; x += 12) {
            bricks.moveTo(x, y);
            bricks.lineTo(x, y + 8);
        }
    }
    p.strokePath(bricks, colourPen(rgb(0x6a6678), 0.5));
    // Windows spitting flames.
    for (const QPointF w : {QPointF(54, 64), QPointF(66, 88), QPointF(54, 108)}) {
        fillInk(p, rect(w.x() - 3, w.y() - 5, 6, 10), rgb(0x2a1a1a), 0.7);
        QPainterPath flame;
        flame.moveTo(w + QPointF(-3, 5));
        flame.cubicTo(w + QPointF(-10, -2), w + QPointF(-6, -8), w + QPointF(-12, -14));
        flame.cubicTo(w + QPointF(2, -10), w + QPointF(4, -4), w + QPointF(3, 5));
        flame.closeSubpath();
        fillInk(p, flame, vertical(w.y() - 14, w.y() + 5, rgb(0xffe070), rgb(0xe85020)), 0.6);
    }
    // Battlements, broken.
    fillInk(p,
            polygon({{42, 50},
                     {42, 40},
                     {50, 40},
                     {50, 44},
                     {56, 44},
                     {56, 38},
                     {62, 36},
                     {66, 44},
                     {70, 40},
                     {78, 40},
                     {78, 50}}),
            horizontal(42, 78, rgb(0xd0ccd4), rgb(0x80788e)), 1.0);
    // The crown, knocked off.
    p.save();
    p.translate(88, 26);
    p.rotate(28);
    QPainterPath crown = polygon({{-12, 8}, {-13, -6}, {-6, 1}, {0, -9}, {6, 1}, {13, -6}, {12, 8}});
    fillInk(p, crown, gilt(-9, 8));
    p.restore();
    // Lightning bolt striking the top of the tower.
    QPainterPath bolt;
    bolt.moveTo(4, 0);
    bolt.lineTo(24, 16);
    bolt.lineTo(14, 20);
    bolt.lineTo(40, 34);
    bolt.lineTo(30, 37);
    bolt.lineTo(58, 46);
    p.strokePath(bolt, QPen(kInk, 7, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.strokePath(bolt, QPen(rgb(0xf8d030), 5, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.strokePath(bolt, QPen(rgb(0xfffbe0), 1.8, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    // Falling flames.
    for (const QPointF d :
         {QPointF(18, 76), QPointF(28, 100), QPointF(96, 70), QPointF(104, 96), QPointF(90, 116), QPointF(14, 118)}) {
        QPainterPath drop;
        drop.moveTo(d + QPointF(0, -6));
        drop.cubicTo(d + QPointF(4, 0), d + QPointF(3, 4), d + QPointF(0, 4));
        drop.cubicTo(d + QPointF(-3, 4), d + QPointF(-4, 0), d + QPointF(0, -6));
        fillInk(p, drop, rgb(0xf8a030), 0.5);
    }
}

// XVII: the great eight-pointed star and seven small ones over the water.
void star(QPainter &p)
{
    sky(p, rgb(0x10163c), rgb(0x34468a));
    const QPointF c(60, 56);
    QRadialGradient glow(c, 54);
    glow.setColorAt(0, QColor(255, 250, 200, 150));
    glow.setColorAt(1, QColor(255, 250, 200, 0));
    p.fillRect(QRectF(0, 0, W, 120), glow);
    fillInk(p, starPath(c, 34, 13, 8), shine(c, 34, rgb(0xfffbe0), rgb(0xf2b630)), 1.0);
    fillInk(p, starPath(c, 20, 8, 8, -90 + 22.5), shine(c, 20, kWhite, rgb(0xfff0b0)), 0.7);
    const QPointF small[] = {{16, 16}, {104, 16}, {12, 58}, {108, 58}, {24, 98}, {96, 98}, {60, 8}};
    for (const QPointF s : small)
        fillInk(p, starPath(s, 7, 2.8, 8), shine(s, 7, kWhite, rgb(0xf6e6a8)), 0.6);
    // Pool below.
    fillInk(p, polygon({{-4, 122}, {40, 116}, {80, 120}, {124, 114}, {124, 164}, {-4, 164}}),
            vertical(114, 164, rgb(0x4a82c8), rgb(0x1c3c78)), 0.8);
    QPainterPath ripples;
    for (const QPointF r : {QPointF(34, 136), QPointF(80, 146), QPointF(56, 156)}) {
        ripples.addEllipse(r, 14, 2.6);
        ripples.addEllipse(r, 7, 1.3);
    }
    p.strokePath(ripples, colourPen(rgb(0xa8d0f8), 0.8));
    // The bank with a little bird on its tree.
    fillInk(p, polygon({{80, 118}, {96, 106}, {124, 104}, {124, 122}}), vertical(104, 122, kLeaf, kGreen), 0.7);
    fillInk(p, rect(106, 86, 3, 20), kBrown, 0.6);
    fillInk(p, ellipse(QPointF(107.5, 84), 8, 6), kGreen, 0.6);
}

// XVIII: the crescent moon shedding drops between two towers, a path up from the water.
void moon(QPainter &p)
{
    sky(p, rgb(0x1a2450), rgb(0x4a5c92));
    const QPointF c(60, 36);
    QRadialGradient glow(c, 40);
    glow.setColorAt(0, QColor(240, 240, 210, 140));
    glow.setColorAt(1, QColor(240, 240, 210, 0));
    p.fillRect(QRectF(0, 0, W, 90), glow);
    fillInk(p, ellipse(c, 24, 24), QColor(0x40, 0x50, 0x80, 120), 0.6);
    fillInk(p, crescentPath(c, 24, 12, -20), shine(c - QPointF(10, 6), 26, rgb(0xfffbe8), rgb(0xf0dc90)), 1.0);
    // Falling drops.
    for (const QPointF d : {QPointF(30, 70), QPointF(44, 80), QPointF(60, 72), QPointF(76, 80), QPointF(90, 70)}) {
        QPainterPath drop;
        drop.moveTo(d + QPointF(0, -5));
        drop.cubicTo(d + QPointF(3.4, 0), d + QPointF(2.6, 3.6), d + QPointF(0, 3.6));
        drop.cubicTo(d + QPointF(-2.6, 3.6), d + QPointF(-3.4, 0), d + QPointF(0, -5));
        fillInk(p, drop, rgb(0xf4d870), 0.5);
    }
    // Land, towers and the winding path.
    fillInk(p, polygon({{-4, 164}, {-4, 118}, {40, 112}, {80, 114}, {124, 110}, {124, 164}}),
            vertical(110, 164, rgb(0x7aa060), rgb(0x3a5c30)), 0.7);
    tower(p, 16, 124, 16, 40, kStone);
    tower(p, 104, 124, 16, 40, kStone);
    QPainterPath path;
    path.moveTo(56, 114);
    path.cubicTo(70, 124, 40, 130, 58, 142);
    path.lineTo(66, 142);
    path.cubicTo(50, 130, 80, 124, 62, 114);
    path.closeSubpath();
    fillInk(p, path, rgb(0xe8d49a), 0.6);
    fillInk(p, polygon({{-4, 142}, {124, 142}, {124, 164}, {-4, 164}}),
            vertical(142, 164, rgb(0x4a7ab8), rgb(0x22447a)), 0.7);
    // A crayfish climbing out of the pool.
    const QPointF k(60, 152);
    fillInk(p, ellipse(k, 4, 6), rgb(0xd86040), 0.6);
    for (int side = -1; side <= 1; side += 2)
        fillInk(p, ellipse(k + QPointF(side * 5, -6), 2.2, 3.4), rgb(0xd86040), 0.5);
}

// XIX: the sun with straight and wavy rays over a wall of sunflowers.
void theSun(QPainter &p)
{
    sky(p, rgb(0x7cc4f0), rgb(0xfff0b8));
    sun(p, QPointF(60, 54), 26, 16, 18, true);
    // Face-free disc: a ring of light inside.
    p.strokePath(ellipse(QPointF(60, 54), 20, 20), colourPen(rgb(0xfff4c0), 1.0));
    // Wall.
    fillInk(p, rect(-2, 122, 124, 42), vertical(122, 164, rgb(0xc8bca8), rgb(0x968a76)), 0.8);
    QPainterPath bricks;
    for (int row = 0; row < 5; ++row) {
        const qreal y = 122 + row * 9;
        bricks.moveTo(0, y);
        bricks.lineTo(120, y);
        for (qreal x = (row % 2) * 9; x < 120; x += 18) {
            bricks.moveTo(x, y);
            bricks.lineTo(x, y + 9);
        }
    }
    p.strokePath(bricks, colourPen(rgb(0x7a6e5c), 0.5));
    // Sunflowers over the wall.
    for (const QPointF f : {QPointF(18, 112), QPointF(46, 106), QPointF(74, 110), QPointF(102, 104)}) {
        p.strokePath(polygon({f, f + QPointF(0, 14)}), QPen(kGreen, 2));
        fillInk(p, leafPath(f + QPointF(0, 12), f + QPointF(-8, 6), 4), kLeaf, 0.5);
        fillInk(p, starPath(f, 10, 5, 12), rgb(0xf8c830), 0.6);
        fillInk(p, ellipse(f, 4.6, 4.6), rgb(0x6a3a1a), 0.6);
    }
}

// XX: the trumpet with its banner sounding from the clouds.
void judgement(QPainter &p)
{
    sky(p, rgb(0x9cc4e8), rgb(0xeef4f8));
    p.fillPath(polygon({{-4, 164}, {-4, 130}, {30, 110}, {56, 128}, {90, 104}, {124, 124}, {124, 164}}),
               vertical(104, 164, rgb(0xe8eef4), rgb(0xa8bcd0)));
    fillInk(p, polygon({{-4, 148}, {124, 142}, {124, 164}, {-4, 164}}),
            vertical(142, 164, rgb(0x5a8ac0), rgb(0x2c5488)), 0.7);
    // The trumpet lies along a line from its mouthpiece down to the right.
    const QPointF mouth(24, 30);
    const qreal angle = 34;
    const QPointF dir(qCos(qDegreesToRadians(angle)), qSin(qDegreesToRadians(angle)));
    const QPointF bell = mouth + dir * 82;
    // Rays of sound from the bell.
    const QColor ray(255, 236, 160, 150);
    for (int i = -3; i <= 3; ++i) {
        const qreal a = qDegreesToRadians(angle + i * 14);
        const qreal s = qDegreesToRadians(4.0);
        p.fillPath(polygon({bell, bell + QPointF(qCos(a - s), qSin(a - s)) * 80,
                            bell + QPointF(qCos(a + s), qSin(a + s)) * 80}),
                   ray);
    }
    cloud(p, QPointF(26, 24), 62);
    cloud(p, QPointF(88, 12), 48);
    p.save();
    p.translate(mouth);
    p.rotate(angle);
    QPainterPath horn;
    horn.addRect(QRectF(2, -2.2, 60, 4.4));
    horn.moveTo(60, -2.2);
    horn.cubicTo(70, -3, 78, -8, 82, -14);
    horn.lineTo(82, 14);
    horn.cubicTo(78, 8, 70, 3, 60, 2.2);
    horn.closeSubpath();
    fillInk(p, solid(horn), gilt(-14, 14), 1.0);
    fillInk(p, ellipse(QPointF(82, 0), 3.2, 14), vertical(-14, 14, rgb(0xc89a30), rgb(0x8a6418)), 0.8);
    fillInk(p, ellipse(QPointF(2, 0), 2.6, 4), gilt(-4, 4), 0.7);
    fillInk(p, rect(26, -3.2, 4, 6.4), gilt(-3, 3), 0.6);
    p.restore();
    // The banner with its red cross hangs from the trumpet.
    const QPointF hang1 = mouth + dir * 20, hang2 = mouth + dir * 46;
    QPainterPath banner;
    banner.moveTo(hang1);
    banner.lineTo(hang2);
    banner.lineTo(hang2.x(), hang2.y() + 40);
    banner.lineTo((hang1.x() + hang2.x()) / 2, hang2.y() + 30);
    banner.lineTo(hang1.x(), hang2.y() + 40);
    banner.closeSubpath();
    fillInk(p, banner, vertical(hang1.y(), hang2.y() + 40, kWhite, rgb(0xe0e0e8)), 0.9);
    const qreal cx = (hang1.x() + hang2.x()) / 2, cy = hang2.y() + 12;
    QPainterPath cross;
    cross.addRect(QRectF(cx - 3, cy - 16, 6, 30));
    cross.addRect(QRectF(cx - 11, cy - 7, 22, 6));
    p.fillPath(solid(cross).intersected(banner), kRed);
    // Open graves below, in the water.
    for (const qreal x : {22.0, 70.0})
        fillInk(p, rect(x, 146, 26, 10), vertical(146, 156, rgb(0x8a7a6a), rgb(0x4a3e34)), 0.7);
}

// XXI: the laurel wreath tied with red ribbons around the world.
void world(QPainter &p)
{
    sky(p, rgb(0xc8d6f0), rgb(0x7e96cc));
    for (const QPointF s : {QPointF(12, 12), QPointF(108, 12), QPointF(12, 152), QPointF(108, 152)})
        cloud(p, s, 26);
    const QPointF c(60, 82);
    const qreal rx = 38, ry = 56;
    // Globe inside.
    fillInk(p, ellipse(c, 22, 22), shine(c - QPointF(7, 7), 28, rgb(0x8ac8f0), rgb(0x2a62a8)), 1.0);
    QPainterPath land;
    land.moveTo(c + QPointF(-14, -10));
    land.cubicTo(c + QPointF(-4, -18), c + QPointF(4, -6), c + QPointF(-2, 0));
    land.cubicTo(c + QPointF(-8, 6), c + QPointF(-6, 14), c + QPointF(-14, 10));
    land.cubicTo(c + QPointF(-20, 4), c + QPointF(-20, -4), c + QPointF(-14, -10));
    land.moveTo(c + QPointF(6, 4));
    land.cubicTo(c + QPointF(16, -2), c + QPointF(20, 8), c + QPointF(12, 16));
    land.cubicTo(c + QPointF(6, 18), c + QPointF(2, 10), c + QPointF(6, 4));
    fillInk(p, land, kLeaf, 0.5);
    QPainterPath meridians;
    meridians.addEllipse(c, 9, 22);
    meridians.moveTo(c + QPointF(-22, 0));
    meridians.lineTo(c + QPointF(22, 0));
    p.strokePath(meridians, colourPen(QColor(255, 255, 255, 120), 0.6));
    // Two laurel branches growing up either side from the bottom ribbon to the top one.
    QPainterPath branch;
    branch.addEllipse(c, rx, ry);
    p.strokePath(branch, QPen(rgb(0x3a6a2c), 1.6));
    for (int side = -1; side <= 1; side += 2) {
        const int pairs = 13;
        for (int i = 0; i < pairs; ++i) {
            const qreal t = M_PI * (0.08 + 0.86 * (i + 0.5) / pairs);
            const QPointF at = c + QPointF(side * rx * qSin(t), -ry * qCos(t));
            QPointF up(-side * rx * qCos(t), -ry * qSin(t));
            up /= qSqrt(up.x() * up.x() + up.y() * up.y());
            const QPointF out(-up.y() * side, up.x() * side);
            for (int k = -1; k <= 1; k += 2) {
                const QPointF tip = at + up * 8.5 + out * (k * 5.5);
                fillInk(p, leafPath(at, tip, 5.2), QBrush((i + k) % 3 ? kGreen : kLeaf), 0.5);
            }
        }
    }
    // Ribbons at top and bottom.
    for (const qreal y : {c.y() - ry, c.y() + ry}) {
        const QPainterPath bow = polygon({{52, y - 6}, {68, y + 6}, {68, y - 6}, {52, y + 6}});
        fillInk(p, bow, kRed, 0.8);
        fillInk(p, ellipse(QPointF(60, y), 3.4, 3.4), rgb(0xe05a48), 0.7);
    }
}

} // namespace

void drawMajorArcanum(QPainter &p, int number, const QRectF &panel)
{
    Canvas c(p, panel, W, H);
    switch (number) {
    case 0:
        fool(p);
        break;
    case 1:
        magician(p);
        break;
    case 2:
        highPriestess(p);
        break;
    case 3:
        empress(p);
        break;
    case 4:
        emperor(p);
        break;
    case 5:
        hierophant(p);
        break;
    case 6:
        lovers(p);
        break;
    case 7:
        chariot(p);
        break;
    case 8:
        strength(p);
        break;
    case 9:
        hermit(p);
        break;
    case 10:
        wheel(p);
        break;
    case 11:
        justice(p);
        break;
    case 12:
        hangedMan(p);
        break;
    case 13:
        death(p);
        break;
    case 14:
        temperance(p);
        break;
    case 15:
        devil(p);
        break;
    case 16:
        towerStruck(p);
        break;
    case 17:
        star(p);
        break;
    case 18:
        moon(p);
        break;
    case 19:
        theSun(p);
        break;
    case 20:
        judgement(p);
        break;
    case 21:
        world(p);
        break;
    default:
        break;
    }
}

} // namespace kesto::art
