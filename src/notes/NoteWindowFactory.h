#pragma once

// Note windows are made by the front-end; the core asks for them through this interface.

namespace Notes {

class frmNote;

class NoteWindowFactory {
  public:
    virtual ~NoteWindowFactory() = default;
    // Makes a new, not yet shown note window and returns its behaviour object, which lives
    // until the window closes.
    virtual frmNote& CreateNoteWindow() = 0;
};

}  // namespace Notes
