#include "art.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QtMath>

namespace kesto::art {

namespace {
thread_local qreal g_inkScale = 1.0;
} // namespace

Palette suitPalette(Suit suit)
{
    switch (suit) {
    case Suit::Cups: // water: blues
        return {QColor(0x2a, 0x62, 0xa4), QColor(0xee, 0xf4, 0xfb), QColor(0xc9, 0xdd, 0xf1),
                QColor(0x3d, 0x7c, 0xc9), QColor(0xbf, 0xdc, 0xf6), QColor(0x1f, 0x4a, 0x86)};
    case Suit::Pentacles: // earth: gold on green
        return {QColor(0x5f, 0x7d, 0x25), QColor(0xf3, 0xf3, 0xe0), QColor(0xd6, 0xe3, 0xb4),
                QColor(0xe0, 0xb4, 0x3a), QColor(0xfa, 0xe7, 0x9c), QColor(0x9a, 0x6f, 0x16)};
    case Suit::Swords: // air: steel and violet
        return {QColor(0x55, 0x5f, 0x84), QColor(0xf1, 0xf2, 0xf7), QColor(0xd3, 0xd8, 0xe8),
                QColor(0xc9, 0xd3, 0xde), QColor(0xf4, 0xf7, 0xfa), QColor(0x6e, 0x7d, 0x93)};
    case Suit::Wands: // fire: wood, leaves and red
        return {QColor(0xae, 0x42, 0x25), QColor(0xfb, 0xf0, 0xe0), QColor(0xf2, 0xcf, 0xa8),
                QColor(0xa3, 0x68, 0x35), QColor(0xd6, 0xa0, 0x62), QColor(0x6b, 0x40, 0x1d)};
    }
    return {};
}

Palette majorPalette()
{
    return {QColor(0x4a, 0x2f, 0x73), QColor(0xfb, 0xf4, 0xe0), QColor(0xe9, 0xdd, 0xc0), kGold, kPaleGold, kDeepGold};
}

qreal inkWidth() { return 1.1 * g_inkScale; }

InkScale::InkScale(qreal factor) : m_previous(g_inkScale) { g_inkScale = m_previous * factor; }
InkScale::~InkScale() { g_inkScale = m_previous; }

QPen inkPen(qreal factor)
{
    QPen pen(kInk, inkWidth() * factor, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    pen.setCosmetic(true);
    return pen;
}

QPen colourPen(const QColor &colour, qreal widthPx, Qt::PenCapStyle cap)
{
    QPen pen(colour, widthPx * g_inkScale, Qt::SolidLine, cap, Qt::RoundJoin);
    pen.setCosmetic(true);
    return pen;
}

QBrush gilt(qreal top, qreal bottom)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, kPaleGold);
    g.setColorAt(0.5, kGold);
    g.setColorAt(1, kDeepGold);
    return g;
}

void fillInk(QPainter &p, const QPainterPath &path, const QBrush &brush, qreal inkFactor)
{
    p.fillPath(path, brush);
    p.strokePath(path, inkPen(inkFactor));
}

Canvas::Canvas(QPainter &p, const QRectF &box, qreal designWidth, qreal designHeight) : m_p(p)
{
    const qreal scale = qMin(box.width() / designWidth, box.height() / designHeight);
    m_unit = 1.0 / scale;
    p.save();
    p.translate(box.center().x() - designWidth * scale / 2, box.center().y() - designHeight * scale / 2);
    p.scale(scale, scale);
}

Canvas::~Canvas() { m_p.restore(); }

QPainterPath solid(QPainterPath path)
{
    path.setFillRule(Qt::WindingFill);
    return path.simplified();
}

