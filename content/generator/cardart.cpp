#include "cardart.h"

#include "core/reading/deck.h"
#include "core/reading/layouts.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>
#include <array>

namespace kesto::art {

namespace {

struct MajorName
{
    const char16_t *name;
    int number;
};

// The traditional numbers of the major arcana, by their names in the catalogue.
constexpr std::array<MajorName, 22> kMajors{{
    {u"The Fool", 0},       {u"The Magician", 1}, {u"The High Priestess", 2}, {u"The Empress", 3}, {u"The Emperor", 4},
    {u"The Hierophant", 5}, {u"The Lovers", 6},   {u"The Chariot", 7},        {u"Strength", 8},    {u"The Hermit", 9},
    {u"Wheel Fortune", 10}, {u"Justice", 11},     {u"The Hanged Man", 12},    {u"Death", 13},      {u"Temperance", 14},
    {u"The Devil", 15},     {u"The Tower", 16},   {u"The Star", 17},          {u"The Moon", 18},   {u"The Sun", 19},
    {u"Judgement", 20},     {u"The World", 21},
}};

constexpr std::array<const char16_t *, 14> kRanks{
    u"Ace",   u"Two",  u"Three", u"Four", u"Five",   u"Six",   u"Seven",
    u"Eight", u"Nine", u"Ten",   u"Page", u"Knight", u"Queen", u"King",
};

const QString kSuitNames[]
    = {QStringLiteral("Cups"), QStringLiteral("Pentacles"), QStringLiteral("Swords"), QStringLiteral("Wands")};

// Card geometry, in pixels of the card picture.
constexpr QRectF kPanel(10, 31, 120, 164);
constexpr QRectF kBanner(10, 199, 120, 27);

} // namespace

QImage pictureImage(QSize designSize, int scale)
{
    QImage image(designSize * scale, QImage::Format_RGB32);
    // 96 dots per inch at every scale: text is laid out for the device's resolution (absolute
    // letter spacing grows with it), and the scale is already in the painter's transform.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

std::optional<CardFace> describeCard(int cardId)
{
    CardFace face;
    face.name = CardName(cardId);
    if (face.name.isEmpty())
        return std::nullopt;
    for (const MajorName &m : kMajors) {
        if (face.name == QStringView(m.name)) {
            face.major = true;
            face.number = m.number;
            return face;
        }
    }
    const QStringList words = face.name.split(u' ');
    if (words.size() != 3 || words[1] != u"of")
        return std::nullopt;
    const auto rank
        = std::find_if(kRanks.begin(), kRanks.end(), [&](const char16_t *r) { return words[0] == QStringView(r); });
    const auto suit = std::find(std::begin(kSuitNames), std::end(kSuitNames), words[2]);
    if (rank == kRanks.end() || suit == std::end(kSuitNames))
        return std::nullopt;
    face.rank = int(rank - kRanks.begin()) + 1;
    face.suit = Suit(suit - std::begin(kSuitNames));
    return face;
}

QString romanNumeral(int n)
{
    if (n == 0)
        return QStringLiteral("0");
    static const std::pair<int, const char16_t *> kDigits[]
        = {{10, u"X"}, {9, u"IX"}, {5, u"V"}, {4, u"IV"}, {1, u"I"}};
    QString out;
    for (const auto &[value, text] : kDigits) {
        while (n >= value) {
            out += QStringView(text);
            n -= value;
        }
    }
    return out;
}

namespace {

QString rankCaption(const CardFace &face)
{
    if (face.major)
        return romanNumeral(face.number);
    switch (face.rank) {
    case 1:
        return QStringLiteral("ACE");
    case 11:
        return QStringLiteral("PAGE");
    case 12:
        return QStringLiteral("KNIGHT");
    case 13:
        return QStringLiteral("QUEEN");
    case 14:
        return QStringLiteral("KING");
    default:
        return QString::number(face.rank);
    }
}

// Pip places in a unit box, by count: the classic playing-card patterns.
QList<QPointF> pipPlaces(int count)
{
    const qreal l = 0.26, m = 0.5, r = 0.74;
    switch (count) {
    case 2:
        return {{m, 0.17}, {m, 0.83}};
    case 3:
        return {{m, 0.14}, {m, 0.5}, {m, 0.86}};
    case 4:
        return {{l, 0.17}, {r, 0.17}, {l, 0.83}, {r, 0.83}};
    case 5:
        return {{l, 0.15}, {r, 0.15}, {m, 0.5}, {l, 0.85}, {r, 0.85}};
    case 6:
        return {{l, 0.14}, {r, 0.14}, {l, 0.5}, {r, 0.5}, {l, 0.86}, {r, 0.86}};
    case 7:
        return {{l, 0.13}, {r, 0.13}, {m, 0.32}, {l, 0.5}, {r, 0.5}, {l, 0.87}, {r, 0.87}};
    case 8:
        return {{l, 0.12}, {r, 0.12}, {m, 0.31}, {l, 0.5}, {r, 0.5}, {m, 0.69}, {l, 0.88}, {r, 0.88}};
    case 9:
        return {{l, 0.11}, {r, 0.11}, {l, 0.37}, {r, 0.37}, {m, 0.5}, {l, 0.63}, {r, 0.63}, {l, 0.89}, {r, 0.89}};
    case 10:
        return {{l, 0.11}, {r, 0.11}, {m, 0.24}, {l, 0.37}, {r, 0.37},
                {l, 0.63}, {r, 0.63}, {m, 0.76}, {l, 0.89}, {r, 0.89}};
    default:
        return {};
    }
}

void drawPanelGround(QPainter &p, const Palette &pal, const QRectF &panel)
{
    QLinearGradient g(panel.topLeft(), panel.bottomLeft());
    g.setColorAt(0, pal.panel);
    g.setColorAt(1, pal.panelLow);
    QPainterPath path;
    path.addRoundedRect(panel, 3, 3);
    p.fillPath(path, g);
}

void drawPips(QPainter &p, Suit suit, int count, const QRectF &panel)
{
    const QRectF area = panel.adjusted(4, 6, -4, -6);
    const qreal aspect = suitEmblemAspect(suit);
    if (aspect < 0.5) {
        // Swords and wands stand side by side in one or two rows, the longer row on top.
        const QList<int> rows = count <= 3 ? QList<int>{count} : QList<int>{(count + 1) / 2, count / 2};
        const qreal rowHeight = area.height() / rows.size();
        const int widest = rows.first();
        const qreal h = qMin(rowHeight * 0.9, area.width() * 0.86 / (widest * aspect));
        const qreal w = h * aspect;
        for (int r = 0; r < rows.size(); ++r) {
            const qreal cy = area.top() + rowHeight * (r + 0.5);
            const qreal pitch = area.width() / widest;
            const qreal x0 = area.center().x() - pitch * (rows[r] - 1) / 2;
            for (int i = 0; i < rows[r]; ++i)
                drawSuitEmblem(p, suit, QRectF(x0 + pitch * i - w / 2, cy - h / 2, w, h));
        }
        return;
    }
    // Cups and pentacles in the classic playing-card patterns.
    const qreal rowGap = count >= 9 ? 0.26 : count >= 6 ? 0.36 : count == 3 ? 0.36 : 0.5;
    qreal h = area.height() * rowGap * (aspect > 0.8 ? 0.9 : 0.8);
    h = qMin(h, area.width() * (count <= 3 ? 0.48 : 0.4) / aspect);
    if (count >= 7)
        h = qMin(h, area.width() * 0.27 / aspect);
    const qreal w = h * aspect;
    for (const QPointF &unit : pipPlaces(count)) {
        const QPointF c(area.left() + unit.x() * area.width(), area.top() + unit.y() * area.height());
        drawSuitEmblem(p, suit, QRectF(c.x() - w / 2, c.y() - h / 2, w, h));
    }
}

void drawRays(QPainter &p, QPointF centre, qreal inner, qreal outer, int count, const QColor &colour, qreal spreadDeg)
{
    QPainterPath rays;
    for (int i = 0; i < count; ++i) {
        const qreal a = qDegreesToRadians(360.0 * i / count - 90);
        const qreal s = qDegreesToRadians(spreadDeg);
        rays.moveTo(centre + QPointF(inner * qCos(a - s), inner * qSin(a - s)));
        rays.lineTo(centre + QPointF(outer * qCos(a), outer * qSin(a)));
        rays.lineTo(centre + QPointF(inner * qCos(a + s), inner * qSin(a + s)));
        rays.closeSubpath();
    }
    p.fillPath(rays, colour);
}

void drawAce(QPainter &p, const Palette &pal, Suit suit, const QRectF &panel)
{
    const QPointF c = panel.center();
    QRadialGradient glow(c, 70);
    QColor centre = pal.light;
    glow.setColorAt(0, QColor(0xff, 0xfb, 0xea));
    glow.setColorAt(0.5, centre);
    glow.setColorAt(1, QColor(centre.red(), centre.green(), centre.blue(), 0));
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(panel, 3, 3);
    p.setClipPath(clip);
    p.fillRect(panel, glow);
    QColor ray = pal.frame;
    ray.setAlpha(60);
    drawRays(p, c, 8, 110, 24, ray, 3.2);
    p.restore();
    const qreal aspect = suitEmblemAspect(suit);
    const qreal h = aspect > 0.5 ? qMin(panel.height() * 0.62, panel.width() * 0.8 / aspect) : panel.height() * 0.9;
    const qreal w = h * aspect;
    drawSuitEmblem(p, suit, QRectF(c.x() - w / 2, c.y() - h / 2, w, h));
}

void drawCourt(QPainter &p, const Palette &pal, Suit suit, int rank, const QRectF &panel)
{
    // An arched niche behind the suit's emblem, the rank's emblem above it.
    const QRectF niche(panel.left() + 16, panel.top() + 52, panel.width() - 32, panel.height() - 58);
    QPainterPath arch;
    arch.moveTo(niche.bottomLeft());
    arch.lineTo(niche.left(), niche.top() + niche.width() / 2);
    arch.arcTo(QRectF(niche.left(), niche.top(), niche.width(), niche.width()), 180, -180);
    arch.lineTo(niche.bottomRight());
    arch.closeSubpath();
    QLinearGradient g(niche.topLeft(), niche.bottomLeft());
    g.setColorAt(0, pal.panelLow);
    g.setColorAt(1, pal.panel);
    p.fillPath(arch, g);
    p.strokePath(arch, colourPen(pal.frame, 1.0));

    const Court court = Court(rank - 11);
    const QRectF top(panel.left() + 18, panel.top() + 5, panel.width() - 36, 46);
    drawCourtEmblem(p, court, suit, top);

    const qreal aspect = suitEmblemAspect(suit);
    const qreal h = aspect > 0.5 ? 70 : niche.height() - 8;
    const qreal w = h * aspect;
    const QPointF c(niche.center().x(), niche.top() + 10 + (niche.height() - 10) / 2);
    drawSuitEmblem(p, suit, QRectF(c.x() - w / 2, c.y() - h / 2, w, h));
}

void drawFrame(QPainter &p, const Palette &pal, bool major, QSize size)
{
    const QRectF card(0, 0, size.width(), size.height());
    p.fillRect(card, kStock);
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(card.adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(QPen(pal.frame, 2));
    p.drawRoundedRect(card.adjusted(3.5, 3.5, -3.5, -3.5), 5, 5);
    p.setPen(QPen(major ? kDeepGold : pal.frame, 0.8));
    p.drawRoundedRect(card.adjusted(6.5, 6.5, -6.5, -6.5), 3, 3);
}

void drawCaption(QPainter &p, const Palette &pal, const CardFace &face)
{
    const QString text = rankCaption(face);
    const bool word = !face.major && (face.rank == 1 || face.rank > 10);
    QFont font = serifFont(word ? 10 : 13, true);
    if (word)
        font.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    const QFontMetricsF fm(font);
    const qreal w = fm.horizontalAdvance(text);
    const QRectF box(70 - w / 2 - 6, 11, w + 12, 17);
    QPainterPath plaque;
    plaque.addRoundedRect(box, 8.5, 8.5);
    p.fillPath(plaque, pal.frame);
    p.setFont(font);
    p.setPen(face.major ? kPaleGold : kStock);
    p.drawText(box.adjusted(0, 0, word ? 1 : 0, 0), Qt::AlignCenter, text);
    // Flourishes either side of the plaque.
    p.setPen(QPen(face.major ? kDeepGold : pal.frame, 1));
    const qreal y = box.center().y();
    p.drawLine(QPointF(16, y), QPointF(box.left() - 4, y));
    p.drawLine(QPointF(box.right() + 4, y), QPointF(124, y));
    p.setBrush(face.major ? kDeepGold : pal.frame);
    p.setPen(Qt::NoPen);
    for (const qreal x : {box.left() - 4, box.right() + 4})
        p.drawEllipse(QPointF(x, y), 1.6, 1.6);
}

void drawNameBanner(QPainter &p, const Palette &pal, const CardFace &face)
{
    QPainterPath banner;
    banner.addRoundedRect(kBanner, 3, 3);
    p.fillPath(banner, pal.frame);
    p.setPen(QPen(face.major ? kGold : pal.frame.lighter(160), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(kBanner.adjusted(2, 2, -2, -2), 2, 2);
    const QFont font = fittedFont(serifFont(12, true), face.name, kBanner.width() - 10, 12, 8);
    p.setFont(font);
    p.setPen(face.major ? kPaleGold : kStock);
    p.drawText(kBanner.adjusted(0, 0, 0, -1), Qt::AlignCenter, face.name);
}

} // namespace

QImage paintCard(const CardFace &face, int scale)
{
    QImage image = pictureImage(kCardPictureSize, scale);
    QPainter p(&image);
    const InkScale ink(scale);
    if (scale != 1)
        p.scale(scale, scale);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    const Palette pal = face.major ? majorPalette() : suitPalette(face.suit);
    drawFrame(p, pal, face.major, kCardPictureSize);
    drawCaption(p, pal, face);

    p.save();
    QPainterPath clip;
    clip.addRoundedRect(kPanel, 3, 3);
    p.setClipPath(clip);
    if (face.major) {
        drawMajorArcanum(p, face.number, kPanel);
    } else {
        drawPanelGround(p, pal, kPanel);
        p.setClipping(false);
        if (face.rank == 1)
            drawAce(p, pal, face.suit, kPanel);
        else if (face.rank <= 10)
            drawPips(p, face.suit, face.rank, kPanel);
        else
            drawCourt(p, pal, face.suit, face.rank, kPanel);
    }
    p.restore();
    p.setPen(QPen(face.major ? kDeepGold : pal.frame, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(kPanel.adjusted(-0.5, -0.5, 0.5, 0.5), 3, 3);

    drawNameBanner(p, pal, face);
    return image;
}

} // namespace kesto::art
