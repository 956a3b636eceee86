#include "notes/NoteRegistry.h"

#include <utility>
#include <vector>

namespace Notes {

void NoteRegistry::Add(frmNote& note, std::function<void()> closeForProgramEnd) {
    open_.Add(note);
    closers_[&note] = std::move(closeForProgramEnd);
}

void NoteRegistry::Remove(const frmNote& note) {
    open_.Remove(note);
    closers_.erase(&note);
}

bool NoteRegistry::RequestEnd() {
    if (ending_) {
        return true;
    }
    if (!open_.AllowProgramEnd(dialogs_)) {
        return false;
    }
    EndNow();
    return true;
}

void NoteRegistry::EndForSession() {
    if (!ending_) {
        open_.SaveAllForSessionEnd();
        EndNow();
    }
}

void NoteRegistry::EndNow() {
    ending_ = true;
    // Each note leaves the open ones as its window goes, so no later save walks a closed note.
    const std::vector<frmNote*> open = open_.All();
    for (frmNote* note : open) {
        const auto closer = closers_.find(note);
        std::function<void()> close =
            closer == closers_.end() ? nullptr : std::move(closer->second);
        Remove(*note);
        if (close) {
            close();
        }
    }
    if (quit_) {
        quit_();
    }
}

}  // namespace Notes
