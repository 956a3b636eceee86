#include "AppIcons.h"

#include "Paint.h"

#include <QPainterPathStroker>
#include <QTransform>

#include <cmath>
#include <numbers>

namespace Art {

namespace {

struct Style {
    QColor top;
    QColor bottom;
};

using Glyph = void (*)(QPainter&, const Style&);

// The rounded square every icon sits on. It leaves a pixel free at the top and three at the
// bottom for the shadow, so icons in the grid line up on their squares, not their shadows.
const QRectF kBody(2, 1, 44, 44);
constexpr qreal kBodyRadius = 10;
const QColor kGlyphWhite(0xFF, 0xFF, 0xFF);

QPainterPath Rounded(QRectF r, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QPainterPath Circle(QPointF c, qreal r) {
    QPainterPath path;
    path.addEllipse(c, r, r);
    return path;
}

void FillPath(QPainter& p, const QPainterPath& path, const QBrush& brush) {
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    p.drawPath(path);
}

QImage DrawIcon(const Style& style, Glyph glyph) {
    QImage image = NewCanvas(kAppIconSize, kAppIconSize);
    QPainter p(&image);
    PrepareFine(p);
    const QPainterPath body = Rounded(kBody, kBodyRadius);
    PaintWithShadow(
        p, image.size(), QPointF(0, 1.5), 1, QColor(0x10, 0x19, 0x2E, 90), [&](QPainter& lp) {
            FillPath(lp, body, Vertical(kBody.top(), kBody.bottom(), style.top, style.bottom));
        });
    // A light rim along the upper edge, fading out half-way down.
    QLinearGradient rim(0, kBody.top(), 0, kBody.center().y());
    rim.setColorAt(0, QColor(255, 255, 255, 90));
    rim.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(QPen(QBrush(rim), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(kBody.adjusted(0.5, 0.5, -0.5, -0.5), kBodyRadius - 0.5, kBodyRadius - 0.5);

    p.save();
    p.setClipPath(body);
    QColor shade = style.bottom.darker(160);
    shade.setAlpha(80);
    PaintWithShadow(p, image.size(), QPointF(0, 1), 1, shade,
                    [&](QPainter& lp) { glyph(lp, style); });
    p.restore();
    return image;
}

// ---- glyphs, drawn on the 48 x 48 canvas; the square's centre is (24, 23) ----

void GlyphBrowser(QPainter& p, const Style&) {
    const QPointF c(24, 23);
    const qreal r = 12.5;
    const QPen pen = RoundPen(kGlyphWhite, 2.4);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    p.drawEllipse(c, 5.4, r);
    p.save();
    p.setClipPath(Circle(c, r));
    p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
    p.setPen(RoundPen(kGlyphWhite, 2.0));
    p.drawLine(QPointF(c.x() - r, c.y() - 6.5), QPointF(c.x() + r, c.y() - 6.5));
    p.drawLine(QPointF(c.x() - r, c.y() + 6.5), QPointF(c.x() + r, c.y() + 6.5));
    p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
    p.restore();
}

void GlyphMail(QPainter& p, const Style& s) {
    const QRectF r(10.5, 13.5, 27, 19);
    FillPath(p, Rounded(r, 3), kGlyphWhite);
    p.setPen(RoundPen(s.bottom, 2.2));
    p.setBrush(Qt::NoBrush);
    QPainterPath flap;
    flap.moveTo(r.left() + 2.5, r.top() + 2.5);
    flap.lineTo(r.center().x(), r.top() + 11);
    flap.lineTo(r.right() - 2.5, r.top() + 2.5);
    p.drawPath(flap);
}

void GlyphNotes(QPainter& p, const Style& s) {
    const QRectF page(13, 9, 22, 28);
    FillPath(p, Rounded(page, 2.5), kGlyphWhite);
    const QColor line = s.bottom;
    for (int i = 0; i < 4; ++i) {
        const qreal y = 16 + i * 5;
        const qreal end = i == 3 ? 26 : 31;
        p.fillRect(QRectF(17, y, end - 17, 2), line);
    }
}

void GlyphCalculator(QPainter& p, const Style& s) {
    FillPath(p, Rounded(QRectF(14, 8, 20, 30), 3.5), kGlyphWhite);
    FillPath(p, Rounded(QRectF(17, 11, 14, 7), 1.5), s.bottom.darker(115));
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRectF key(17 + col * 5, 21 + row * 5, 4, 4);
            const bool equals = row == 2 && col == 2;
            FillPath(p, Rounded(key, 1), equals ? s.bottom.darker(125) : s.top);
        }
    }
}

void GlyphMusic(QPainter& p, const Style&) {
    QPainterPath note;
    QTransform tilt;
    QPainterPath head;
    head.addEllipse(QPointF(0, 0), 4.4, 3.3);
    tilt.rotate(-22);
    note |= tilt.map(head).translated(17.6, 32);
    note |= tilt.map(head).translated(31.6, 29);
    note.addRect(QRectF(19.6, 14.5, 2.6, 17));
    note.addRect(QRectF(33.6, 11.5, 2.6, 17));
    QPainterPath beam;
    beam.moveTo(19.6, 13.5);
    beam.lineTo(36.2, 9.5);
    beam.lineTo(36.2, 14);
    beam.lineTo(19.6, 18);
    beam.closeSubpath();
    note |= beam;
    FillPath(p, note.simplified(), kGlyphWhite);
}

void GlyphCamera(QPainter& p, const Style& s) {
    QPainterPath body = Rounded(QRectF(9, 16, 30, 20), 4.5);
    body |= Rounded(QRectF(17.5, 12, 13, 7), 2.5);
    FillPath(p, body.simplified(), kGlyphWhite);
    const QPointF lens(24, 26.5);
    FillPath(p, Circle(lens, 7), s.bottom);
    FillPath(p, Circle(lens, 4.6), QColor(0xC9, 0xD3, 0xE0));
    FillPath(p, Circle(lens + QPointF(-1.4, -1.4), 1.4), kGlyphWhite);
    FillPath(p, Circle(QPointF(33.5, 20.5), 1.4), s.bottom);
}

void GlyphTerminal(QPainter& p, const Style&) {
    p.setBrush(Qt::NoBrush);
    p.setPen(RoundPen(QColor(0x5E, 0xE0, 0x8F), 3.2));
    QPainterPath chevron;
    chevron.moveTo(13.5, 15.5);
    chevron.lineTo(20.5, 22);
    chevron.lineTo(13.5, 28.5);
    p.drawPath(chevron);
    p.setPen(RoundPen(kGlyphWhite, 3.2));
    p.drawLine(QPointF(24, 29.5), QPointF(34, 29.5));
}

void GlyphChart(QPainter& p, const Style&) {
    const qreal base = 36;
    const qreal heights[] = {9, 15, 12, 22};
    for (int i = 0; i < 4; ++i) {
        const QRectF bar(12 + i * 6.5, base - heights[i], 5, heights[i]);
        QPainterPath path;
        path.addRoundedRect(bar, 1.2, 1.2);
        FillPath(p, path, kGlyphWhite);
    }
    p.setPen(RoundPen(QColor(255, 255, 255, 150), 1.6));
    p.setBrush(Qt::NoBrush);
    QPainterPath trend;
    trend.moveTo(12.5, 20);
    trend.lineTo(20, 14.5);
    trend.lineTo(26, 17.5);
    trend.lineTo(35, 9.5);
    p.drawPath(trend);
}

void GlyphCalendar(QPainter& p, const Style& s) {
    const QRectF page(11, 10, 26, 27);
    const QPainterPath pagePath = Rounded(page, 3.5);
    FillPath(p, pagePath, kGlyphWhite);
    p.save();
    p.setClipPath(pagePath);
    p.fillRect(QRectF(page.left(), page.top(), page.width(), 7), s.bottom.darker(118));
    p.restore();
    FillPath(p, Rounded(QRectF(16, 7.5, 3, 6), 1.5), kGlyphWhite);
    FillPath(p, Rounded(QRectF(29, 7.5, 3, 6), 1.5), kGlyphWhite);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) {
            const QRectF day(14 + col * 5.5, 20 + row * 5, 3.5, 3);
            const bool today = row == 1 && col == 2;
            FillPath(p, Rounded(day, 0.8), today ? s.bottom : QColor(0xC4, 0xCA, 0xD4));
        }
    }
}

void GlyphClock(QPainter& p, const Style& s) {
    const QPointF c(24, 23);
    FillPath(p, Circle(c, 13.5), kGlyphWhite);
    p.setPen(RoundPen(Mix(s.bottom, Qt::white, 0.45), 1.6));
    for (int i = 0; i < 12; ++i) {
        const double a = i * std::numbers::pi / 6;
        const qreal inner = i % 3 == 0 ? 9.4 : 10.6;
        p.drawLine(c + QPointF(std::sin(a) * inner, -std::cos(a) * inner),
                   c + QPointF(std::sin(a) * 11.4, -std::cos(a) * 11.4));
    }
    p.setPen(RoundPen(s.bottom.darker(120), 2.6));
    p.drawLine(c, c + QPointF(0, -7));
    p.setPen(RoundPen(s.bottom.darker(120), 2.0));
    p.drawLine(c, c + QPointF(6.5, 3.5));
    FillPath(p, Circle(c, 2), s.bottom.darker(120));
}

void GlyphPhotos(QPainter& p, const Style& s) {
    const QRectF frame(10, 12, 28, 22);
    FillPath(p, Rounded(frame, 3.5), kGlyphWhite);
    const QRectF inner = frame.adjusted(3, 3, -3, -3);
    p.save();
    p.setClipPath(Rounded(inner, 1.5));
    p.fillRect(inner, QColor(0xEF, 0xE8, 0xFB));
    QPainterPath hills;
    hills.moveTo(inner.left(), inner.bottom());
    hills.lineTo(inner.left() + 7, inner.top() + 7);
    hills.lineTo(inner.left() + 12, inner.top() + 12);
    hills.lineTo(inner.left() + 15.5, inner.top() + 9);
    hills.lineTo(inner.right(), inner.bottom());
    hills.closeSubpath();
    FillPath(p, hills, s.bottom);
    FillPath(p, Circle(QPointF(inner.right() - 5, inner.top() + 4.5), 2.6), Palette::kAmber);
    p.restore();
}

void GlyphFiles(QPainter& p, const Style&) {
    FillPath(p, Rounded(QRectF(10, 12, 13, 8), 2.5), Palette::kAmberDeep);
    QPainterPath front = Rounded(QRectF(10, 16, 28, 20), 3);
    FillPath(p, front, Vertical(16, 36, QColor(0xFF, 0xD0, 0x66), Palette::kAmber));
    p.fillRect(QRectF(10.5, 16, 27, 1), QColor(255, 255, 255, 120));
}

void GlyphSettings(QPainter& p, const Style& s) {
    const QPointF c(24, 23);
    QPainterPath gear = Circle(c, 10);
    for (int i = 0; i < 8; ++i) {
        QPainterPath tooth = Rounded(QRectF(-2.8, -14, 5.6, 7), 1.4);
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate(i * 45);
        gear |= t.map(tooth);
    }
    gear -= Circle(c, 4.4);
    FillPath(p, gear.simplified(), kGlyphWhite);
    FillPath(p, Circle(c, 4.4), s.bottom.darker(108));
}

void GlyphChat(QPainter& p, const Style& s) {
    QPainterPath bubble = Rounded(QRectF(9.5, 11, 29, 20), 9);
    QPainterPath tail;
    tail.moveTo(15, 27);
    tail.lineTo(13, 36.5);
    tail.lineTo(23, 29.5);
    tail.closeSubpath();
    bubble |= tail;
    FillPath(p, bubble.simplified(), kGlyphWhite);
    for (int i = 0; i < 3; ++i) {
        FillPath(p, Circle(QPointF(17.5 + i * 6.5, 21), 2.1), s.bottom);
    }
}

void GlyphPaint(QPainter& p, const Style&) {
    QPainterPath palette;
    palette.addEllipse(QRectF(9, 11, 30, 24));
    palette -= Circle(QPointF(29.5, 28.5), 3.2);
    QPainterPath notch;
    notch.addEllipse(QRectF(30, 30, 12, 10));
    palette -= notch;
    FillPath(p, palette.simplified(), kGlyphWhite);
    const QColor paints[] = {QColor(0xFF, 0x5A, 0x5F), Palette::kAmber, QColor(0x3F, 0xA7, 0xF5),
                             QColor(0x43, 0xC6, 0x6B)};
    const QPointF spots[] = {{16, 20}, {22.5, 16.5}, {30, 17}, {15.5, 27.5}};
    for (int i = 0; i < 4; ++i) {
        FillPath(p, Circle(spots[i], 2.7), paints[i]);
    }
}

void GlyphVideo(QPainter& p, const Style&) {
    QPainterPath play;
    play.moveTo(19, 14);
    play.lineTo(34, 23);
    play.lineTo(19, 32);
    play.closeSubpath();
    QPen pen = RoundPen(kGlyphWhite, 4);
    p.setPen(pen);
    p.setBrush(kGlyphWhite);
    p.drawPath(play);
}

void GlyphCode(QPainter& p, const Style&) {
    p.setBrush(Qt::NoBrush);
    p.setPen(RoundPen(kGlyphWhite, 3));
    QPainterPath brackets;
    brackets.moveTo(18, 15.5);
    brackets.lineTo(11.5, 23);
    brackets.lineTo(18, 30.5);
    brackets.moveTo(30, 15.5);
    brackets.lineTo(36.5, 23);
    brackets.lineTo(30, 30.5);
    p.drawPath(brackets);
    p.setPen(RoundPen(QColor(0x7F, 0xD8, 0xFF), 3));
    p.drawLine(QPointF(26.5, 13.5), QPointF(21.5, 32.5));
}

void GlyphArchive(QPainter& p, const Style& s) {
    FillPath(p, Rounded(QRectF(10, 12, 28, 7), 2), kGlyphWhite);
    FillPath(p, Rounded(QRectF(12, 20, 24, 16), 2.5), QColor(0xF6, 0xEE, 0xE6));
    FillPath(p, Rounded(QRectF(19.5, 23.5, 9, 3), 1.5), s.bottom);
}

void GlyphWeather(QPainter& p, const Style&) {
    const QPointF sun(19, 18);
    p.setPen(RoundPen(QColor(0xFF, 0xE0, 0x7A), 2));
    for (int i = 0; i < 8; ++i) {
        const double a = i * std::numbers::pi / 4;
        p.drawLine(sun + QPointF(std::cos(a) * 8.5, std::sin(a) * 8.5),
                   sun + QPointF(std::cos(a) * 11, std::sin(a) * 11));
    }
    FillPath(p, Circle(sun, 6.5), QColor(0xFF, 0xD3, 0x4D));
    QPainterPath cloud = Circle(QPointF(20, 30), 5.5);
    cloud |= Circle(QPointF(27.5, 26), 7.5);
    cloud |= Circle(QPointF(34, 30.5), 5);
    cloud |= Rounded(QRectF(14.5, 29, 24.5, 6.5), 3.2);
    FillPath(p, cloud.simplified(), kGlyphWhite);
}

void GlyphMaps(QPainter& p, const Style&) {
    QPainterPath shadow;
    shadow.addEllipse(QPointF(24, 37.5), 6, 1.8);
    FillPath(p, shadow, QColor(0, 0, 0, 40));
    QPainterPath pin = Circle(QPointF(24, 19), 9.5);
    QPainterPath point;
    point.moveTo(16.2, 24.5);
    point.quadTo(21, 30, 24, 37);
    point.quadTo(27, 30, 31.8, 24.5);
    point.closeSubpath();
    pin |= point;
    pin -= Circle(QPointF(24, 19), 3.8);
    FillPath(p, pin.simplified(), kGlyphWhite);
}

void GlyphReader(QPainter& p, const Style& s) {
    QPainterPath left;
    left.moveTo(23, 15);
    left.cubicTo(19, 12.5, 14, 12, 10, 13);
    left.lineTo(10, 34);
    left.cubicTo(14, 33, 19, 33.5, 23, 36);
    left.closeSubpath();
    QTransform mirror;
    mirror.translate(48, 0);
    mirror.scale(-1, 1);
    FillPath(p, left, kGlyphWhite);
    FillPath(p, mirror.map(left), kGlyphWhite);
    QColor ink = s.top;
    ink.setAlpha(150);
    p.setPen(RoundPen(ink, 1.3));
    for (int i = 0; i < 3; ++i) {
        const qreal y = 19 + i * 4.5;
        p.drawLine(QPointF(13.5, y), QPointF(19.5, y + 1));
        p.drawLine(QPointF(34.5, y), QPointF(28.5, y + 1));
    }
}

void GlyphDownload(QPainter& p, const Style&) {
    p.setBrush(Qt::NoBrush);
    p.setPen(RoundPen(kGlyphWhite, 3.4));
    p.drawLine(QPointF(24, 10.5), QPointF(24, 26));
    QPainterPath head;
    head.moveTo(16.5, 19.5);
    head.lineTo(24, 27);
    head.lineTo(31.5, 19.5);
    p.drawPath(head);
    QPainterPath tray;
    tray.moveTo(12, 28);
    tray.lineTo(12, 34.5);
    tray.lineTo(36, 34.5);
    tray.lineTo(36, 28);
    p.drawPath(tray);
}

void GlyphPasswords(QPainter& p, const Style& s) {
    p.setBrush(Qt::NoBrush);
    p.setPen(RoundPen(kGlyphWhite, 3.2));
    QPainterPath shackle;
    shackle.moveTo(17.5, 21);
    shackle.lineTo(17.5, 16.5);
    shackle.arcTo(QRectF(17.5, 10, 13, 13), 180, -180);
    shackle.lineTo(30.5, 21);
    p.drawPath(shackle);
    FillPath(p, Rounded(QRectF(13, 20, 22, 17), 3.5), kGlyphWhite);
    QPainterPath hole = Circle(QPointF(24, 27), 2.4);
    hole.addRoundedRect(QRectF(22.9, 27, 2.2, 5.5), 1, 1);
    FillPath(p, hole.simplified(), s.bottom);
}

void GlyphSpreadsheet(QPainter& p, const Style& s) {
    const QRectF sheet(10.5, 11, 27, 24);
    const QPainterPath path = Rounded(sheet, 3);
    FillPath(p, path, kGlyphWhite);
    p.save();
    p.setClipPath(path);
    p.fillRect(QRectF(sheet.left(), sheet.top(), sheet.width(), 6), Mix(s.top, Qt::white, 0.55));
    p.fillRect(QRectF(sheet.left(), sheet.top(), 7, sheet.height()), Mix(s.top, Qt::white, 0.75));
    const QColor grid = s.bottom;
    for (qreal y : {17.0, 23.0, 29.0}) {
        p.fillRect(QRectF(sheet.left(), y, sheet.width(), 1.2), grid);
    }
    for (qreal x : {17.5, 27.0}) {
        p.fillRect(QRectF(x, sheet.top(), 1.2, sheet.height()), grid);
    }
    p.restore();
}

void GlyphGames(QPainter& p, const Style& s) {
    QTransform t;
    t.translate(24, 23);
    t.rotate(-12);
    p.setTransform(t, true);
    FillPath(p, Rounded(QRectF(-11, -11, 22, 22), 5), kGlyphWhite);
    for (QPointF pip : {QPointF(-5.5, -5.5), QPointF(5.5, -5.5), QPointF(0, 0), QPointF(-5.5, 5.5),
                        QPointF(5.5, 5.5)}) {
        FillPath(p, Circle(pip, 2.2), s.bottom);
    }
}

void GlyphApplication(QPainter& p, const Style& s) {
    const QRectF window(10, 12, 28, 23);
    const QPainterPath path = Rounded(window, 3.5);
    FillPath(p, path, kGlyphWhite);
    FillPath(p, Rounded(QRectF(13, 19, 22, 13), 1.5), Mix(s.top, Qt::white, 0.6));
    for (int i = 0; i < 3; ++i) {
        FillPath(p, Circle(QPointF(14.5 + i * 4, 15.5), 1.3), s.bottom);
    }
}

struct Sample {
    const char* name;
    Style style;
    Glyph glyph;
};

QColor Hex(unsigned rgb) {
    return QColor::fromRgb(rgb);
}

}  // namespace

