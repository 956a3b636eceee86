// Times a program from exec until it maps its first top-level X window with a given title (any
// title when it is empty), then kills it: how long a user waits to see it, whatever toolkit or
// Wine it runs under. Prints the milliseconds; fails when the program ends first or takes over
// a minute.
//
// Usage: kivola_shown_timer TITLE PROGRAM [ARGUMENTS...]

#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

std::string Title(xcb_connection_t* connection, xcb_window_t window) {
    const xcb_get_property_cookie_t cookie = xcb_get_property(
        connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply) {
        return {};
    }
    return {static_cast<const char*>(xcb_get_property_value(reply.get())),
            static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

pid_t Start(char* argv[]) {
    const pid_t child = ::fork();
    if (child == 0) {
        const int quiet = ::open("/dev/null", O_RDWR);
        ::dup2(quiet, STDIN_FILENO);
        ::dup2(quiet, STDOUT_FILENO);
        ::dup2(quiet, STDERR_FILENO);
        ::execvp(argv[0], argv);
        ::_exit(127);
    }
    return child;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "Usage: %s TITLE PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const std::string wanted = argv[1];
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Checked, so that the server watches the root before the program can map anything.
    if (xcb_request_check(connection, xcb_change_window_attributes_checked(
                                          connection, root, XCB_CW_EVENT_MASK, &mask)) != nullptr) {
        std::fprintf(stderr, "cannot watch the root window\n");
        return 2;
    }

    const auto start = Clock::now();
    const pid_t child = Start(argv + 2);
    if (child < 0) {
        std::perror("fork");
        return 2;
    }
    const auto deadline = start + std::chrono::minutes(1);
    bool shown = false;
    auto shownAt = deadline;
    pollfd events{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (!shown && Clock::now() < deadline) {
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "%s ended before showing a window\n", argv[2]);
            return 1;
        }
        ::poll(&events, 1, 20);
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7FU) == XCB_MAP_NOTIFY && !shown) {
                const auto mapped = Clock::now();
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                shown = wanted.empty() || Title(connection, map->window) == wanted;
                shownAt = mapped;
            }
            std::free(event);
        }
        if (xcb_connection_has_error(connection) != 0) {
            break;
        }
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    xcb_disconnect(connection);
    if (!shown) {
        std::fprintf(stderr, "%s showed no window titled \"%s\"\n", argv[2], wanted.c_str());
        return 1;
    }
    std::printf("%.1f\n", std::chrono::duration<double, std::milli>(shownAt - start).count());
    return 0;
}
