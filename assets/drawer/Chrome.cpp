#include "Chrome.h"

#include "Paint.h"

#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QTransform>

#include <cmath>

namespace Art {

namespace {

// A straight stroke of the given width as a filled outline, so letters can be united and clipped.
QPainterPath Bar(QPointF from, QPointF to, qreal width, Qt::PenCapStyle cap = Qt::FlatCap) {
    QPainterPath line;
    line.moveTo(from);
    line.lineTo(to);
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(cap);
    stroker.setJoinStyle(Qt::MiterJoin);
    return stroker.createStroke(line).simplified();
}

QPainterPath Box(qreal x, qreal y, qreal w, qreal h) {
    QPainterPath path;
    path.addRect(x, y, w, h);
    return path;
}

// The geometric "KIVOLA" word mark: straight stems on whole pixels so the verticals stay crisp,
// diagonals cut flat at cap height and baseline. The O is returned apart, for the accent colour.
struct Wordmark {
    QPainterPath letters;
    QPainterPath accent;
    qreal right = 0;
};

Wordmark MakeWordmark(qreal x, qreal top, qreal h, qreal s) {
    Wordmark mark;
    const qreal bottom = top + h;
    const qreal gap = 4;
    auto band = [&](qreal left, qreal width) { return Box(left - 1, top, width + 2, h); };

    // K
    {
        const qreal w = 14;
        QPainterPath k = Box(x, top, s, h);
        k |= Bar(QPointF(x + s - 1, top + h * 0.66), QPointF(x + w - 0.6, top - 2), s * 1.08);
        k |= Bar(QPointF(x + s + 1.2, top + h * 0.42), QPointF(x + w + 0.4, bottom + 2), s * 1.12);
        mark.letters |= k & band(x, w + 1);
        x += w + gap;
    }
    // I
    mark.letters |= Box(x, top, s, h);
    x += s + gap;
    // V
    {
        const qreal w = 16;
        const qreal slope = (w / 2 - s / 2) / h;
        QPainterPath v = Bar(QPointF(x + s / 2 - slope * 2, top - 2),
                             QPointF(x + w / 2 + slope * 2, bottom + 2), s * 1.1);
        v |= Bar(QPointF(x + w - s / 2 + slope * 2, top - 2),
                 QPointF(x + w / 2 - slope * 2, bottom + 2), s * 1.1);
        mark.letters |= v & band(x, w);
        x += w + gap - 0.5;
    }
    // O, a touch taller than the caps so it looks as tall as they do.
    {
        const qreal d = h + 1;
        QPainterPath outer;
        outer.addEllipse(QRectF(x, top - 0.5, d, d));
        QPainterPath inner;
        const qreal t = s * 1.06;
        inner.addEllipse(QRectF(x + t, top - 0.5 + t, d - 2 * t, d - 2 * t));
        mark.accent = outer - inner;
        x += d + gap - 0.5;
    }
    // L
    {
        mark.letters |= Box(x, top, s, h);
        mark.letters |= Box(x, bottom - s, 11, s);
        x += 11 + gap - 1;
    }
    // A
    {
        const qreal w = 16;
        const qreal slope = (w / 2 - s / 2) / h;
        QPainterPath a = Bar(QPointF(x + s / 2 - slope * 2, bottom + 2),
                             QPointF(x + w / 2 + slope * 2, top - 2), s * 1.1);
        a |= Bar(QPointF(x + w - s / 2 + slope * 2, bottom + 2),
                 QPointF(x + w / 2 - slope * 2, top - 2), s * 1.1);
        a |= Box(x + 3, top + h * 0.62, w - 6, s * 0.8);
        mark.letters |= a & band(x, w);
        x += w;
    }
    mark.right = x;
    return mark;
}

}  // namespace

QImage DrawWindowIcon(int size) {
    QImage image = NewCanvas(size, size);
    QPainter p(&image);
    PrepareFine(p);
    const bool small = size < 24;
    // Tiles sit on whole pixels at both sizes; only the outer corners are antialiased.
    const qreal radius = small ? 3.5 : 7;
    const QRectF body = small ? QRectF(0, 0, 16, 16) : QRectF(1, 1, 30, 30);
    if (!small) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawRoundedRect(body.translated(0, 1), radius, radius);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(body.top(), body.bottom(), Palette::kAccentLight, Palette::kAccent));
    p.drawRoundedRect(body, radius, radius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, small ? 0 : 50), 1));
    if (!small) {
        p.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);
    }

    const int margin = small ? 3 : 6;
    const int tile = small ? 4 : 9;
    const int gap = 2;
    const qreal tileRadius = small ? 0.6 : 2;
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 2; ++col) {
            const QRectF r(margin + col * (tile + gap), margin + row * (tile + gap), tile, tile);
            const bool note = row == 1 && col == 1;
            p.setPen(Qt::NoPen);
            p.setBrush(note ? Palette::kAmber : QColor(255, 255, 255));
            if (note && !small) {
                // The note tile has its bottom-right corner turned up.
                QPainterPath sheet;
                sheet.moveTo(r.left() + tileRadius, r.top());
                sheet.lineTo(r.right() - tileRadius, r.top());
                sheet.quadTo(r.right(), r.top(), r.right(), r.top() + tileRadius);
                sheet.lineTo(r.right(), r.bottom() - 3.5);
                sheet.lineTo(r.right() - 3.5, r.bottom());
                sheet.lineTo(r.left() + tileRadius, r.bottom());
                sheet.quadTo(r.left(), r.bottom(), r.left(), r.bottom() - tileRadius);
                sheet.lineTo(r.left(), r.top() + tileRadius);
                sheet.quadTo(r.left(), r.top(), r.left() + tileRadius, r.top());
                p.drawPath(sheet);
                QPainterPath fold;
                fold.moveTo(r.right(), r.bottom() - 3.5);
                fold.lineTo(r.right() - 3.5, r.bottom() - 3.5);
                fold.lineTo(r.right() - 3.5, r.bottom());
                fold.closeSubpath();
                p.setBrush(Palette::kAmberDeep);
                p.drawPath(fold);
            } else {
                p.drawRoundedRect(r, tileRadius, tileRadius);
            }
        }
    }
    return image;
}

