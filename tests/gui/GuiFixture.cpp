#include "GuiFixture.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>

#include <filesystem>

namespace {

// A picture the slots can show, in a colour of its own; the file is called .gif, and read by
// its content.
std::string IconBytes(int hue) {
    QImage image(48, 48, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(hue % 360, 200, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

void SendMouse(QWidget* target, QEvent::Type type, QPoint global, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(target->mapFromGlobal(global)), QPointF(global), button,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

}  // namespace

GuiFixture::GuiFixture() {
    inDrive = std::make_unique<TestSupport::ScopedCurrentFolder>(drive.Path());
    drive.WriteFile("defaulticon.gif", IconBytes(0));
}

GuiFixture::~GuiFixture() {
    window.reset();
    QApplication::processEvents();
    inDrive.reset();
}

void GuiFixture::AddApplication(const std::string& title) {
    static int hue = 0;
    hue += 37;
    const std::string marker = (drive.Path() / ("launched-" + title)).string();
    const auto script =
        drive.WriteFile(title + "/run.sh", "#!/bin/sh\necho \"$0\" >> '" + marker + "'\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    drive.WriteFile(title + "/kivolaapp.ini", "run.sh");
    drive.WriteFile(title + "/appicon.gif", IconBytes(hue));
}

void GuiFixture::AddNote(const std::string& noteId, const std::string& text) {
    drive.WriteFile("Notes/" + noteId + ".txt", text);
}

QtUi::LauncherWindow& GuiFixture::Start() {
    window = std::make_unique<QtUi::LauncherWindow>(dialogs, *drives, *processes, drive.Text());
    window->show();
    return *window;
}

bool WaitUntil(const std::function<bool()>& done, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > milliseconds) {
            return false;
        }
        QTest::qWait(10);
    }
    return true;
}

void GuiFixture::WaitForGrid() {
    auto* loading = Control<QLabel>(window.get(), "lblLoading");
    ASSERT_TRUE(WaitUntil([&] { return !loading->isVisible(); })) << "the first scan never ended";
}

QWidget* GuiFixture::Slot(int slot) const {
    return Control<QWidget>(window.get(), ("imgApp" + std::to_string(slot)).c_str());
}

std::vector<std::string> GuiFixture::SlotTitles() const {
    std::vector<std::string> titles;
    for (int slot = 1; slot <= 20; ++slot) {
        titles.push_back(Slot(slot)->toolTip().toStdString());
    }
    return titles;
}

bool GuiFixture::SlotHasPicture(int slot) const {
    const auto* label = qobject_cast<const QLabel*>(Slot(slot));
    return label != nullptr && !label->pixmap().isNull();
}

void GuiFixture::Drag(QWidget* handle, QPoint at, const std::vector<QPoint>& steps,
                      Qt::MouseButtons held) {
    QPoint pointer = handle->mapToGlobal(at);
    // The first button held goes down first, as a hand would press them.
    const Qt::MouseButton first = held.testFlag(Qt::LeftButton) ? Qt::LeftButton : Qt::RightButton;
    SendMouse(handle, QEvent::MouseButtonPress, pointer, first, held);
    for (const QPoint& step : steps) {
        pointer += step;
        SendMouse(handle, QEvent::MouseMove, pointer, Qt::NoButton, held);
    }
    SendMouse(handle, QEvent::MouseButtonRelease, pointer, first, held & ~Qt::MouseButtons(first));
}
