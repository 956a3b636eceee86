// A library loaded from a folder, held in memory, keeps running when its file goes away:
// truncating a mapped file takes its pages from every mapping at once, which is what a pulled
// drive does to a program whose pages are not in memory.

#include <dlfcn.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/ResidentProgram.h"
#include "testsupport/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using Answer = unsigned (*)();

// Loads a copy of the probe library from the folder; the copy's own name, since the loader
// would hand back a library already loaded under the same name.
Answer LoadCopy(const TestSupport::TempFolder& folder, const std::string& name) {
    const fs::path copy = folder.Path() / name;
    fs::copy_file(KIVOLA_RESIDENT_PROBE, copy);
    void* library = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
    EXPECT_NE(library, nullptr) << dlerror();
    return library == nullptr ? nullptr
                              : reinterpret_cast<Answer>(dlsym(library, "ResidentProbeAnswer"));
}

void Pull(const TestSupport::TempFolder& folder, const std::string& name) {
    ASSERT_EQ(truncate((folder.Path() / name).c_str(), 0), 0);
}

// The same bytes in the same file again, so that the library can end as libraries do.
void PlugBack(const TestSupport::TempFolder& folder, const std::string& name) {
    fs::copy_file(KIVOLA_RESIDENT_PROBE, folder.Path() / name,
                  fs::copy_options::overwrite_existing);
}

TEST(ResidentProgram, AHeldLibraryRunsOnWhenItsFileIsGoneAndAnUnreadableOneIsLeftAlone) {
    TestSupport::TempFolder folder;
    // Not held, the library's next call dies.
    EXPECT_DEATH(
        {
            const Answer answer = LoadCopy(folder, "libunheld.so");
            Pull(folder, "libunheld.so");
            answer();
        },
        "");

    const Answer answer = LoadCopy(folder, "libheld.so");
    ASSERT_NE(answer, nullptr);
    Platform::ReadMappedFilesAhead(folder.Text());
    const Platform::HeldInMemory held = Platform::HoldInMemory(folder.Text());
    // Its code, its read-only data and its written data at least.
    EXPECT_GE(held.Regions, 3U);
    EXPECT_GE(held.Bytes, 3U * 4096U);
    EXPECT_EQ(held.Left, 0U);
    const unsigned expected = answer();
    Pull(folder, "libheld.so");
    EXPECT_EQ(answer(), expected);
    // Held once, it is not taken again.
    EXPECT_EQ(Platform::HoldInMemory(folder.Text()).Regions, 0U);
    PlugBack(folder, "libheld.so");

    // A library whose file went before it could be held is left as it was, and the program
    // goes on. (In a process of its own: truncated, the library could not even end.)
    EXPECT_EXIT(
        {
            const Answer late = LoadCopy(folder, "liblate.so");
            Pull(folder, "liblate.so");
            const Platform::HeldInMemory tooLate = Platform::HoldInMemory(folder.Text());
            _exit(late != nullptr && tooLate.Regions == 0 && tooLate.Left >= 1 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
