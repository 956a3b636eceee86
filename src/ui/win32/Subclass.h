#pragma once

// Puts a procedure of ours in front of a control's own window procedure, for the few messages
// a control of the system must hand to its window (keys, the wheel, the focus).
//
// comctl32's SetWindowSubclass keeps its table in a window property and looks it up on every
// message the control receives; where properties live in another process (Wine keeps them in
// its server) that is a round trip per message, a few hundred of them at start-up alone. Here
// the link is the control's GWLP_USERDATA, which the system's controls leave to the program.

#include "platform/win32/WindowsApi.h"

#include <commctrl.h>

namespace Win32Ui {

// procedure sees every message of control first and passes on what it does not consume with
// CallNextProcedure; data is handed to it unchanged. The link goes when the control does.
// A control can have one such procedure.
void Subclass(HWND control, SUBCLASSPROC procedure, DWORD_PTR data);

// The control's own procedure, for the messages the procedure in front of it passes on.
LRESULT CallNextProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace Win32Ui
