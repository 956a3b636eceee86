#pragma once

// The one way Windows code includes <windows.h>: without the min and max macros and without
// the rarely used parts, and with the wide (UTF-16) functions as the default names.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
// NOLINTNEXTLINE(bugprone-reserved-identifier): the name the C runtime's headers read
#define _UNICODE
#endif

#include <windows.h>