QPainterPath starPath(QPointF centre, qreal outer, qreal inner, int points, qreal turnDeg)
{
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const qreal r = (i % 2 == 0) ? outer : inner;
        const qreal a = qDegreesToRadians(turnDeg + 180.0 * i / points);
        const QPointF pt = centre + QPointF(r * qCos(a), r * qSin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

QPainterPath heartPath(QPointF c, qreal w, qreal h)
{
    // Two lobes meeting at a notch at the top and a point at the bottom.
    const qreal x = c.x(), y = c.y() - h / 2;
    QPainterPath path;
    path.moveTo(x, y + h * 0.28);
    path.cubicTo(x - w * 0.05, y - h * 0.05, x - w * 0.5, y - h * 0.02, x - w * 0.5, y + h * 0.3);
    path.cubicTo(x - w * 0.5, y + h * 0.58, x - w * 0.18, y + h * 0.72, x, y + h);
    path.cubicTo(x + w * 0.18, y + h * 0.72, x + w * 0.5, y + h * 0.58, x + w * 0.5, y + h * 0.3);
    path.cubicTo(x + w * 0.5, y - h * 0.02, x + w * 0.05, y - h * 0.05, x, y + h * 0.28);
    path.closeSubpath();
    return path;
}

QPainterPath leafPath(QPointF base, QPointF tip, qreal width)
{
    const QPointF d = tip - base;
    const QPointF n = QPointF(-d.y(), d.x()) / qSqrt(d.x() * d.x() + d.y() * d.y()) * width / 2;
    const QPointF m1 = base + d * 0.35;
    QPainterPath path(base);
    path.cubicTo(m1 + n * 1.5, tip - d * 0.15 + n * 0.6, tip);
    path.cubicTo(tip - d * 0.15 - n * 0.6, m1 - n * 1.5, base);
    path.closeSubpath();
    return path;
}

QPainterPath lemniscatePath(QPointF c, qreal w, qreal h)
{
    // Bernoulli's lemniscate, a figure eight lying on its side, sampled smoothly.
    QPainterPath path;
    const int steps = 96;
    for (int i = 0; i <= steps; ++i) {
        const qreal t = 2 * M_PI * i / steps;
        const qreal s = qSin(t), co = qCos(t);
        const qreal denom = 1 + s * s;
        const QPointF pt(c.x() + (w / 2) * co / denom, c.y() + h * 1.4 * s * co / denom);
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

QPainterPath crescentPath(QPointF c, qreal r, qreal offset, qreal angleDeg)
{
    QPainterPath disc;
    disc.addEllipse(c, r, r);
    const qreal a = qDegreesToRadians(angleDeg);
    QPainterPath bite;
    bite.addEllipse(c + QPointF(offset * qCos(a), offset * qSin(a)), r * 0.92, r * 0.92);
    return disc.subtracted(bite);
}

static QFont deckFont(const QString &family, qreal px, bool bold)
{
    QFont f(family);
    f.setPixelSize(qMax(1, qRound(px)));
    f.setBold(bold);
    f.setStyleStrategy(
        QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias | QFont::NoFontMerging));
    f.setHintingPreference(QFont::PreferVerticalHinting);
    f.setKerning(true);
    return f;
}

QFont serifFont(qreal px, bool bold) { return deckFont(QStringLiteral("DejaVu Serif"), px, bold); }
QFont sansFont(qreal px, bool bold) { return deckFont(QStringLiteral("DejaVu Sans"), px, bold); }

bool fontsAvailable(QString *problem)
{
    for (const QFont &f : {serifFont(12, false), serifFont(12, true), sansFont(12, false), sansFont(12, true)}) {
        const QFontInfo info(f);
        if (info.family() != f.family() || info.bold() != f.bold()) {
            if (problem)
                *problem = QStringLiteral("font %1%2 is not installed (found %3)")
                               .arg(f.family(), f.bold() ? QStringLiteral(" Bold") : QString(), info.family());
            return false;
        }
    }
    return true;
}

QFont fittedFont(const QFont &base, const QString &text, qreal width, qreal maxPx, qreal minPx)
{
    QFont f = base;
    for (int px = qRound(maxPx); px >= qRound(minPx); --px) {
        f.setPixelSize(px);
        if (QFontMetricsF(f).horizontalAdvance(text) <= width)
            return f;
    }
    f.setPixelSize(qRound(minPx));
    return f;
}

} // namespace kesto::art