QImage DrawDefaultAppIcon() {
    return DrawIcon({Hex(0x8A9BB4), Hex(0x5D6F8A)}, GlyphApplication);
}

std::vector<NamedIcon> DrawDemoIcons() {
    const Sample samples[] = {
        {"browser", {Hex(0x44A8F7), Hex(0x1C70CE)}, GlyphBrowser},
        {"mail", {Hex(0x6A86FF), Hex(0x3A52D4)}, GlyphMail},
        {"notes", {Hex(0xFFD65A), Hex(0xF0AE00)}, GlyphNotes},
        {"calculator", {Hex(0xFFA04A), Hex(0xEA7012)}, GlyphCalculator},
        {"music", {Hex(0xFF6393), Hex(0xDB2F67)}, GlyphMusic},
        {"camera", {Hex(0x66727F), Hex(0x3A424E)}, GlyphCamera},
        {"terminal", {Hex(0x3A3F48), Hex(0x15171C)}, GlyphTerminal},
        {"chart", {Hex(0x2ECDAA), Hex(0x0E977C)}, GlyphChart},
        {"calendar", {Hex(0xFF6166), Hex(0xD93036)}, GlyphCalendar},
        {"clock", {Hex(0x8E7DFF), Hex(0x5A41E2)}, GlyphClock},
        {"photos", {Hex(0xC070FF), Hex(0x8A3DE0)}, GlyphPhotos},
        {"files", {Hex(0x55799F), Hex(0x31506F)}, GlyphFiles},
        {"settings", {Hex(0xA0AAB8), Hex(0x68727F)}, GlyphSettings},
        {"chat", {Hex(0x4EDB7F), Hex(0x17A94B)}, GlyphChat},
        {"paint", {Hex(0x2CCBDD), Hex(0x0690A8)}, GlyphPaint},
        {"video", {Hex(0xFF5252), Hex(0xC92424)}, GlyphVideo},
        {"code", {Hex(0x35508F), Hex(0x18264F)}, GlyphCode},
        {"archive", {Hex(0xC69466), Hex(0x8E5E37)}, GlyphArchive},
        {"weather", {Hex(0x79C6FF), Hex(0x3690E0)}, GlyphWeather},
        {"maps", {Hex(0x86D95E), Hex(0x46A12B)}, GlyphMaps},
        {"reader", {Hex(0xCC4D77), Hex(0x8F2649)}, GlyphReader},
        {"download", {Hex(0x1FC3E0), Hex(0x0B7FB5)}, GlyphDownload},
        {"passwords", {Hex(0x3AA37F), Hex(0x1B6A51)}, GlyphPasswords},
        {"spreadsheet", {Hex(0x3DBB72), Hex(0x1C7F45)}, GlyphSpreadsheet},
        {"games", {Hex(0x8E63D9), Hex(0x5835A3)}, GlyphGames},
    };
    std::vector<NamedIcon> icons;
    for (const Sample& sample : samples) {
        icons.push_back({QString::fromLatin1(sample.name), DrawIcon(sample.style, sample.glyph)});
    }
    return icons;
}

}  // namespace Art
