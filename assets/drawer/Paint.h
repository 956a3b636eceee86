// Shared palette and painting helpers for the artwork drawer.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace Art {

// One palette for every picture, so the launcher, its buttons, the icons and the cursor read as
// one family: deep navy chrome, a white work area, a clear blue accent and the amber of a note.
namespace Palette {
inline const QColor kNavyTop{0x26, 0x3A, 0x66};
inline const QColor kNavyMid{0x1A, 0x2A, 0x4C};
inline const QColor kNavyBottom{0x10, 0x19, 0x2E};
inline const QColor kInk{0x0B, 0x12, 0x22};
inline const QColor kAccent{0x2F, 0x6B, 0xD8};
inline const QColor kAccentLight{0x5B, 0x8E, 0xF0};
inline const QColor kAmber{0xF4, 0xB9, 0x42};
inline const QColor kAmberDeep{0xE0, 0x98, 0x1C};
inline const QColor kPanel{0xFF, 0xFF, 0xFF};
inline const QColor kHairline{0xE1, 0xE6, 0xEE};
inline const QColor kSlate{0x5E, 0x70, 0x88};
// The classic tooltip background a note window is painted in.
inline const QColor kNoteYellow{0xFF, 0xFF, 0xE1};
}  // namespace Palette

// A transparent premultiplied image to paint on.
QImage NewCanvas(int width, int height);

// A painter with antialiasing for shapes and smooth scaling for images.
void PrepareFine(QPainter& painter);

// Blurs every channel of a premultiplied image with repeated box blurs (close to a Gaussian).
void Blur(QImage& image, int radius, int passes = 3);

// Paints a soft shadow of the alpha of `layer` under whatever comes next on `painter`.
void PaintShadowOf(QPainter& painter, const QImage& layer, QPointF offset, int radius,
                   QColor color);

// Paints `draw` into a separate layer, then that layer over a soft shadow of itself.
void PaintWithShadow(QPainter& painter, QSize size, QPointF offset, int radius, QColor color,
                     const std::function<void(QPainter&)>& draw);

// Adds a faint fixed grain to the opaque pixels of `image`: it hides gradient banding and gives
// large flat areas a little texture. Deterministic, so the pictures rebuild byte for byte.
void AddGrain(QImage& image, QRect area, double strength);

// A round pen with round caps and joins, the usual stroke for glyphs.
QPen RoundPen(QColor color, qreal width);

QLinearGradient Vertical(qreal top, qreal bottom, QColor topColor, QColor bottomColor);

// Linear mix of two colours, t = 0 gives a.
QColor Mix(QColor a, QColor b, double t);

}  // namespace Art
