#include "Paint.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace Art {

QImage NewCanvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void PrepareFine(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

namespace {

// One horizontal or vertical box-blur pass over a line of premultiplied pixels. Edges are
// treated as transparent so shapes fade out instead of smearing against the border.
void BoxLine(const std::vector<uint32_t>& in, std::vector<uint32_t>& out, int radius) {
    const int n = static_cast<int>(in.size());
    const int window = 2 * radius + 1;
    long sum[4] = {0, 0, 0, 0};
    auto add = [&](int i, int sign) {
        if (i < 0 || i >= n) {
            return;
        }
        const uint32_t p = in[static_cast<size_t>(i)];
        for (int c = 0; c < 4; ++c) {
            sum[c] += sign * static_cast<long>((p >> (8 * c)) & 0xFFu);
        }
    };
    for (int i = -radius; i < radius; ++i) {
        add(i, 1);
    }
    for (int i = 0; i < n; ++i) {
        add(i + radius, 1);
        uint32_t p = 0;
        for (int c = 0; c < 4; ++c) {
            const long v = (sum[c] + window / 2) / window;
            p |= static_cast<uint32_t>(std::clamp(v, 0L, 255L)) << (8 * c);
        }
        out[static_cast<size_t>(i)] = p;
        add(i - radius, -1);
    }
}

}  // namespace

void Blur(QImage& image, int radius, int passes) {
    if (radius <= 0) {
        return;
    }
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = image.width();
    const int h = image.height();
    for (int pass = 0; pass < passes; ++pass) {
        std::vector<uint32_t> in(static_cast<size_t>(w));
        std::vector<uint32_t> out(static_cast<size_t>(w));
        for (int y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
            std::copy(row, row + w, in.begin());
            BoxLine(in, out, radius);
            std::copy(out.begin(), out.end(), row);
        }
        in.resize(static_cast<size_t>(h));
        out.resize(static_cast<size_t>(h));
        for (int x = 0; x < w; ++x) {
            for (int y = 0; y < h; ++y) {
                in[static_cast<size_t>(y)] =
                    reinterpret_cast<const uint32_t*>(image.constScanLine(y))[x];
            }
            BoxLine(in, out, radius);
            for (int y = 0; y < h; ++y) {
                reinterpret_cast<uint32_t*>(image.scanLine(y))[x] = out[static_cast<size_t>(y)];
            }
        }
    }
}

void PaintShadowOf(QPainter& painter, const QImage& layer, QPointF offset, int radius,
                   QColor color) {
    QImage shadow = NewCanvas(layer.width(), layer.height());
    {
        QPainter p(&shadow);
        p.drawImage(0, 0, layer);
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(shadow.rect(), color);
    }
    Blur(shadow, radius);
    painter.drawImage(offset, shadow);
}

void PaintWithShadow(QPainter& painter, QSize size, QPointF offset, int radius, QColor color,
                     const std::function<void(QPainter&)>& draw) {
    QImage layer = NewCanvas(size.width(), size.height());
    {
        QPainter p(&layer);
        PrepareFine(p);
        draw(p);
    }
    PaintShadowOf(painter, layer, offset, radius, color);
    painter.drawImage(0, 0, layer);
}

void AddGrain(QImage& image, QRect area, double strength) {
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            QRgb& px = row[x];
            if (qAlpha(px) != 255) {
                continue;
            }
            // A small integer hash gives stable noise without a random generator.
            uint32_t hash =
                static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
            hash = (hash ^ (hash >> 13)) * 1274126177u;
            hash ^= hash >> 16;
            const double noise = (static_cast<double>(hash & 0xFFFFu) / 65535.0 - 0.5) * 2.0;
            const int delta = static_cast<int>(std::lround(noise * strength));
            px = qRgba(std::clamp(qRed(px) + delta, 0, 255), std::clamp(qGreen(px) + delta, 0, 255),
                       std::clamp(qBlue(px) + delta, 0, 255), 255);
        }
    }
}

QPen RoundPen(QColor color, qreal width) {
    QPen pen(color, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QLinearGradient Vertical(qreal top, qreal bottom, QColor topColor, QColor bottomColor) {
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, topColor);
    gradient.setColorAt(1, bottomColor);
    return gradient;
}

QColor Mix(QColor a, QColor b, double t) {
    auto lerp = [t](int u, int v) { return static_cast<int>(std::lround(u + (v - u) * t)); };
    return {lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
            lerp(a.alpha(), b.alpha())};
}

}  // namespace Art
