// The show itself stopped by a signal, on a virtual display of its own: Return takes the setup
// dialog's "Run ... " (a key press made through the X server's test extension, as a keyboard
// would), the show loads, and Ctrl-C ends it the way Escape does, with exit code 0; a second signal
// ends it at once.
#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool, ...) would clash with its names.
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <dlfcn.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/gl_window.h"
#include "app/setup_dialog.h"
#include "tests/interrupts/job.h"
#include "tests/support/program_run.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr auto start_up_limit = 300s;
constexpr auto stop_limit = 60s;

// The X connection and the test extension's key press, looked up at run time so that building
// the tests needs no header of it.
class Keyboard {
public:
    explicit Keyboard(const std::string& display)
        : display_(XOpenDisplay(display.c_str())), xtst_(dlopen("libXtst.so.6", RTLD_NOW)) {
        if (xtst_) fake_key_ = reinterpret_cast<FakeKey>(dlsym(xtst_, "XTestFakeKeyEvent"));
        // A window can close between finding it and focusing it; Xlib would end the test for it.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    }
    ~Keyboard() {
        if (display_) XCloseDisplay(display_);
        if (xtst_) dlclose(xtst_);
    }
    bool usable() const { return display_ && fake_key_; }

    // The top-level window whose title holds `title`, or 0.
    Window find(const char* title) const { return find_below(DefaultRootWindow(display_), title); }

    // Focuses the window and holds the key down a moment: the dialog reads keys once per frame.
    void press(Window window, KeySym key) {
        XSetInputFocus(display_, window, RevertToParent, CurrentTime);
        XSync(display_, False);
        const unsigned code = XKeysymToKeycode(display_, key);
        fake_key_(display_, code, True, 0);
        XFlush(display_);
        std::this_thread::sleep_for(300ms);
        fake_key_(display_, code, False, 0);
        XFlush(display_);
    }

private:
    using FakeKey = int (*)(Display*, unsigned int, Bool, unsigned long);

    Window find_below(Window window, const char* title) const {
        char* name = nullptr;
        if (XFetchName(display_, window, &name) && name) {
            const bool found = std::strstr(name, title) != nullptr;
            XFree(name);
            if (found) return window;
        }
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display_, window, &root, &parent, &children, &count)) return 0;
        Window found = 0;
        for (unsigned i = 0; i < count && !found; ++i) found = find_below(children[i], title);
        if (children) XFree(children);
        return found;
    }

    Display* display_;
    void* xtst_;
    FakeKey fake_key_ = nullptr;
};

// Each test has an X display of its own, small so that the show draws quickly: the setup dialog
// and the key presses must not meet another test's windows.
class ShowSignal : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("show_signal_" + std::to_string(::getpid()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(root_);
        // Xvfb picks a free display and writes its number to standard output.
        server_ = std::make_unique<Job>(
            std::vector<std::string>{"Xvfb", "-displayfd", "1", "-screen", "0", "640x480x24", "-nolisten", "tcp"},
            "", (root_ / "display.txt").string(), (root_ / "xvfb.txt").string());
        if (!server_->wait_until([&] { return read_whole_file((root_ / "display.txt").string()).find('\n') !=
                                              std::string::npos; },
                                 60s))
            GTEST_SKIP() << "no virtual X display (Xvfb) to run the show on";
        display_ = ":" + read_whole_file((root_ / "display.txt").string());
        display_.pop_back();
        keyboard_ = std::make_unique<Keyboard>(display_);
        if (!keyboard_->usable()) GTEST_SKIP() << "no X test extension (libXtst) to press keys with";
    }
    void TearDown() override {
        show_.reset();
        keyboard_.reset();
        // SIGTERM lets the server remove its lock and socket.
        if (server_) server_->stop_with(SIGTERM, 1, true, 10s);
        server_.reset();
        if (!root_.empty()) fs::remove_all(root_);
    }

    // Starts the show from its show directory, with its standard output line by line (it says
    // when the music starts) and no audio device (so that it says so), and takes the dialog's
    // "Run ... " with Return; false when the dialog never showed or never took the key.
    bool run_past_the_dialog() {
        show_ = std::make_unique<Job>(std::vector<std::string>{"env", "DISPLAY=" + display_,
                                                               "SDL_AUDIODRIVER=no_such_audio_driver", "stdbuf",
                                                               "-oL", BRINEFALL_PROGRAM},
                                      BRINEFALL_SHOW_DIR, (root_ / "stdout.txt").string(),
                                      (root_ / "stderr.txt").string());
        Window dialog = 0;
        if (!show_->wait_until([&] { return (dialog = keyboard_->find(setup_caption)) != 0; }, start_up_limit))
            return false;
        std::this_thread::sleep_for(500ms);  // the dialog's first frames
        keyboard_->press(dialog, XK_Return);
        return show_->wait_until([&] { return keyboard_->find(setup_caption) == 0; }, 30s);
    }

    std::string out() const { return read_whole_file((root_ / "stdout.txt").string()); }
    std::string err() const { return read_whole_file((root_ / "stderr.txt").string()); }

    fs::path root_;
    std::unique_ptr<Job> server_;
    std::string display_;
    std::unique_ptr<Keyboard> keyboard_;
    std::unique_ptr<Job> show_;
};

// Whether the signal lands in the last of the loading (the show replays itself once to warm the
// GL up after the music is ready) or in the first frames, the show quits on its next frame as on
// Escape and ends with exit code 0. (That it goes through Escape's quit sequence is the message
// loop's rule, tested with real signals in stop_signal_test.cpp.)
TEST_F(ShowSignal, CtrlCEndsTheShowLikeEscapeWithExitCodeZero) {
    ASSERT_TRUE(run_past_the_dialog()) << err();
    ASSERT_TRUE(show_->wait_until([&] { return out().find("the music plays silently") != std::string::npos; },
                                  start_up_limit))
        << out() << err();
    std::this_thread::sleep_for(3s);
    ASSERT_EQ(show_->stop_with(SIGINT, 1, true, stop_limit), 0) << out() << err();
    EXPECT_EQ(err().find("interrupted"), std::string::npos) << err();
}

// Signals that arrive while the show loads wait for its first frame, except a second one: the
// way out of a long load. (Without the show's own handlers SDL would turn both into one quit.)
TEST_F(ShowSignal, ASecondSigtermEndsItAtOnceEvenWhileItLoads) {
    ASSERT_TRUE(run_past_the_dialog()) << err();
    ASSERT_TRUE(show_->wait_until([&] { return keyboard_->find(window_title) != 0; }, start_up_limit)) << err();
    ASSERT_EQ(show_->stop_with(SIGTERM, 2, false, stop_limit), 143) << out() << err();
    EXPECT_NE(err().find("brinefall: interrupted again; stopped at once"), std::string::npos) << err();
}

}  // namespace
