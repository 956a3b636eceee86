#pragma once

// Once the launcher is up, the program, its libraries and its plugins are read from the drive
// in the background and then held in the program's memory, so that a pulled drive can no
// longer take code from under it. What is loaded later (a plugin first needed then) is taken
// on the next round.

#include <QObject>
#include <QTimer>

#include <string>
#include <thread>

namespace QtUi {

class ProgramInMemory : public QObject {
    Q_OBJECT

  public:
    explicit ProgramInMemory(std::u16string folder);
    ~ProgramInMemory() override = default;
    ProgramInMemory(const ProgramInMemory&) = delete;
    ProgramInMemory& operator=(const ProgramInMemory&) = delete;

    // Starts after the given delay, leaving the drive to the start-up until then.
    void StartAfter(int milliseconds);

  private:
    void ReadAhead();
    void Hold();

    std::u16string folder_;
    std::jthread reader_;  // asked to stop and joined when the program ends
    QTimer rounds_;
};

}  // namespace QtUi