QImage DrawBackground() {
    QImage image(kBackgroundSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Palette::kNavyMid);
    QPainter p(&image);
    PrepareFine(p);
    // Work in window pixels from here on.
    p.translate(kPictureShiftX, 0);
    const QRectF all(-kPictureShiftX, 0, kBackgroundSize.width(), kBackgroundSize.height());

    QLinearGradient base(0, 0, 0, all.height());
    base.setColorAt(0.0, Palette::kNavyTop);
    base.setColorAt(0.45, Palette::kNavyMid);
    base.setColorAt(1.0, Palette::kNavyBottom);
    p.fillRect(all, base);

    // A soft light from the top left, behind the word mark.
    QRadialGradient glow(QPointF(30, -10), 240);
    glow.setColorAt(0.0, QColor(0x6F, 0x9C, 0xF5, 70));
    glow.setColorAt(0.6, QColor(0x6F, 0x9C, 0xF5, 18));
    glow.setColorAt(1.0, QColor(0x6F, 0x9C, 0xF5, 0));
    p.fillRect(all, glow);

    // Faint rings spreading from the top right corner give the header some depth.
    p.save();
    p.setClipRect(QRectF(0, 0, kClientSize.width(), Layout::kPanel.top()));
    for (int i = 0; i < 9; ++i) {
        const qreal r = 40 + i * 22;
        p.setPen(QPen(QColor(255, 255, 255, 16 - i), 1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(352, -46), r, r);
    }
    p.restore();

    // The white work area lifted off the panel by a soft shadow.
    const QRectF panel(Layout::kPanel);
    const qreal panelRadius = 8;
    {
        QImage layer = NewCanvas(image.width(), image.height());
        QPainter lp(&layer);
        PrepareFine(lp);
        lp.translate(kPictureShiftX, 0);
        lp.setPen(Qt::NoPen);
        lp.setBrush(Qt::black);
        lp.drawRoundedRect(panel, panelRadius, panelRadius);
        lp.end();
        p.save();
        p.resetTransform();
        PaintShadowOf(p, layer, QPointF(0, 2), 3, QColor(0, 0, 0, 120));
        p.restore();
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::kPanel);
    p.drawRoundedRect(panel, panelRadius, panelRadius);
    // A hairline sets the action row ("+ New KIVOLA" and the add glyph) off from the grid.
    p.fillRect(QRectF(panel.left() + 12, Layout::kActionRowDivider, panel.width() - 24, 1),
               Palette::kHairline);

    // Header: the icon and the word mark, centred on the header band above the panel.
    const QImage logo = DrawWindowIcon(32);
    p.drawImage(QPointF(16, 9), logo);
    const Wordmark mark = MakeWordmark(57, 16, 18, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawPath(mark.letters.translated(0, 1));
    p.drawPath(mark.accent.translated(0, 1));
    p.setBrush(QColor(0xF7, 0xF9, 0xFC));
    p.drawPath(mark.letters);
    p.setBrush(Palette::kAmber);
    p.drawPath(mark.accent);

    // A bevel of one pixel round the window: light along the top and left, dark along the
    // bottom and right. The last column of the picture is window x 325.
    const int right = kBackgroundSize.width() - kPictureShiftX - 1;
    const int bottom = kClientSize.height() - 1;
    p.fillRect(QRect(0, 0, right + 1, 1), QColor(255, 255, 255, 40));
    p.fillRect(QRect(0, 1, 1, bottom), QColor(255, 255, 255, 24));
    p.fillRect(QRect(right, 1, 1, bottom), QColor(0, 0, 0, 90));
    p.fillRect(QRect(0, bottom, right + 1, 1), QColor(0, 0, 0, 110));
    p.end();

    // Grain only on the navy; the panel stays pure white so opaque white labels vanish into it.
    QImage grainMask = image.copy();
    AddGrain(image, image.rect(), 1.6);
    {
        QPainter restore(&image);
        QPainterPath inner;
        inner.addRoundedRect(panel.translated(kPictureShiftX, 0).adjusted(1, 1, -1, -1),
                             panelRadius - 1, panelRadius - 1);
        restore.setClipPath(inner);
        restore.drawImage(0, 0, grainMask);
    }
    return image;
}

QImage DrawCloseButton(const QImage& background) {
    const QRect r = Layout::kClose;
    QImage image = background.copy(r.translated(kPictureShiftX, 0))
                       .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    PrepareFine(p);
    const QRectF face(0.5, 0.5, r.width() - 1, r.height() - 1);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.setBrush(Vertical(0, r.height(), QColor(255, 255, 255, 34), QColor(255, 255, 255, 14)));
    p.drawRoundedRect(face, 4, 4);
    // The cross: two 45-degree strokes through the face's centre.
    const QPointF c(r.width() / 2.0, r.height() / 2.0);
    const qreal arm = 3.6;
    p.setPen(RoundPen(QColor(0xF4, 0xF6, 0xFA), 1.8));
    p.drawLine(c + QPointF(-arm, -arm), c + QPointF(arm, arm));
    p.drawLine(c + QPointF(-arm, arm), c + QPointF(arm, -arm));
    return image;
}

QImage DrawAddGlyph() {
    // Shown stretched to 13 by 13, so it is drawn as plain pixels: a bold plus whose arm ends
    // are eased by half-covered corner pixels.
    QImage image = NewCanvas(9, 9);
    const QColor solid = Palette::kAccent;
    QColor half = solid;
    half.setAlpha(110);
    QPainter p(&image);
    p.fillRect(QRect(3, 0, 3, 9), solid);
    p.fillRect(QRect(0, 3, 9, 3), solid);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (QPoint corner : {QPoint(3, 0), QPoint(5, 0), QPoint(3, 8), QPoint(5, 8), QPoint(0, 3),
                          QPoint(0, 5), QPoint(8, 3), QPoint(8, 5)}) {
        p.fillRect(QRect(corner, QSize(1, 1)), half);
    }
    return image;
}

QImage DrawHandCursor() {
    // The hand is drawn pointing straight up with the fingertip at the origin, then turned so
    // it points to the top left with the tip on the hot spot (1, 1).
    auto capsule = [](QPointF a, QPointF b, qreal width) { return Bar(a, b, width, Qt::RoundCap); };
    QPainterPath hand = capsule(QPointF(0, 2.6), QPointF(0, 16), 5.2);  // index finger
    hand |= capsule(QPointF(4.9, 10.4), QPointF(4.9, 17), 4.8);         // middle knuckle
    hand |= capsule(QPointF(9.4, 11.7), QPointF(9.4, 17), 4.6);         // ring knuckle
    hand |= capsule(QPointF(13.4, 13.3), QPointF(13.4, 17.5), 4.2);     // little knuckle
    hand |= capsule(QPointF(-1.2, 21.5), QPointF(-6.4, 15.4), 4.8);     // thumb
    QPainterPath palm;
    palm.moveTo(-2.6, 14);
    palm.lineTo(15.5, 14);
    palm.lineTo(15.5, 20);
    palm.cubicTo(15.5, 25, 12.5, 27, 8.5, 27);
    palm.lineTo(4, 27);
    palm.cubicTo(-0.5, 27, -3.6, 25, -3.6, 21);
    palm.closeSubpath();
    hand |= palm;
    hand = hand.simplified();

    QPainterPath creases;
    creases.moveTo(2.5, 10.6);
    creases.lineTo(2.5, 15.8);
    creases.moveTo(7.2, 12.2);
    creases.lineTo(7.2, 15.8);
    creases.moveTo(11.45, 13.6);
    creases.lineTo(11.45, 16.2);

    // At 30 degrees the knuckles stay below and right of the tip, so the tip is the hand's
    // top-left extreme; a steeper turn lifts the little finger above it.
    QTransform turn;
    turn.translate(1.5, 1.5);
    turn.rotate(-30);
    turn.scale(1.08, 1.08);

    QImage image = NewCanvas(32, 32);
    QPainter p(&image);
    PrepareFine(p);
    PaintWithShadow(p, image.size(), QPointF(1, 1.2), 1, QColor(0, 0, 0, 90), [&](QPainter& lp) {
        lp.setTransform(turn);
        lp.setPen(Qt::NoPen);
        lp.setBrush(Qt::white);
        lp.drawPath(hand);
        QPen outline(QColor(0x10, 0x14, 0x1C), 1.2);
        outline.setCosmetic(true);
        outline.setJoinStyle(Qt::RoundJoin);
        lp.setPen(outline);
        lp.setBrush(Qt::NoBrush);
        lp.drawPath(hand);
        QPen crease(QColor(0x10, 0x14, 0x1C, 220), 1.0);
        crease.setCosmetic(true);
        crease.setCapStyle(Qt::RoundCap);
        lp.setPen(crease);
        lp.drawPath(creases);
    });
    return image;
}

QImage DrawNoteCross() {
    QImage image = NewCanvas(14, 14);
    QPainter p(&image);
    PrepareFine(p);
    const QRectF face(0.5, 0.5, 13, 13);
    p.setPen(QPen(QColor(0xC9, 0xBE, 0x8E), 1));
    p.setBrush(Vertical(0, 14, QColor(0xFF, 0xFF, 0xF6), QColor(0xF4, 0xEE, 0xCB)));
    p.drawRoundedRect(face, 3, 3);
    const QPointF c(7, 7);
    const qreal arm = 3;
    p.setPen(RoundPen(QColor(0x6E, 0x5A, 0x3A), 1.7));
    p.drawLine(c + QPointF(-arm, -arm), c + QPointF(arm, arm));
    p.drawLine(c + QPointF(-arm, arm), c + QPointF(arm, -arm));
    return image;
}

}  // namespace Art
