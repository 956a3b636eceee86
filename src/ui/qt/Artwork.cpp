#include "ui/qt/Artwork.h"

#include <QImageReader>

#include <QApplication>
#include <QPalette>

// Resources compiled into a static library are linked in only when something names them.
static void InitArtworkResources() {
    Q_INIT_RESOURCE(kivola);
}

namespace QtUi::Artwork {

namespace {

QPixmap Resource(const char* name) {
    static const bool loaded = [] {
        InitArtworkResources();
        return true;
    }();
    (void)loaded;
    // Named as PNG, which Qt reads itself: unnamed, Qt would first load every picture reader
    // the drive carries to ask each whether it knows the file.
    QImageReader reader(QString::fromLatin1(name), "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

}  // namespace

QPixmap Background() {
    return Resource(":/kivola/background.png");
}
QPixmap CloseButton() {
    return Resource(":/kivola/close.png");
}
QPixmap AddGlyph() {
    return Resource(":/kivola/add.png");
}
QPixmap DefaultIcon() {
    return Resource(":/kivola/defaultapp.png");
}
QPixmap NoteCross() {
    return Resource(":/kivola/notecross.png");
}

QIcon WindowIcon() {
    QIcon icon;
    icon.addPixmap(Resource(":/kivola/icon16.png"));
    icon.addPixmap(Resource(":/kivola/icon32.png"));
    return icon;
}

QCursor HandPointer() {
    return QCursor(Resource(":/kivola/cursor.png"), 1, 1);
}

QFont LabelFont() {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(8.25);
    font.setWeight(QFont::Normal);
    return font;
}

QFont NoteFont() {
    QFont font;
    // DejaVu Sans grew out of the same design family as Verdana and keeps its wide letters.
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Bitstream Vera Sans")});
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Normal);
    return font;
}

// Qt has no name for the Windows system colours; these are the palette roles that stand for
// them on every platform (on Windows Qt fills them from the system colours).
QColor WindowColour() {
    return QApplication::palette().color(QPalette::Base);
}
QColor ActiveCaptionColour() {
    return QApplication::palette().color(QPalette::Highlight);
}
QColor InfoBackground() {
    return QApplication::palette().color(QPalette::ToolTipBase);
}
QColor InfoText() {
    return QApplication::palette().color(QPalette::ToolTipText);
}

}  // namespace QtUi::Artwork
