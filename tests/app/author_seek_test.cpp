// Author mode's seek on the whole show, loaded from the asset pack: wherever the show was, a seek
// to a moment draws the picture a fresh seek to that moment draws.
#include <GL/glew.h>

#include <memory>

#include "platform/sound.h"
#include "scenes/show_scenes.h"
#include "show/app_state.h"
#include "show/seek.h"
#include "show/show_state.h"
#include "show/start_up.h"
#include "tests/support/scene_test.h"

namespace {

class AuthorSeek : public SceneTest {
protected:
    void SetUp() override {
        set_up_scene({"neomeshes/chess.objt", "music/xo. + lu - mixed tracks (1+2).ogg",
                      "Other/Materials4/f_materialcredits.glsl"});
        if (IsSkipped()) return;
        app_state().end_process = [](int code) { FAIL() << "the show ended with " << code; };
        ShowState& s = show_state();
        s.sound = std::make_unique<OfflineSound>();
        s.timer = ShowTimer([this] { return clock_; });
        s.warm_up_every = 0;  // the pictures do not depend on it
        attach_show(window_, show_scene_factories());
        start_up();
    }
    double clock_ = 0;
};

TEST_F(AuthorSeek, BackwardsLandsOnThePictureAFreshSeekForwardsDraws) {
    const double first = seek_show(300.0, 30);
    const Picture fresh = window_picture();
    EXPECT_GT(brightness(fresh).spread, 2.0) << "a picture of the middle scene";

    clock_ += 2.0;
    seek_show(450.0, 30);
    const Picture elsewhere = window_picture();
    EXPECT_FALSE(elsewhere.rgb == fresh.rgb);
    clock_ += 2.0;
    EXPECT_EQ(seek_show(300.0, 30), first);
    EXPECT_TRUE(window_picture().rgb == fresh.rgb) << "seeking back draws what the fresh seek drew";
    EXPECT_TRUE(no_gl_error());
}

}  // namespace
