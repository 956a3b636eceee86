// kivola-artwork: draws KIVOLA's pictures.
//
//   kivola-artwork <runtime-dir> <work-dir>
//
// Writes the pictures the program carries as resources into <runtime-dir>, and into <work-dir>
// the sample application icons as PNG (make-artwork.sh turns them into GIF) and two previews.
#include "AppIcons.h"
#include "Chrome.h"
#include "Preview.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

namespace {

bool Save(const QImage& image, const QString& path, QSize expected) {
    QTextStream err(stderr);
    if (image.size() != expected) {
        err << path << ": drawn at " << image.width() << "x" << image.height() << ", expected "
            << expected.width() << "x" << expected.height() << "\n";
        return false;
    }
    if (!image.save(path, "PNG")) {
        err << path << ": cannot write\n";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: kivola-artwork <runtime-dir> <work-dir>\n";
        return 2;
    }
    const QDir runtime(args[1]);
    const QDir work(args[2]);
    if (!QDir().mkpath(runtime.path()) || !QDir().mkpath(work.filePath("demo-icons"))) {
        QTextStream(stderr) << "cannot create the output folders\n";
        return 1;
    }

    using namespace Art;
    ArtworkSet art;
    art.background = DrawBackground();
    art.close = DrawCloseButton(art.background);
    art.add = DrawAddGlyph();
    art.cursor = DrawHandCursor();
    art.icon16 = DrawWindowIcon(16);
    art.icon32 = DrawWindowIcon(32);
    art.noteCross = DrawNoteCross();
    art.defaultApp = DrawDefaultAppIcon();
    art.demoIcons = DrawDemoIcons();

    const QSize appIcon(kAppIconSize, kAppIconSize);
    bool ok = true;
    ok &= Save(art.background, runtime.filePath("background.png"), kBackgroundSize);
    ok &= Save(art.close, runtime.filePath("close.png"), QSize(18, 21));
    ok &= Save(art.add, runtime.filePath("add.png"), QSize(9, 9));
    ok &= Save(art.cursor, runtime.filePath("cursor.png"), QSize(32, 32));
    ok &= Save(art.icon16, runtime.filePath("icon16.png"), QSize(16, 16));
    ok &= Save(art.icon32, runtime.filePath("icon32.png"), QSize(32, 32));
    ok &= Save(art.noteCross, runtime.filePath("notecross.png"), QSize(14, 14));
    ok &= Save(art.defaultApp, runtime.filePath("defaultapp.png"), appIcon);

    ok &= Save(art.defaultApp, work.filePath("demo-icons/defaulticon.png"), appIcon);
    for (const NamedIcon& icon : art.demoIcons) {
        ok &= Save(icon.image, work.filePath("demo-icons/" + icon.name + ".png"), appIcon);
    }

    const QImage sheet = ComposePreview(art);
    ok &= Save(sheet, work.filePath("preview.png"), sheet.size());
    const QImage launcher = ComposeLauncher(art, 20);
    ok &= Save(launcher.scaled(launcher.size() * 2), work.filePath("launcher-2x.png"),
               launcher.size() * 2);
    return ok ? 0 : 1;
}
