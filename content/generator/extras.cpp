// The card back, the application icon and the spread diagrams.
#include "cardart.h"

#include "core/reading/layouts.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>
#include <QtMath>
#include <algorithm>

namespace kesto::art {

namespace {

const QColor kBackDeep(0x2e, 0x1e, 0x4c);
const QColor kBackLight(0x5a, 0x3c, 0x8a);

} // namespace

void drawCardBack(QPainter &p, const QRectF &r, qreal radius)
{
    QPainterPath card;
    card.addRoundedRect(r, radius, radius);
    QRadialGradient g(r.center(), r.height() * 0.6);
    g.setColorAt(0, kBackLight);
    g.setColorAt(1, kBackDeep);
    p.fillPath(card, g);

    p.save();
    p.setClipPath(card);
    // A fine gold lattice.
    const qreal step = r.width() / 4.0;
    QPainterPath lattice;
    for (qreal k = -r.height(); k < r.width() + r.height(); k += step) {
        lattice.moveTo(r.left() + k, r.top());
        lattice.lineTo(r.left() + k + r.height(), r.bottom());
        lattice.moveTo(r.left() + k, r.bottom());
        lattice.lineTo(r.left() + k + r.height(), r.top());
    }
    QColor thread = kGold;
    thread.setAlpha(70);
    p.strokePath(lattice, QPen(thread, qMax(0.5, r.width() / 40)));
    p.restore();

    const qreal inset = qMax(1.5, r.width() * 0.09);
    QPen frame(kGold, qMax(0.8, r.width() / 28));
    p.strokePath(card, QPen(kInk, qMax(1.0, r.width() / 24)));
    QPainterPath inner;
    inner.addRoundedRect(r.adjusted(inset, inset, -inset, -inset), radius * 0.6, radius * 0.6);
    p.strokePath(inner, frame);

    // An eight-pointed star in the middle, the deck's mark.
    const QPointF c = r.center();
    const qreal s = r.width() * 0.4;
    QRadialGradient glow(c, s * 1.3);
    glow.setColorAt(0, QColor(255, 236, 160, 70));
    glow.setColorAt(1, QColor(255, 236, 160, 0));
    p.fillRect(r, glow);
    const QPainterPath star = starPath(c, s, s * 0.38, 8);
    p.fillPath(star, QBrush(kGold));
    p.strokePath(star, QPen(kDeepGold.darker(140), qMax(0.5, r.width() / 46)));
    p.fillPath(starPath(c, s * 0.5, s * 0.2, 8, -90 + 22.5), kPaleGold);
}

QImage paintCardBack(QSize size, int scale)
{
    QImage image = pictureImage(size, scale);
    image.fill(kBackDeep);
    QPainter p(&image);
    const InkScale ink(scale);
    if (scale != 1)
        p.scale(scale, scale);
    p.setRenderHints(QPainter::Antialiasing);
    drawCardBack(p, QRectF(0, 0, size.width(), size.height()), 1.5);
    return image;
}

QImage paintIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const qreal s = size / 64.0;
    const InkScale ink(s);
    p.scale(s, s);
    // Two face-down cards fanned behind a face-up card with the star.
    const QRectF cardRect(-13, -22, 26, 44);
    const struct
    {
        qreal x, y, angle;
    } fan[] = {{22, 34, -22}, {42, 34, 22}};
    for (const auto &f : fan) {
        p.save();
        p.translate(f.x, f.y);
        p.rotate(f.angle);
        drawCardBack(p, cardRect, 2.2);
        p.restore();
    }
    p.save();
    p.translate(32, 32);
    QPainterPath face;
    face.addRoundedRect(cardRect.adjusted(-1, -1, 1, 1), 2.5, 2.5);
    p.fillPath(face.translated(0.8, 1.2), QColor(0, 0, 0, 60));
    p.fillPath(face, kStock);
    p.strokePath(face, QPen(kInk, 1.1));
    QPainterPath panel;
    const QRectF panelRect = cardRect.adjusted(2.5, 2.5, -2.5, -2.5);
    panel.addRoundedRect(panelRect, 1.4, 1.4);
    QLinearGradient night(panelRect.topLeft(), panelRect.bottomLeft());
    night.setColorAt(0, QColor(0x10, 0x16, 0x3c));
    night.setColorAt(1, QColor(0x3a, 0x4c, 0x92));
    p.fillPath(panel, night);
    p.strokePath(panel, QPen(kDeepGold, 0.8));
    const QPointF c(0, -3);
    QRadialGradient glow(c, 16);
    glow.setColorAt(0, QColor(255, 250, 200, 170));
    glow.setColorAt(1, QColor(255, 250, 200, 0));
    p.fillPath(panel, glow);
    const QPainterPath star = starPath(c, 11.5, 4.4, 8);
    QRadialGradient gold(c, 11.5);
    gold.setColorAt(0, QColor(0xff, 0xfb, 0xe0));
    gold.setColorAt(1, QColor(0xf2, 0xb6, 0x30));
    p.fillPath(star, gold);
    p.strokePath(star, QPen(kInk, 0.7));
    for (const QPointF sm : {QPointF(-7, -15), QPointF(7, -15), QPointF(-7, 9), QPointF(7, 9)})
        p.fillPath(starPath(sm, 2.2, 0.9, 8), QColor(0xf6, 0xe6, 0xa8));
    // A water line at the foot of the panel.
    QPainterPath water;
    water.addRect(QRectF(panelRect.left(), 13, panelRect.width(), panelRect.bottom() - 13));
    p.fillPath(water.intersected(panel), QColor(0x2c, 0x5c, 0xa0));
    p.restore();
    return image;
}

