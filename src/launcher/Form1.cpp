#include "launcher/Form1.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "launcher/AppDescriptor.h"
#include "launcher/CommandLine.h"
#include "launcher/DriveUsage.h"
#include "launcher/Form1Layout.h"
#include "platform/Locale.h"
#include "platform/Paths.h"
#include "support/KeyCodes.h"
#include "support/MouseDrag.h"
#include "support/TextCodec.h"

namespace Launcher {

namespace {

constexpr char16_t ProgramTitle[] = u"Kivola";
constexpr char16_t CopiedFirstMessage[] =
    u"Make sure you only select new applications that have been copied to your USB Drive!";
constexpr char16_t AddedMessage[] =
    u"Your new application will be available when you restart KIVOLA.";
constexpr char16_t ExecutableFilter[] = u"All Executables|*.exe";
constexpr int TimerInterval = 100;
constexpr std::int16_t LastSlottedIndex = 100;

std::int16_t SaturatingIncrement(std::int16_t value) {
    return value == std::numeric_limits<std::int16_t>::max() ? value
                                                             : static_cast<std::int16_t>(value + 1);
}

}  // namespace

Form1::Form1(LauncherView& view, Platform::Dialogs& dialogs, Platform::Drives& drives,
             Platform::Processes& processes, std::u16string programFolder, NotesHooks notes)
    : view_(view),
      dialogs_(dialogs),
      drives_(drives),
      processes_(processes),
      programFolder_(std::move(programFolder)),
      notes_(std::move(notes)),
      scan_(programFolder_, [this](const AppRegistration& app, const std::u16string* text) {
          Register(app, text);
      }) {}

const std::u16string& Form1::SlotCommand(int slot) const {
    static const std::u16string none;
    if (slot < 1 || slot > SlotCount) {
        return none;
    }
    return strSlotCommand[static_cast<std::size_t>(slot - 1)];
}

// ---- Start-up -------------------------------------------------------------------------------

void Form1::Form_Load() {
    // Before the range is set: should setting the minimum raise a change event, the page
    // change then finds the value equal to intLastScroll and does nothing.
    intLastScroll = 1;
    view_.SetTimerInterval(TimerInterval);
    view_.SetScrollTabStop(false);
    view_.SetScrollRange(FirstPage, LastPage);
    view_.CollapseHScroll1();
    ShowDriveUsage();
    if (notes_.LoadNotes) {
        notes_.LoadNotes();
    }
}

void Form1::Form_Resize() {}

void Form1::Timer1_Timer() {
    intPageStart = 1;
    intAppIndex = 1;
    intLastScroll = 1;
    intPageEnd = SlotCount;
    ScanApplications();
    if (intAppIndex < SlotCount + 1) {
        view_.SetScrollEnabled(false);
        scrollEnabled_ = false;
    }
    intAppIndex = 1;
    view_.DisableTimer();
    view_.SetLoadingVisible(false);
    scanned_ = true;
    keyboard_.SettleGridFocus(Filled());
    keyboard_.ShowFocus();
}

void Form1::ScanApplications() {
    titles_.clear();
    std::u16string folder = Platform::CurrentFolder();
    if (folder.empty()) {
        return;  // the current folder is gone: nothing to scan
    }
    // "E:\Tools" becomes "E:\Tools\"; a root such as "E:\" is used as it is.
    CountFiles(Platform::WithTrailingSeparator(folder));
}

// ---- Moving and closing ---------------------------------------------------------------------

void Form1::Image2_MouseDown(int /*Button*/, int /*Shift*/, double X, double Y) {
    const auto grab = Support::DragStart(X, Y);
    dragX = grab.X;
    dragY = grab.Y;
}

void Form1::Image2_MouseMove(int Button, int /*Shift*/, double X, double Y) {
    const auto place =
        Support::DragMove(Button, {dragX, dragY}, {view_.WindowLeft(), view_.WindowTop()}, X, Y);
    if (place) {
        // Two moves, as the window reports them: first across, then down.
        view_.SetWindowLeft(place->Left);
        view_.SetWindowTop(place->Top);
    }
}

void Form1::Image1_Click() {
    view_.EndProgram();
}

void Form1::lblNewNote_Click() {
    if (notes_.NewNote) {
        notes_.NewNote();
    }
}

// ---- Drive usage ----------------------------------------------------------------------------

void Form1::ShowDriveUsage() {
    const char16_t separator = decimalSeparator_.value_or(Platform::UserDecimalSeparator());
    const std::u16string key = drives_.KeyOfPath(Platform::CurrentFolder());
    std::u16string caption = DriveUnavailableCaption;
    // Only the keys of the other drives are read: a drive without media is not woken up.
    for (const auto& drive : drives_.DriveKeys()) {
        if (key.empty() || drive != key) {
            continue;
        }
        const bool ready = drives_.IsReady(drive);
        if (drives_.DriveType(drive) != Platform::DriveTypeFixed && !ready) {
            caption = DriveUnavailableCaption;
            continue;
        }
        const auto sizes = drives_.SizesOf(drive);
        caption = sizes ? DriveUsageCaption(*sizes, separator) : DriveUnavailableCaption;
    }
    view_.SetDriveCaption(caption);
}

// ---- The catalogue --------------------------------------------------------------------------

bool Form1::FileExists(const std::u16string& FileName) const {
    return ApplicationScan::FileExists(FileName);
}

std::u16string Form1::SetApplicationExecutable(const std::u16string& strPath) const {
    const auto bytes = Platform::ReadWholeFile(strPath, DescriptorReadLimit);
    return bytes ? TextCodec::DecodeFileText(*bytes) : std::u16string();
}

std::int64_t Form1::CountFiles(const std::u16string& StrFolder) {
    return scan_.CountFiles(StrFolder);
}

void Form1::AddApplicationIcon(const std::u16string& strIconFile, const std::u16string& strTitle,
                               const std::u16string& strAppFolder,
                               const std::u16string& strExecutable,
                               const std::u16string& strScanFolder, bool blnListed) {
    Register({strIconFile, strTitle, strAppFolder, strExecutable, strScanFolder, blnListed},
             nullptr);
}

void Form1::Register(const AppRegistration& app, const std::u16string* descriptorText) {
    // For a single descriptor Executable is the descriptor: gone in the scanned location means
    // no application. A descriptor the scan has just read exists, and its text is at hand.
    if (!app.Listed && descriptorText == nullptr && !FileExists(app.Executable)) {
        return;
    }
    const std::int16_t i = intAppIndex;
    if (1 <= i && i <= LastSlottedIndex) {
        titles_.resize(static_cast<std::size_t>(i));
        titles_.back() = app.Title;
    }
    if (intPageStart <= i && i <= intPageEnd && 1 <= i && i <= LastSlottedIndex) {
        const int slot = ((i - 1) % SlotCount) + 1;
        // The command first: where no picture file can be shown, its program's icon is.
        const std::u16string executable =
            app.Listed ? app.Executable
                       : (descriptorText != nullptr ? *descriptorText
                                                    : SetApplicationExecutable(app.Executable));
        const std::u16string command = Platform::InFolder(app.AppFolder, executable);
        ShowSlotPicture(slot, app, command);
        view_.SetSlotToolTip(slot, app.Title);
        strSlotCommand[static_cast<std::size_t>(slot - 1)] = command;
        slotFolderLength_[static_cast<std::size_t>(slot - 1)] = app.AppFolder.size() + 1;
    }
    intAppIndex = SaturatingIncrement(intAppIndex);
}

void Form1::ShowSlotPicture(int slot, const AppRegistration& app, const std::u16string& command) {
    // The application's icon, else the scanned folder's default icon, else the icon its program
    // carries, else our own: an icon that cannot be drawn never costs the application its place.
    if (FileExists(app.IconFile) && view_.LoadSlotPicture(slot, app.IconFile)) {
        return;
    }
    if (view_.LoadSlotPicture(slot, Platform::InFolder(app.ScanFolder, DefaultIconName))) {
        return;
    }
    // The program as a click would start it: never one outside the application folder.
    const auto program =
        ResolveCommand(command, app.AppFolder.size() + 1,
                       [this](const std::u16string& path) { return FileExists(path); });
    if (program && view_.LoadSlotProgramIcon(slot, program->Program)) {
        return;
    }
    view_.ShowDefaultSlotPicture(slot);
}

void Form1::ClearApplicationIcons() {
    for (int slot = 1; slot <= SlotCount; ++slot) {
        view_.ClearSlotPicture(slot);
        view_.SetSlotToolTip(slot, {});
        strSlotCommand[static_cast<std::size_t>(slot - 1)].clear();
        slotFolderLength_[static_cast<std::size_t>(slot - 1)] = 0;
    }
}

// ---- Paging and launching -------------------------------------------------------------------

void Form1::VScroll1_Change() {
    // The page shown follows the scroll bar's value, however far it moved in one event.
    const std::int16_t value = std::clamp(view_.ScrollValue(), FirstPage, LastPage);
    if (value == intLastScroll) {
        return;
    }
    intPageStart = static_cast<std::int16_t>((value - 1) * SlotCount + 1);
    intPageEnd = static_cast<std::int16_t>(value * SlotCount);
    ClearApplicationIcons();
    view_.SetLoadingVisible(true);
    ScanApplications();
    intAppIndex = 1;
    intLastScroll = value;
    view_.SetLoadingVisible(false);
    keyboard_.SettleGridFocus(Filled());
    keyboard_.ShowFocus();
}

void Form1::imgApp_Click(int slot) {
    const std::u16string& command = SlotCommand(slot);
    if (!command.empty()) {
        keyboard_.FocusSlot(slot);
        LaunchSlot(command, slotFolderLength_[static_cast<std::size_t>(slot - 1)]);
    }
}

void Form1::LaunchSlot(const std::u16string& command, std::size_t folderLength) {
    const auto resolved = ResolveCommand(
        command, folderLength, [this](const std::u16string& path) { return FileExists(path); });
    Platform::IoStatus status;
    if (resolved) {
        status =
            processes_.Start(resolved->Program, resolved->ArgumentText, resolved->WorkingFolder);
    } else if (const std::u16string whole = WithoutTrailingLineEnds(command);
               LeavesFolder(whole, folderLength)) {
        status = Platform::IoStatus::Failure(u"The program lies outside its application folder.");
    } else {
        // Let the system word why the command names nothing that runs.
        status = processes_.Start(whole, {}, {});
    }
    if (!status) {
        ShowMessage(u"The application could not be started:\n" + WithoutTrailingLineEnds(command) +
                        u"\n\n" + status.Reason,
                    Platform::MessageButtons::Ok, Platform::MessageIcon::Exclamation);
    }
}

// ---- Keyboard and wheel ---------------------------------------------------------------------

bool Form1::Form_KeyDown(int KeyCode, int Shift) {
    return keyboard_.KeyDown(KeyCode, Shift);
}

bool Form1::Form_KeyPress(char16_t KeyAscii) {
    return keyboard_.KeyPress(KeyAscii);
}

bool Form1::Form_MouseWheel(int Delta, double X, double Y) {
    return keyboard_.MouseWheel(Delta, X, Y);
}

void Form1::Form_Activate() {
    keyboard_.Activate();
    // The drive may have filled up, or been pulled out, since the line was last shown: the
    // user coming back to the launcher sees it as it is now.
    ShowDriveUsage();
}

void Form1::Form_Deactivate() {
    keyboard_.Deactivate();
}

FilledSlots Form1::Filled() const {
    FilledSlots filled{};
    for (std::size_t k = 0; k < filled.size(); ++k) {
        filled[k] = !strSlotCommand[k].empty();
    }
    return filled;
}

void Form1::ClickOn(FocusItem item, int slot) {
    switch (item) {
        case FocusItem::Slot:
            imgApp_Click(slot);
            break;
        case FocusItem::lblNewNote:
            lblNewNote_Click();
            break;
        case FocusItem::imgAdd:
            imgAdd_Click();
            break;
        case FocusItem::Image1:
            Image1_Click();
            break;
        case FocusItem::None:
            break;
    }
}

void Form1::PageBy(int step) {
    if (!scanned_ || !scrollEnabled_) {
        return;
    }
    const std::int16_t value = view_.ScrollValue();
    const auto target =
        static_cast<std::int16_t>(std::clamp(value + step, int{FirstPage}, int{LastPage}));
    if (target != value) {
        view_.SetScrollValue(target);
    }
}

int Form1::FindTyped(const std::u16string& typed) {
    auto found = FirstTitleBeginningWith(titles_, typed);
    if (!found) {
        return 0;
    }
    if (*found < intPageStart || *found > intPageEnd) {
        if (!scrollEnabled_) {
            return 0;
        }
        view_.SetScrollValue(static_cast<std::int16_t>((*found - 1) / SlotCount + 1));
        // The page change scanned again: what it found is what the grid shows now.
        found = FirstTitleBeginningWith(titles_, typed);
        if (!found || *found < intPageStart || *found > intPageEnd) {
            return 0;
        }
    }
    return ((*found - 1) % SlotCount) + 1;
}

void Form1::CloseByKey() {
    Image1_Click();
}

void Form1::ShowFocusMark(FocusItem item, int slot) {
    view_.ShowFocusMark(item, slot);
}

// ---- Adding an application ------------------------------------------------------------------

void Form1::imgAdd_Click() {
    AddNewApplication();
}

void Form1::AddNewApplication() {
    // A drive pulled out leaves nothing to pick from and nowhere to write: said at once, rather
    // than after an open dialog that shows no drive.
    if (Platform::KindOfPath(programFolder_) != Platform::PathKind::Folder) {
        ShowMessage(u"The drive KIVOLA was started from cannot be reached:\n" + programFolder_ +
                        u"\n\nPut the drive back in, then try again.",
                    Platform::MessageButtons::Ok, Platform::MessageIcon::Exclamation);
        return;
    }
    ShowMessage(CopiedFirstMessage, Platform::MessageButtons::Ok, Platform::MessageIcon::None);
    const auto choice = dialogs_.ShowOpen(ExecutableFilter);
    if (!choice || choice->FileName.empty()) {
        return;
    }
    const auto separator = Platform::LastSeparator(choice->FileName);
    const std::u16string folder = separator == std::u16string::npos
                                      ? std::u16string()
                                      : choice->FileName.substr(0, separator);
    const std::u16string fileTitle =
        !choice->FileTitle.empty()
            ? choice->FileTitle
            : choice->FileName.substr(separator == std::u16string::npos ? 0 : separator + 1);
    const std::u16string descriptor = Platform::InFolder(folder, DescriptorName);

    // A list descriptor may hold many applications: replacing it is the user's call.
    if (Platform::KindOfPath(descriptor) != Platform::PathKind::Missing) {
        const auto answer =
            ShowMessage(descriptor + u" already exists.\n\nDo you want to replace it?",
                        Platform::MessageButtons::YesNo, Platform::MessageIcon::Question);
        if (answer != Platform::MessageResult::Yes) {
            return;
        }
    }
    const auto status =
        Platform::WriteFileAtomically(descriptor, TextCodec::EncodeFileText(fileTitle));
    if (!status) {
        ShowMessage(descriptor + u" could not be written:\n" + status.Reason,
                    Platform::MessageButtons::Ok, Platform::MessageIcon::Exclamation);
        return;
    }
    ShowMessage(AddedMessage, Platform::MessageButtons::Ok, Platform::MessageIcon::None);
}

Platform::MessageResult Form1::ShowMessage(const std::u16string& prompt,
                                           Platform::MessageButtons buttons,
                                           Platform::MessageIcon icon) {
    Platform::MessageBoxRequest request;
    request.Prompt = prompt;
    request.Title = ProgramTitle;
    request.Buttons = buttons;
    request.Icon = icon;
    request.DefaultButton = buttons == Platform::MessageButtons::YesNo
                                ? Platform::MessageResult::No
                                : Platform::MessageResult::Ok;
    return dialogs_.ShowMessage(request);
}

}  // namespace Launcher
