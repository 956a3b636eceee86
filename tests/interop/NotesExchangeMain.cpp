// One edition's side of the note exchange between the two editions on one drive: built for
// Linux and for Windows from this one file, each using its own edition's note code (frmNote,
// NoteStartup, NoteFile) on its own platform layer. tests/interop/notes-both-editions.sh runs
// the two against the same folders.
//
// Usage (DRIVE is the program folder that holds Notes; texts are UTF-8):
//   notes_exchange make DRIVE [odd-names]  types the notes and places the files made elsewhere
//   notes_exchange read DRIVE DUMP STAGE   opens every note as start-up does, writes what it
//                                          read to DUMP and compares it with what STAGE expects
//   notes_exchange edit DRIVE              adds a line to every note and saves it (focus loss)
// STAGE: made (by `make`), odd-names (by `make ... odd-names`), odd-names-first (the same, the
// first time any edition opens them), made-edited or odd-names-edited (after `edit`). Exits 0 when
// everything matched, 1 on a difference, 2 on wrong usage.

#include <algorithm>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "notes/NoteFile.h"
#include "notes/NoteStartup.h"
#include "notes/NoteView.h"
#include "notes/NoteWindowFactory.h"
#include "notes/frmNote.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "shaping/RegionBuilder.h"
#include "support/TextCodec.h"

namespace {

using Platform::InFolder;

// A note window without a screen: the text box is a string that "typing" replaces whole,
// as the front-ends hand it over (CR LF between lines).
class TextOnlyView : public Notes::NoteView {
  public:
    std::u16string Text{Notes::InitialNoteText};
    std::u16string NoteText() const override { return Text; }
    void SetNoteText(std::u16string text) override { Text = given_ = std::move(text); }
    bool TextEdited() const override { return Text != given_; }
    double WindowLeft() const override { return 0; }
    double WindowTop() const override { return 0; }
    void SetWindowLeft(double /*twips*/) override {}
    void SetWindowTop(double /*twips*/) override {}
    void SetBorderStyleNone() override {}
    double PixelsPerTwip() const override { return 1.0 / 15.0; }
    Transparent::RegionApi& WindowRegionApi() override { return regions_; }
    void ShowWindow() override {}
    void CloseWindow() override {}
    void LeaveTextBox() override {}
    void StartSaveTimer(int /*milliseconds*/) override {}
    void StopSaveTimer() override {}

  private:
    std::u16string given_{Notes::InitialNoteText};
    Shaping::RegionBuilder regions_;
};

// Every message the note code shows is a failure here (a save that failed, a file it could
// not read): it is printed and counted.
class FailingDialogs : public Platform::Dialogs {
  public:
    int Shown = 0;
    Platform::MessageResult ShowMessage(const Platform::MessageBoxRequest& request) override {
        ++Shown;
        std::cerr << "message shown: " << TextCodec::ToUtf8(request.Title) << ": "
                  << TextCodec::ToUtf8(request.Prompt) << "\n";
        return Platform::MessageResult::No;
    }
    std::optional<Platform::OpenFileChoice> ShowOpen(const std::u16string& /*filter*/) override {
        return std::nullopt;
    }
};

struct Window {
    TextOnlyView View;
    std::unique_ptr<Notes::frmNote> Note;
};

class Factory : public Notes::NoteWindowFactory {
  public:
    Factory(Platform::Dialogs& dialogs, std::u16string drive)
        : dialogs_(dialogs), drive_(std::move(drive)) {}
    Notes::frmNote& CreateNoteWindow() override {
        auto window = std::make_unique<Window>();
        window->Note = std::make_unique<Notes::frmNote>(window->View, dialogs_, drive_);
        Windows.push_back(std::move(window));
        return *Windows.back()->Note;
    }
    std::vector<std::unique_ptr<Window>> Windows;

