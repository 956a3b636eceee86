// The real message box and open dialog under Wine. They run their modal loop on the test's own
// thread, so a thread timer, which that loop dispatches, reads what the dialog shows and answers
// it as a user would.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsApi.h"
#include "testsupport/NativePath.h"
#include "testsupport/TempFolder.h"
#include "ui/win32/Win32Dialogs.h"

#include <commctrl.h>

using Platform::MessageButtons;
using Platform::MessageIcon;
using Platform::MessageResult;
using TestSupport::TempFolder;
using TestSupport::U;

namespace {

// The explorer-style open dialog's controls: the file name box (a ComboBoxEx), the file types
// and the shell view that holds the list of files.
constexpr int kFileNameBox = 0x47C;  // cmb13
constexpr int kFileTypes = 0x470;    // cmb1
constexpr int kShellView = 0x461;    // lst2

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), text.size())));
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The first visible dialog among this thread's top-level windows.
HWND FindThreadDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) {
            if (ClassOf(window) == L"#32770" && IsWindowVisible(window)) {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void Press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Calls step with this thread's dialog on every timer tick until it says it is done. A dialog
// that never appears, or stays open after the step, fails the test after the time limit and is
// closed, so that the test ends instead of hanging.
class DialogDriver {
  public:
    using Step = std::function<bool(HWND dialog)>;

    explicit DialogDriver(Step step) : step_(std::move(step)), start_(GetTickCount()) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 20, &DialogDriver::Tick);
    }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;
    ~DialogDriver() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }

  private:
    static constexpr DWORD kLimitMs = 5000;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        DialogDriver* self = current_;
        if (self == nullptr || self->gaveUp_) {
            return;
        }
        if (GetTickCount() - self->start_ > kLimitMs) {
            self->gaveUp_ = true;
            ADD_FAILURE() << (self->done_ ? "the dialog stayed open" : "no dialog to drive");
            while (HWND dialog = FindThreadDialog()) {
                EndDialog(dialog, IDCANCEL);
                ShowWindow(dialog, SW_HIDE);
            }
            return;
        }
        if (!self->done_) {
            if (HWND dialog = FindThreadDialog()) {
                self->done_ = self->step_(dialog);
            }
        }
    }

    static inline DialogDriver* current_ = nullptr;
    Step step_;
    DWORD start_;
    UINT_PTR timer_ = 0;
    bool done_ = false;
    bool gaveUp_ = false;
};

// What a message box shows.
struct BoxView {
    std::wstring Title;
    std::wstring Prompt;
    HICON Icon = nullptr;
    int DefaultButton = 0;
    std::vector<int> Buttons;
    HWND Owner = nullptr;
};

BoxView Read(HWND box) {
    BoxView view;
    view.Title = TextOf(box);
    view.Owner = GetWindow(box, GW_OWNER);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (ClassOf(child) == L"Button") {
            view.Buttons.push_back(GetDlgCtrlID(child));
            // Wine's box keeps IDOK as DM_GETDEFID's answer; the button's style is what it sets.
            if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
                view.DefaultButton = GetDlgCtrlID(child);
            }
        } else if ((style & SS_TYPEMASK) == SS_ICON) {
            if (IsWindowVisible(child)) {
                view.Icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
            }
        } else if (ClassOf(child) == L"Static") {
            view.Prompt = TextOf(child);
        }
    }
    return view;
}

// Shows the request, reads the box and presses answer.
MessageResult Answer(const Platform::MessageBoxRequest& request, int answer, BoxView& view) {
    DialogDriver driver([&](HWND box) {
        view = Read(box);
        Press(box, answer);
        return true;
    });
    return Win32Ui::Win32Dialogs().ShowMessage(request);
}

Platform::MessageBoxRequest Question(MessageResult defaultButton = MessageResult::Yes) {
    return {u"Delete it?", u"KIVOLA", MessageButtons::YesNo, MessageIcon::Question, defaultButton};
}

TEST(Win32MessageBox, ShowsTheExactPromptAndTitle) {
    // Accents, a line break and a character outside the BMP (a surrogate pair).
    const std::u16string prompt = U("Löschen „Müll“?\nΖ\xF0\x9F\x98\x80 日本");
    const std::u16string title = U("Notiz – Grüße");
    BoxView view;
    EXPECT_EQ(Answer({prompt, title}, IDOK, view), MessageResult::Ok);
    EXPECT_EQ(view.Prompt, Platform::Win32::Wide(prompt));
    EXPECT_EQ(view.Title, Platform::Win32::Wide(title));
    EXPECT_EQ(view.Buttons, std::vector<int>{IDOK});
    EXPECT_EQ(view.Icon, nullptr);
}

