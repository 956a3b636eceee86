#include "testsupport/Unprivileged.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace TestSupport {
namespace {

// The traditional "nobody": owns nothing, so owner bits are all it gets.
constexpr uid_t UnprivilegedUser = 65534;
constexpr gid_t UnprivilegedGroup = 65534;

void GiveTree(const fs::path& root, uid_t user, gid_t group) {
    std::error_code error;
    ::lchown(root.c_str(), user, group);
    for (auto it = fs::recursive_directory_iterator(root, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        ::lchown(it->path().c_str(), user, group);
    }
}

}  // namespace

void RunWithoutRoot(const TempFolder& drive, const std::function<void()>& checks) {
    if (::geteuid() != 0) {
        checks();
        return;
    }
    // The tree goes to the ordinary user first: the permissions the test set now bind it.
    GiveTree(drive.Path(), UnprivilegedUser, UnprivilegedGroup);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0) << "fork failed";
    if (child == 0) {
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setgid(UnprivilegedGroup) == 0 &&
                             ::setuid(UnprivilegedUser) == 0;
        if (!dropped) {
            ADD_FAILURE() << "could not become an ordinary user";
            std::fflush(stdout);
            ::_exit(2);
        }
        checks();
        std::fflush(stdout);
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    GiveTree(drive.Path(), 0, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the checks run as an ordinary user failed (see above)";
}

}  // namespace TestSupport
