#pragma once

// A note window on a temporary drive, with scripted dialogs and draws.

#include "RecordingNoteView.h"
#include "notes/frmNote.h"
#include "testsupport/ScriptedDialogs.h"
#include "testsupport/TempFolder.h"

namespace NotesTest {

struct NoteFixture {
    TestSupport::TempFolder drive;
    TestSupport::ScriptedDialogs dialogs;
    RecordingNoteView view;
    ScriptedDraws draws{};
    Notes::frmNote note{view, dialogs, drive.Text(), draws};
};

}  // namespace NotesTest
