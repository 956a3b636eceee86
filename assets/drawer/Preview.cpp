#include "Preview.h"

#include "Chrome.h"
#include "Paint.h"

#include <QFont>

namespace Art {

namespace {

QFont LabelFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    return font;
}

// A plain stand-in for the platform's scroll bar, so the grid can be judged with it in place.
void PaintScrollBar(QPainter& p, QRect r, bool enabled) {
    p.fillRect(r, QColor(0xF0, 0xF0, 0xF0));
    const int arrow = 17;
    const QColor face(0xE2, 0xE4, 0xE8);
    const QColor mark = enabled ? QColor(0x60, 0x60, 0x60) : QColor(0xB8, 0xB8, 0xB8);
    for (bool top : {true, false}) {
        const QRect box(r.left(), top ? r.top() : r.bottom() - arrow + 1, r.width(), arrow);
        p.fillRect(box, face);
        QPolygonF tri;
        const QPointF c = QRectF(box).center();
        const qreal d = top ? -1 : 1;
        tri << c + QPointF(-3.5, -2 * d) << c + QPointF(3.5, -2 * d) << c + QPointF(0, 2 * d);
        p.setPen(Qt::NoPen);
        p.setBrush(mark);
        p.drawPolygon(tri);
    }
    if (enabled) {
        p.fillRect(QRect(r.left() + 1, r.top() + arrow + 2, r.width() - 2, 60),
                   QColor(0xC8, 0xCC, 0xD2));
    }
}

}  // namespace

QImage ComposeLauncher(const ArtworkSet& art, int appCount) {
    QImage window(kClientSize, QImage::Format_ARGB32_Premultiplied);
    window.fill(Qt::white);  // the form's own window colour, seen wherever the picture ends
    QPainter p(&window);
    PrepareFine(p);
    p.setFont(LabelFont());
    p.drawImage(-kPictureShiftX, 0, art.background);
    p.drawImage(Layout::kClose.topLeft(), art.close);
    for (int n = 0; n < appCount && n < 20; ++n) {
        const QPoint slot =
            Layout::kFirstSlot + QPoint((n % 4) * Layout::kSlotPitch, (n / 4) * Layout::kSlotPitch);
        const QImage& icon = n < static_cast<int>(art.demoIcons.size())
                                 ? art.demoIcons[static_cast<size_t>(n)].image
                                 : art.defaultApp;
        p.drawImage(slot, icon);
    }
    PaintScrollBar(p, Layout::kScrollBar, appCount >= 20);
    p.drawImage(QRectF(Layout::kAdd), art.add);

    p.fillRect(Layout::kNewNote, Qt::white);
    QFont underlined = LabelFont();
    underlined.setUnderline(true);
    p.setFont(underlined);
    p.setPen(QColor(0x99, 0xB4, 0xD1).darker(150));
    p.drawText(Layout::kNewNote, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("+ New KIVOLA"));
    p.setFont(LabelFont());
    if (appCount == 0) {
        p.fillRect(Layout::kLoading, Qt::white);
        p.setPen(Qt::black);
        p.drawText(Layout::kLoading, Qt::AlignHCenter | Qt::AlignTop,
                   QStringLiteral("Please wait, loading..."));
    }
    p.setPen(Qt::white);
    p.drawText(Layout::kUsageLine, Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("Using 768.00 MB of 1024.00 MB"));
    p.setPen(QColor(192, 192, 192));
    p.drawText(Layout::kMakerLine, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("KIVOLA portable"));
    return window;
}

QImage ComposePreview(const ArtworkSet& art) {
    const int margin = 20;
    QImage sheet(3 * kClientSize.width() + 4 * margin + 40, 780,
                 QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0x9A, 0xA3, 0xAE));
    QPainter p(&sheet);
    PrepareFine(p);
    p.drawImage(margin, margin, ComposeLauncher(art, 20));
    p.drawImage(2 * margin + kClientSize.width(), margin, ComposeLauncher(art, 0));

    // A note window of 242 by 240 with the cross in its place.
    const QPoint note(3 * margin + 2 * kClientSize.width(), margin);
    p.fillRect(QRect(note, QSize(242, 240)), Palette::kNoteYellow);
    p.drawImage(note + QPoint(226, 3), art.noteCross);
    p.setPen(Qt::black);
    QFont verdana(QStringLiteral("DejaVu Sans"));
    verdana.setPixelSize(13);
    p.setFont(verdana);
    p.drawText(QRect(note + QPoint(6, 26), QSize(230, 40)),
               QStringLiteral("Type here to write your note..."));

    // Small pictures at 1:1 and enlarged with hard pixel edges.
    auto zoomed = [&](const QImage& image, QPoint at, int factor, QColor under) {
        p.fillRect(QRect(at, image.size() * factor), under);
        p.drawImage(QRect(at, image.size() * factor), image.scaled(image.size() * factor));
    };
    const QPoint at = note + QPoint(0, 260);
    zoomed(art.cursor, at, 4, Qt::white);
    zoomed(art.cursor, at + QPoint(140, 0), 1, Palette::kNavyMid);
    zoomed(art.cursor, at + QPoint(180, 0), 1, Qt::white);
    zoomed(art.icon32, at + QPoint(140, 44), 2, QColor(0x20, 0x20, 0x20));
    zoomed(art.icon16, at + QPoint(214, 44), 2, QColor(0x20, 0x20, 0x20));
    zoomed(art.icon32, at + QPoint(256, 44), 1, Qt::white);
    zoomed(art.icon16, at + QPoint(296, 44), 1, Qt::white);
    const QPoint row2 = at + QPoint(0, 140);
    zoomed(art.close, row2, 3, Qt::white);
    zoomed(art.add, row2 + QPoint(70, 0), 4, Qt::white);
    zoomed(art.noteCross, row2 + QPoint(120, 0), 4, Palette::kNoteYellow);
    zoomed(art.noteCross, row2 + QPoint(190, 0), 1, Palette::kNoteYellow);
    p.drawImage(QRect(row2 + QPoint(220, 0), QSize(13, 13)), art.add);

    // Every application icon on white, as the grid shows them.
    const int top = margin + kClientSize.height() + 2 * margin;
    p.fillRect(QRect(margin, top, sheet.width() - 2 * margin, 2 * 64 + 16), Qt::white);
    int i = 0;
    auto place = [&](const QImage& icon) {
        p.drawImage(margin + 8 + (i % 14) * 64, top + 8 + (i / 14) * 64, icon);
        ++i;
    };
    for (const NamedIcon& icon : art.demoIcons) {
        place(icon.image);
    }
    place(art.defaultApp);
    // The icons enlarged, to check the glyphs.
    const int bigTop = top + 2 * 64 + 16 + margin;
    for (int k = 0; k < 8 && k < static_cast<int>(art.demoIcons.size()); ++k) {
        zoomed(art.demoIcons[static_cast<size_t>(k)].image, QPoint(margin + k * 124, bigTop), 2,
               Qt::white);
    }
    return sheet;
}

}  // namespace Art
