#pragma once

// Asking Windows about a drive without media (an empty card reader, a removed stick) shows a
// "There is no disk in the drive" box unless the thread has turned critical-error boxes off;
// the question should simply fail instead.

#include "platform/win32/WindowsApi.h"

namespace Platform::Win32 {

// Critical-error and open-file boxes off for the calling thread while the object lives.
class CriticalErrorsOff {
  public:
    CriticalErrorsOff()
        : changed_(SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX,
                                      &previous_) != FALSE) {}
    CriticalErrorsOff(const CriticalErrorsOff&) = delete;
    CriticalErrorsOff& operator=(const CriticalErrorsOff&) = delete;
    ~CriticalErrorsOff() {
        if (changed_) {
            SetThreadErrorMode(previous_, nullptr);
        }
    }

  private:
    DWORD previous_ = 0;
    bool changed_;
};

}  // namespace Platform::Win32
