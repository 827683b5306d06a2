// Author mode soaked: random seeks with a few played frames after each, in one process, on the
// whole show. Once every scene has been seen (each one's first frames make what the GL makes at a
// first draw), nothing more may be made and memory must hold: a seek that leaked would grow both.
// BRINEFALL_SOAK_SEEKS sets how many (40 by default; 200 for a longer soak).
#include <GL/glew.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

#include "app/author_mode.h"
#include "platform/sound.h"
#include "scenes/show_scenes.h"
#include "show/app_state.h"
#include "show/show_state.h"
#include "show/start_up.h"
#include "tests/support/scene_test.h"
#include "tools/capture/gl_object_count.h"
#include "tools/capture/process_memory.h"

namespace {

class AuthorSoak : public SceneTest {
protected:
    // Software GL rasterizes on threads of its own and keeps every scene of commands it queued
    // for them; how many it queues depends on how the machine's cores are shared at the time (a
    // test run alongside others makes it queue more), which would show here as growth. Drawn on
    // the calling thread it queues none, and memory says only what the show keeps.
    static void SetUpTestSuite() {
        setenv("LP_NUM_THREADS", "0", 1);
        SceneTest::SetUpTestSuite();
    }

    void SetUp() override {
        set_up_scene({"neomeshes/chess.objt", "music/xo. + lu - mixed tracks (1+2).ogg"});
        if (IsSkipped()) return;
        app_state().end_process = [](int code) { FAIL() << "the show ended with " << code; };
        ShowState& s = show_state();
        s.sound = std::make_unique<OfflineSound>();
        s.timer = ShowTimer([this] { return clock_; });
        attach_show(window_, show_scene_factories());
        start_up();
    }

    // One author pass after a key, then a few played frames.
    void press_and_play(AuthorMode& author, int key) {
        author.key_down(key);
        author.frame();
        for (int i = 0; i < 3; ++i) {
            clock_ += 1.0 / 30;
            author.frame();
        }
    }

    double clock_ = 0;
};

TEST_F(AuthorSoak, SeeksAndPlaysLeaveMemoryAndGlObjectsFlat) {
    AuthorMode author;
    author.start(window_);
    start_counting_gl_objects();
    // Every scene once, and a pause, so that everything the GL makes at a first draw is made.
    const int first_round[] = {'1', '2', '3', '4', 'P', 190, 'P'};
    for (int key : first_round) press_and_play(author, key);
    const int keys[] = {37, 39, 33, 34, 36, '1', '2', '3', '4', 'P', 190};  // seeks, pause, step
    std::mt19937 random(20261207);
    ASSERT_TRUE(no_gl_error());
    const long made = gl_objects_created();
    const long resident = resident_kb();

    const char* asked = std::getenv("BRINEFALL_SOAK_SEEKS");
    const int seeks = asked ? std::atoi(asked) : 40;
    for (int i = 0; i < seeks; ++i) {
        press_and_play(author, keys[random() % std::size(keys)]);
        ASSERT_TRUE(no_gl_error()) << "after " << i + 1 << " seeks";
    }
    const long grown_kb = resident_kb() - resident;
    std::printf("%d seeks: %ld GL objects made after the first round, resident memory %+ld KiB of %ld KiB\n",
                seeks, gl_objects_created() - made, grown_kb, resident);
    EXPECT_EQ(gl_objects_created(), made);
    EXPECT_LT(grown_kb, resident / 50) << "more than 2 % growth";
}

}  // namespace
