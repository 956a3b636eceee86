#pragma once

// Numbers of the resources in kivola.rc, shared by the resource script and the code that loads
// them. Plain macros, because the resource compiler reads this file too.

// The program's icon. Explorer shows the group with the lowest number; its images are the PNG
// files themselves, as RT_ICON resources of their own numbers.
#define IDI_KIVOLA 1
#define IDI_KIVOLA_16 1
#define IDI_KIVOLA_32 2

// The artwork, as RCDATA holding each PNG file unchanged.
#define IDR_BACKGROUND 101
#define IDR_CLOSE 102
#define IDR_ADD 103
#define IDR_CURSOR 104
#define IDR_DEFAULT_APP 105
#define IDR_NOTE_CROSS 106