  private:
    Platform::Dialogs& dialogs_;
    std::u16string drive_;
};

// Notes typed into note windows: the IDs they are given, the texts as a text box gives them.
struct TypedNote {
    std::u16string Id;
    std::u16string Text;
};
const std::vector<TypedNote>& TypedNotes() {
    static const std::vector<TypedNote> notes = {
        {u"k407-3E529-8812x", u"Shopping\r\n- milk\r\n- bread\r\n"},
        {u"Grüße-€-日本",
         u"Grüße aus Köln – 10 € für Äpfel\r\nΚαλημέρα, привет, 日本語, 😀 and 𝄞\r\n"},
        {u"fits-the-code-page", u"Café crème… “quoted” — ½ price\r\n"},
        {u"spacing", u"\r\n\r\n  indented\twith a tab  \r\nno line end"},
        // A text box may hold half a pair; it is kept, not replaced.
        {u"half-pair", u"lone \xD83D high half"},
    };
    return notes;
}

// Files that other programs put into Notes: the bytes, and the text the note must show.
struct PlacedFile {
    std::u16string Name;
    std::string Bytes;
    std::u16string Text;
    bool CodePage;  // stays in the 8-bit code page when saved
};
const std::vector<PlacedFile>& PlacedFiles() {
    static const std::vector<PlacedFile> files = {
        // An older Windows program writing the ANSI code page of a Western PC.
        {u"old-windows.txt", "Caf\xE9 cr\xE8me \x80 5\r\nna\xEFve \x93quoted\x94 \x9F\r\n",
         u"Café crème € 5\r\nnaïve “quoted” Ÿ\r\n", true},
        {u"linux-editor.txt", "line one\nzweite Zeile \xC3\xBC\n", u"line one\nzweite Zeile ü\n",
         false},
        {u"old-mac.txt", "a\rb\r", u"a\rb\r", false},
        {u"with-bom.txt", "\xEF\xBB\xBFwith a byte-order mark\r\n",
         u"\uFEFFwith a byte-order mark\r\n", false},
    };
    return files;
}

// Note files made on Linux under names Windows cannot hold, the notes they become on either
// system, and whether the Windows edition can reach them before Linux has renamed them.
struct OddName {
    // As Linux lists it: a byte that is not UTF-8 is U+DC80 + byte (U+DD69 is 0xE9, the é of an
    // old Windows name).
    std::u16string Name;
    std::u16string PortableId;
    std::u16string Text;
    bool ReachedByWindows;
};
const std::vector<OddName>& OddNames() {
    static const std::vector<OddName> names = {
        {u"a:b.txt", u"a_b", u"colon\r\n", true},
        {u"why?.txt", u"why_", u"question ¿?\r\n", true},
        {u"x*y<z>|\"q\\.txt", u"x_y_z___q_", u"all of them\r\n", true},
        {u"caf\xDD69.txt", u"caf_", u"an old name's byte\r\n", true},
        // taken by a note of its own: the next free name
        {u"dup?.txt", u"dup__2", u"the second dup\r\n", true},
        {u"dup_.txt", u"dup_", u"the first dup\r\n", true},
        // Windows opens the device, not the file: only Linux can rename it.
        {u"CON.txt", u"CON_", u"a device's name\r\n", false},
    };
    return names;
}

constexpr char16_t EditSuffix[] = u"\r\nedited on the other system: ñ € ok";

bool IsWindows() {
    return Platform::PathSeparator == u'\\';
}

std::u16string NotesFolder(const std::u16string& drive) {
    return Notes::NotesFolderPath(drive);
}

int Make(const std::u16string& drive, bool oddNames) {
    FailingDialogs dialogs;
    for (const auto& typed : TypedNotes()) {
        TextOnlyView view;
        Notes::frmNote note(view, dialogs, drive);
        note.SetNoteID(typed.Id);
        note.Show();
        view.Text = typed.Text;
        note.txtNote_LostFocus();
    }
    for (const auto& placed : PlacedFiles()) {
        if (!Platform::WriteFileAtomically(InFolder(NotesFolder(drive), placed.Name),
                                           placed.Bytes)) {
            std::cerr << "could not place " << TextCodec::ToUtf8(placed.Name) << "\n";
            return 1;
        }
    }
    if (oddNames) {
        for (const auto& odd : OddNames()) {
            if (!Platform::WriteFileAtomically(InFolder(NotesFolder(drive), odd.Name),
                                               TextCodec::ToUtf8(odd.Text))) {
                std::cerr << "could not place " << TextCodec::ToUtf8(odd.Name) << "\n";
                return 1;
            }
        }
    }
    return dialogs.Shown == 0 ? 0 : 1;
}

// Every character readable, every one that is not printable ASCII as \u{XXXX}: the dumps of
// the two systems are compared byte for byte.
std::string Escaped(const std::u16string& text) {
    std::string out;
    for (const char16_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != u'\\') {
            out += static_cast<char>(c);
        } else {
            static constexpr char kHex[] = "0123456789ABCDEF";
            out += "\\u{";
            for (int shift = 12; shift >= 0; shift -= 4) {
                out += kHex[(static_cast<unsigned>(c) >> static_cast<unsigned>(shift)) & 0xFU];
            }
            out += '}';
        }
    }
    return out;
}