TEST(Win32MessageBox, AnswersTheButtonPressed) {
    BoxView view;
    EXPECT_EQ(Answer(Question(), IDYES, view), MessageResult::Yes);
    EXPECT_EQ(view.Buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(Answer(Question(), IDNO, view), MessageResult::No);
}

TEST(Win32MessageBox, DefaultButtonIsNoOnlyWhenAsked) {
    BoxView view;
    Answer(Question(MessageResult::No), IDNO, view);
    EXPECT_EQ(view.DefaultButton, IDNO);
    Answer(Question(MessageResult::Yes), IDNO, view);
    EXPECT_EQ(view.DefaultButton, IDYES);
    // A request that leaves DefaultButton at Ok.
    Answer({u"Go on?", u"KIVOLA", MessageButtons::YesNo}, IDNO, view);
    EXPECT_EQ(view.DefaultButton, IDYES);
}

TEST(Win32MessageBox, ClosingAQuestionNeverAnswersYes) {
    // Yes is the default button, so an answer taken from the default would show. Wine ends a
    // Yes/No box on Escape (IDCANCEL) and on WM_CLOSE; Windows ignores both for such a box.
    BoxView view;
    EXPECT_EQ(Answer(Question(MessageResult::Yes), IDCANCEL, view), MessageResult::No);

    DialogDriver close([](HWND box) {
        PostMessageW(box, WM_CLOSE, 0, 0);
        return true;
    });
    EXPECT_EQ(Win32Ui::Win32Dialogs().ShowMessage(Question(MessageResult::Yes)), MessageResult::No);
}

TEST(Win32MessageBox, ShowsTheIconAsked) {
    const struct {
        MessageIcon Icon;
        const wchar_t* System;
    } cases[] = {{MessageIcon::Critical, IDI_HAND},
                 {MessageIcon::Question, IDI_QUESTION},
                 {MessageIcon::Exclamation, IDI_EXCLAMATION},
                 {MessageIcon::Information, IDI_ASTERISK},
                 {MessageIcon::None, nullptr}};
    for (const auto& each : cases) {
        BoxView view;
        Answer({u"Text", u"Title", MessageButtons::Ok, each.Icon}, IDOK, view);
        EXPECT_EQ(view.Icon, each.System ? LoadIconW(nullptr, each.System) : nullptr)
            << static_cast<int>(each.Icon);
    }
}

// Keeps the dialog windows of this thread from being created, as when the system cannot show one.
class DialogsRefused {
  public:
    DialogsRefused() { hook_ = SetWindowsHookExW(WH_CBT, &Refuse, nullptr, GetCurrentThreadId()); }
    DialogsRefused(const DialogsRefused&) = delete;
    DialogsRefused& operator=(const DialogsRefused&) = delete;
    ~DialogsRefused() { UnhookWindowsHookEx(hook_); }
    static inline int Refused = 0;

  private:
    static LRESULT CALLBACK Refuse(int code, WPARAM window, LPARAM details) {
        if (code == HCBT_CREATEWND && ClassOf(reinterpret_cast<HWND>(window)) == L"#32770") {
            ++Refused;
            return 1;
        }
        return CallNextHookEx(nullptr, code, window, details);
    }
    HHOOK hook_;
};

TEST(Win32Dialogs, ADialogThatCannotBeShownAnswersNoAndChoosesNothing) {
    // Should a box appear after all, it is answered Yes, which fails the test.
    DialogDriver yes([](HWND box) {
        ADD_FAILURE() << "the dialog was shown";
        Press(box, GetDlgItem(box, IDYES) ? IDYES : IDCANCEL);
        return true;
    });
    DialogsRefused refused;
    DialogsRefused::Refused = 0;
    EXPECT_EQ(Win32Ui::Win32Dialogs().ShowMessage(Question()), MessageResult::No);
    EXPECT_EQ(Win32Ui::Win32Dialogs().ShowOpen(u"All Executables|*.exe"), std::nullopt);
    EXPECT_GE(DialogsRefused::Refused, 2);
}

TEST(Win32Dialogs, OwnedByThisThreadsActiveWindow) {
    TempFolder folder;
    TestSupport::ScopedCurrentFolder current(folder.Path());
    HWND window = CreateWindowExW(0, L"STATIC", L"KIVOLA", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    SetActiveWindow(window);
    ASSERT_EQ(GetActiveWindow(), window);
    BoxView view;
    Answer(Question(), IDNO, view);
    EXPECT_EQ(view.Owner, window);

    HWND openOwner = nullptr;
    {
        DialogDriver cancel([&](HWND dialog) {
            openOwner = GetWindow(dialog, GW_OWNER);
            Press(dialog, IDCANCEL);
            return true;
        });
        Win32Ui::Win32Dialogs().ShowOpen(u"All Executables|*.exe");
    }
    EXPECT_EQ(openOwner, window);
    DestroyWindow(window);

    Answer(Question(), IDNO, view);
    EXPECT_EQ(view.Owner, nullptr);
}

std::vector<std::wstring> ItemsOf(HWND comboBox) {
    std::vector<std::wstring> items;
    const auto count = SendMessageW(comboBox, CB_GETCOUNT, 0, 0);
    for (WPARAM index = 0; index < static_cast<WPARAM>(count); ++index) {
        std::wstring text(
            static_cast<std::size_t>(SendMessageW(comboBox, CB_GETLBTEXTLEN, index, 0)), L'\0');
        SendMessageW(comboBox, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        items.push_back(text);
    }
    return items;
}

std::vector<std::wstring> FilesListed(HWND dialog) {
    std::vector<std::wstring> names;
    HWND list = FindWindowExW(GetDlgItem(dialog, kShellView), nullptr, WC_LISTVIEWW, nullptr);
    const auto count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    for (WPARAM index = 0; index < static_cast<WPARAM>(count); ++index) {
        wchar_t name[MAX_PATH] = {};
        LVITEMW item{};
        item.pszText = name;
        item.cchTextMax = MAX_PATH;
        SendMessageW(list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
        names.emplace_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// What the open dialog shows, read once its folder is listed, and then cancelled.
struct OpenView {
    std::vector<std::wstring> Types;
    std::vector<std::wstring> Files;
};

std::optional<Platform::OpenFileChoice> ShowAndCancel(const std::u16string& filter,
                                                      OpenView& view) {
    DialogDriver cancel([&](HWND dialog) {
        view.Files = FilesListed(dialog);
        if (view.Files.empty()) {
            return false;
        }
        view.Types = ItemsOf(GetDlgItem(dialog, kFileTypes));
        Press(dialog, IDCANCEL);
        return true;
    });
    return Win32Ui::Win32Dialogs().ShowOpen(filter);
}

// A current folder of programs and a text, and a program elsewhere to choose.
class Win32OpenDialog : public testing::Test {
  protected:
    std::filesystem::path Populate() {
        // Through char8_t: TempFolder's narrow names would go through the ANSI code page.
        program_ = folder_.Path() / std::filesystem::path(u8"Prögramme") / u8"Über.exe";
        std::filesystem::create_directories(program_.parent_path());
        std::ofstream(program_) << "MZ";
        folder_.WriteFile("Start/setup.com", "MZ");
        folder_.WriteFile("Start/readme.txt", "text");
        return folder_.WriteFile("Start/tool.exe", "MZ").parent_path();
    }
    TempFolder folder_;
    std::filesystem::path program_;
    TestSupport::ScopedCurrentFolder current_{Populate()};
};

TEST_F(Win32OpenDialog, ListsTheCurrentFolderByTheFilterAndCancelChoosesNothing) {
    OpenView view;
    EXPECT_EQ(ShowAndCancel(u"All Executables|*.exe", view), std::nullopt);
    EXPECT_EQ(view.Types, std::vector<std::wstring>{L"All Executables"});
    EXPECT_EQ(view.Files, std::vector<std::wstring>{L"tool.exe"});

    EXPECT_EQ(ShowAndCancel(u"Programs|*.exe;*.com|Text|*.txt", view), std::nullopt);
    EXPECT_EQ(view.Types, (std::vector<std::wstring>{L"Programs", L"Text"}));
    EXPECT_EQ(view.Files, (std::vector<std::wstring>{L"setup.com", L"tool.exe"}));
}

// Types into the dialog's file name box and presses Open, as a user does.
void Enter(HWND dialog, const std::wstring& name) {
    HWND box = reinterpret_cast<HWND>(
        SendDlgItemMessageW(dialog, kFileNameBox, CBEM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(box, nullptr);
    SetWindowTextW(box, name.c_str());
    Press(dialog, IDOK);
}

TEST_F(Win32OpenDialog, GivesTheChosenFileAndKeepsTheCurrentFolder) {
    const std::u16string before = Platform::CurrentFolder();
    const std::u16string chosen = TestSupport::TextOfPath(program_);
    // Into the program's folder first: the dialog moves the current folder as it browses.
    bool browsed = false;
    DialogDriver choose([&](HWND dialog) {
        if (!browsed) {
            Enter(dialog, program_.parent_path().native());
            browsed = true;
            return false;
        }
        if (FilesListed(dialog) != std::vector<std::wstring>{L"Über.exe"}) {
            return false;
        }
        Enter(dialog, L"Über.exe");
        return true;
    });
    const auto choice = Win32Ui::Win32Dialogs().ShowOpen(u"All Executables|*.exe");
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->FileName, chosen);
    EXPECT_EQ(choice->FileTitle, U("Über.exe"));
    EXPECT_EQ(Platform::CurrentFolder(), before);
}

}  // namespace
