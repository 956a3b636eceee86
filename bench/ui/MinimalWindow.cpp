// The least a Qt Widgets program does to put a window on the screen: the baseline that
// KIVOLA's start-up is measured against.

#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.resize(327, 439);
    window.show();
    // Once the event loop runs the window has been shown and painted.
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
