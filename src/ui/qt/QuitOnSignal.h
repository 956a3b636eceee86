#pragma once

// Turns SIGTERM, SIGINT and SIGHUP (a logout, kill, Ctrl+C in a terminal) into an orderly
// quit of the event loop, so that the program's own end runs and no typed note is lost.

#include <QObject>

#include <functional>
#include <utility>

class QSocketNotifier;

namespace QtUi {

class QuitOnSignal : public QObject {
    Q_OBJECT

  public:
    // stop runs on the event loop for each signal; without one, the event loop quits.
    explicit QuitOnSignal(std::function<void()> stop = {});
    void SetStop(std::function<void()> stop) { stop_ = std::move(stop); }
    ~QuitOnSignal() override;
    QuitOnSignal(const QuitOnSignal&) = delete;
    QuitOnSignal& operator=(const QuitOnSignal&) = delete;

  private:
    QSocketNotifier* notifier_ = nullptr;
    std::function<void()> stop_;
};

}  // namespace QtUi
