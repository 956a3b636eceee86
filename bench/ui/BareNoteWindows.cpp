// The floor under many notes: what Qt and the display cost for N empty note-sized windows.
// Each is frameless, cut to the three areas of a note, placed where KIVOLA places its notes and
// shown; then, as KIVOLA's Timer1 does, a 100 ms timer marks the moment the program answers.
// Nothing is read, drawn or kept beyond what Qt itself keeps for a window.
//
// Usage: kivola_bare_note_windows N

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "notes/NotePlacement.h"
#include "notes/frmNote.h"

int main(int argc, char* argv[]) {
    QElapsedTimer clock;
    clock.start();
    QApplication application(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 2000;
    QRect area(0, 0, 1024, 768);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    // The strip, the cross and the text box, in pixels at 15 twips a pixel.
    QRegion shape;
    for (const Notes::NoteControlTwips& control :
         {Notes::Image1Twips, Notes::Image2Twips, Notes::txtNoteTwips}) {
        shape +=
            QRect(control.Left / 15, control.Top / 15, control.Width / 15, control.Height / 15);
    }
    std::vector<std::unique_ptr<QWidget>> windows;
    windows.reserve(static_cast<std::size_t>(count));
    for (int n = 0; n < count; ++n) {
        auto window = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint);
        window->setFixedSize(242, 240);
        const Notes::ScreenPoint place =
            Notes::DefaultNotePlace(n, {area.x(), area.y(), area.width(), area.height()}, 242, 240);
        window->move(place.X, place.Y);
        window->setMask(shape);
        window->show();
        windows.push_back(std::move(window));
    }
    QTimer::singleShot(100, &application, [&] {
        std::printf("%d windows shown, answering %lld ms after main()\n", count,
                    static_cast<long long>(clock.elapsed()));
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}