// What a folder of notes holds as one text: each file with the way it is written, each note
// with its text.
std::string Dump(const std::map<std::u16string, bool>& files,
                 const std::map<std::u16string, std::u16string>& notes) {
    std::string dump;
    for (const auto& [name, codePage] : files) {
        dump += "file " + Escaped(name) + (codePage ? " code-page\n" : " utf-8\n");
    }
    for (const auto& [id, text] : notes) {
        dump += "note " + Escaped(id) + " = " + Escaped(text) + "\n";
    }
    return dump;
}

std::string Expected(const std::string& stage) {
    const bool odd = stage.starts_with("odd-names");
    const bool edited = stage.ends_with("edited");
    const std::u16string suffix = edited ? EditSuffix : u"";
    std::map<std::u16string, bool> files;
    std::map<std::u16string, std::u16string> notes;
    for (const auto& typed : TypedNotes()) {
        files[typed.Id + u".txt"] = false;
        notes[typed.Id] = typed.Text + suffix;
    }
    for (const auto& placed : PlacedFiles()) {
        files[placed.Name] = placed.CodePage;
        notes[*Notes::NoteIdFromFileName(placed.Name)] = placed.Text + suffix;
    }
    if (odd) {
        for (const auto& oddName : OddNames()) {
            // Met by the Windows edition before Linux renamed it, a device's name is no file
            // there: neither listed nor opened, and left as it is.
            if (oddName.ReachedByWindows || stage != "odd-names-first" || !IsWindows()) {
                files[oddName.PortableId + u".txt"] = false;
                notes[oddName.PortableId] = oddName.Text + suffix;
            }
        }
    }
    return Dump(files, notes);
}

// Opens the notes as start-up does.
std::unique_ptr<Factory> OpenAll(const std::u16string& drive, FailingDialogs& dialogs) {
    auto factory = std::make_unique<Factory>(dialogs, drive);
    Notes::LoadNotes(*factory, drive);
    return factory;
}

int Read(const std::u16string& drive, const std::string& dumpPath, const std::string& stage) {
    FailingDialogs dialogs;
    const auto factory = OpenAll(drive, dialogs);
    std::map<std::u16string, std::u16string> notes;
    for (const auto& window : factory->Windows) {
        if (!notes.emplace(window->Note->noteID, window->View.Text).second) {
            std::cerr << "two windows for " << TextCodec::ToUtf8(window->Note->noteID) << "\n";
            return 1;
        }
    }
    std::map<std::u16string, bool> files;
    const auto contents = Platform::ListFolder(NotesFolder(drive));
    if (!contents) {
        std::cerr << "cannot list the Notes folder\n";
        return 1;
    }
    for (const auto& name : contents->Files) {
        const auto bytes = Platform::ReadWholeFile(InFolder(NotesFolder(drive), name));
        files[name] =
            bytes && TextCodec::EncodingOfFileText(*bytes) == TextCodec::FileEncoding::CodePage;
    }
    const std::string dump = Dump(files, notes);
    std::ofstream(dumpPath, std::ios::binary) << dump;
    const std::string expected = Expected(stage);
    if (dump != expected) {
        std::cerr << "read:\n" << dump << "expected (" << stage << "):\n" << expected;
        return 1;
    }
    return dialogs.Shown == 0 ? 0 : 1;
}

int Edit(const std::u16string& drive) {
    FailingDialogs dialogs;
    const auto factory = OpenAll(drive, dialogs);
    for (const auto& window : factory->Windows) {
        window->View.Text += EditSuffix;
        window->Note->txtNote_LostFocus();
        window->Note->Form_LostFocus();
    }
    return factory->Windows.empty() || dialogs.Shown != 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() < 2) {
        std::cerr << "usage: notes_exchange make|read|edit DRIVE ...\n";
        return 2;
    }
    const std::u16string drive = TextCodec::FromUtf8(args[1]);
    if (args[0] == "make" && args.size() <= 3) {
        return Make(drive, args.size() == 3 && args[2] == "odd-names");
    }
    if (args[0] == "read" && args.size() == 4) {
        return Read(drive, args[2], args[3]);
    }
    if (args[0] == "edit" && args.size() == 2) {
        return Edit(drive);
    }
    std::cerr << "usage: notes_exchange make|read|edit DRIVE ...\n";
    return 2;
}
