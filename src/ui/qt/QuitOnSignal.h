#pragma once

// Turns SIGTERM, SIGINT and SIGHUP (a logout, kill, Ctrl+C in a terminal) into an orderly
// quit of the event loop, so that the program's own end runs and no typed note is lost.

#include <QObject>

class QSocketNotifier;

namespace QtUi {

class QuitOnSignal : public QObject {
    Q_OBJECT

  public:
    QuitOnSignal();
    ~QuitOnSignal() override;
    QuitOnSignal(const QuitOnSignal&) = delete;
    QuitOnSignal& operator=(const QuitOnSignal&) = delete;

  private:
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace QtUi
