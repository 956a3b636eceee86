// What a Win32 window test program needs before its first window, as KIVOLA.exe's entry does:
// COM on this thread (the picture decoder) and the common controls (scroll bar, tool tips).

#include <gtest/gtest.h>

#include "platform/win32/WindowsApi.h"

#include <commctrl.h>
#include <objbase.h>

namespace {

class Win32GuiEnvironment : public testing::Environment {
  public:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&controls));
    }
    void TearDown() override { CoUninitialize(); }
};

const testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new Win32GuiEnvironment);

}  // namespace