namespace {

QFont spreadTitleFont(const QString &name, const QRectF &box)
{
    for (int px = 13; px >= 8; --px) {
        const QFont f = serifFont(px, true);
        const QRectF used = QFontMetricsF(f).boundingRect(box, Qt::AlignCenter | Qt::TextWordWrap, name);
        if (used.width() <= box.width() && used.height() <= box.height())
            return f;
    }
    return serifFont(8, true);
}

} // namespace

QImage paintSpread(int spreadIndex, const QString &name, int scale)
{
    const QSize size = kSpreadPictureSize;
    QImage image = pictureImage(size, scale);
    QPainter p(&image);
    const InkScale ink(scale);
    if (scale != 1)
        p.scale(scale, scale);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const Palette pal = majorPalette();
    const QRectF whole(0, 0, size.width(), size.height());

    p.fillRect(whole, kStock);
    p.setPen(QPen(kInk, 1));
    p.drawRect(whole.adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(QPen(pal.frame, 2));
    p.drawRoundedRect(whole.adjusted(3.5, 3.5, -3.5, -3.5), 5, 5);

    // The table the cards lie on.
    const QRectF banner(8, size.height() - 52, size.width() - 16, 44);
    const QRectF table(8, 8, size.width() - 16, banner.top() - 12);
    QPainterPath cloth;
    cloth.addRoundedRect(table, 4, 4);
    QRadialGradient felt(table.center(), table.height() * 0.7);
    felt.setColorAt(0, QColor(0x4e, 0x36, 0x7c));
    felt.setColorAt(1, QColor(0x24, 0x18, 0x3c));
    p.fillPath(cloth, felt);
    p.strokePath(cloth, QPen(kDeepGold, 1));

    // Lay the layout's boxes out on the table, uniformly scaled and centred; a lone card is
    // kept to a modest size.
    const QRect bounds = LayoutBoundsTwips(spreadIndex);
    const QRectF area = table.adjusted(5, 6, -5, -6);
    const qreal perTwip = std::min({area.width() / bounds.width(), area.height() / bounds.height(), 0.02});
    const QPointF origin(area.center().x() - bounds.width() * perTwip / 2,
                         area.center().y() - bounds.height() * perTwip / 2);
    const auto toPicture = [&](const QRect &twips) {
        return QRectF(origin.x() + (twips.left() - bounds.left()) * perTwip,
                      origin.y() + (twips.top() - bounds.top()) * perTwip, twips.width() * perTwip,
                      twips.height() * perTwip);
    };

    const int count = int(LayoutPositions(spreadIndex).size());
    QList<QRectF> boxes;
    for (int position = 1; position <= count; ++position)
        boxes.append(toPicture(LayoutBoxTwips(spreadIndex, position)).adjusted(0.5, 0.5, -0.5, -0.5));

    const qreal radius = boxes.isEmpty() ? 2 : qMax(1.5, boxes.first().width() * 0.1);
    const QFont numberFont = sansFont(boxes.isEmpty() ? 10 : qBound(9.0, boxes.first().width() * 0.45, 16.0), true);
    for (int i = 0; i < boxes.size(); ++i) {
        const QRectF box = boxes[i];
        const bool turned = LayoutPositionOf(spreadIndex, i + 1)->quarterTurned;
        QPainterPath outline;
        outline.addRoundedRect(box, radius, radius);
        p.fillPath(outline.translated(1, 1.5), QColor(0, 0, 0, 90));
        QLinearGradient face(box.topLeft(), box.bottomRight());
        face.setColorAt(0, turned ? QColor(0xfb, 0xec, 0xc0) : QColor(0xfd, 0xf8, 0xea));
        face.setColorAt(1, turned ? QColor(0xea, 0xc8, 0x7a) : QColor(0xe8, 0xdc, 0xbc));
        p.fillPath(outline, face);
        p.strokePath(outline, QPen(kInk, 1));
        QPainterPath inner;
        const qreal inset = qMax(2.0, qMin(box.width(), box.height()) * 0.12);
        inner.addRoundedRect(box.adjusted(inset, inset, -inset, -inset), radius * 0.6, radius * 0.6);
        p.strokePath(inner, QPen(kDeepGold, 0.8));

        // The number sits in the middle of the card or, when a later card lies across it,
        // in the larger of the two strips left uncovered.
        QPointF at = box.center();
        QFont font = numberFont;
        for (int j = i + 1; j < boxes.size(); ++j) {
            if (!boxes[j].contains(at))
                continue;
            const qreal above = boxes[j].top() - box.top();
            const qreal below = box.bottom() - boxes[j].bottom();
            const qreal strip = qMax(above, below);
            at.setY(above >= below ? box.top() + above / 2 : boxes[j].bottom() + below / 2);
            font.setPixelSize(qMin(font.pixelSize(), qMax(7, int(strip))));
        }
        p.setFont(font);
        p.setPen(pal.frame);
        const QString number = QString::number(i + 1);
        p.drawText(QRectF(at.x() - 20, at.y() - 12, 40, 24), Qt::AlignCenter, number);
    }

    QPainterPath band;
    band.addRoundedRect(banner, 3, 3);
    p.fillPath(band, pal.frame);
    p.strokePath(QPainterPath(band), QPen(kGold, 0.8));
    const QRectF text = banner.adjusted(5, 3, -5, -3);
    p.setFont(spreadTitleFont(name, text));
    p.setPen(kPaleGold);
    p.drawText(text, Qt::AlignCenter | Qt::TextWordWrap, name);
    return image;
}

} // namespace kesto::art
