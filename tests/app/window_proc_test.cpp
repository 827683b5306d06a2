#include "app/window_proc.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "core/frame_state.h"
#include "render/graphics_context.h"
#include "show/app_state.h"

namespace {

int resized_width = -1, resized_height = -1;
void note_resize(int width, int height) {
    resized_width = width;
    resized_height = height;
}

class WindowProcTest : public ::testing::Test {
protected:
    void SetUp() override { resized_width = resized_height = -1; }

    bool send(const SDL_Event& event) {
        return window_proc(event, WindowTarget{app, frame, camera, 0.5, note_resize});
    }
    bool key(SDL_Keycode code, bool down) {
        SDL_Event event{};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.keysym.sym = code;
        return send(event);
    }
    void wheel(float notches) {
        SDL_Event event{};
        event.type = SDL_MOUSEWHEEL;
        event.wheel.y = static_cast<Sint32>(notches);
        event.wheel.preciseY = notches;
        event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
        send(event);
    }
    void window_event(SDL_WindowEventID id, int data1 = 0, int data2 = 0) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = id;
        event.window.data1 = data1;
        event.window.data2 = data2;
        send(event);
    }
    void mouse_move() {
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        send(event);
    }
    void middle_click() {
        SDL_Event event{};
        event.type = SDL_MOUSEBUTTONDOWN;
        event.button.button = SDL_BUTTON_MIDDLE;
        send(event);
    }

    AppState app;
    FrameState frame;
    CameraRecord camera;
};

}  // namespace

TEST_F(WindowProcTest, KeysAreHeldByVirtualKeyCodeUntilReleased) {
    EXPECT_FALSE(key(SDLK_ESCAPE, true));
    EXPECT_EQ(app.keys[27], 1);
    key(SDLK_q, true);
    EXPECT_EQ(app.keys['Q'], 1);
    key(SDLK_ESCAPE, false);
    EXPECT_EQ(app.keys[27], 0);
    EXPECT_EQ(app.keys['Q'], 1);
    EXPECT_TRUE(app.escape_pressed) << "the press is kept for the idle pass after the release";
    key(SDLK_AUDIOPLAY, true);  // no virtual key: nothing recorded
    int held = 0;
    for (uint8_t k : app.keys) held += k;
    EXPECT_EQ(held, 1);
}

TEST_F(WindowProcTest, OnlyEscapePressesAreKept) {
    key(SDLK_q, true);
    key(SDLK_ESCAPE, false);
    EXPECT_FALSE(app.escape_pressed);
}

TEST_F(WindowProcTest, WheelCountsWholeNotchesOnly) {
    wheel(-1.0f);
    EXPECT_EQ(app.wheel_total, -1);
    wheel(0.5f);  // a delta of 60
    EXPECT_EQ(app.wheel_total, -1);
    wheel(3.0f);
    EXPECT_EQ(app.wheel_total, 2);
    wheel(-1.5f);  // -180: rounds toward zero
    EXPECT_EQ(app.wheel_total, 1);
}

TEST_F(WindowProcTest, MinimisingStopsTheShowAndRestoringResumesIt) {
    window_event(SDL_WINDOWEVENT_MINIMIZED);
    EXPECT_FALSE(app.active);
    window_event(SDL_WINDOWEVENT_RESTORED);
    EXPECT_TRUE(app.active);
    window_event(SDL_WINDOWEVENT_FOCUS_LOST);  // another window in front: still running
    EXPECT_TRUE(app.active);
}

TEST_F(WindowProcTest, SizeEventsResizeTheScene) {
    window_event(SDL_WINDOWEVENT_SIZE_CHANGED, 640, 0);
    EXPECT_EQ(resized_width, 640);
    EXPECT_EQ(resized_height, 0);  // resize_gl_scene takes care of the zero height
}

TEST_F(WindowProcTest, QuitEndsTheLoopAndClosingTheWindowPostsIt) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_TRUE(send(quit));

    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    window_event(SDL_WINDOWEVENT_CLOSE);
    SDL_Event posted{};
    ASSERT_EQ(SDL_PollEvent(&posted), 1);
    EXPECT_EQ(posted.type, SDL_QUIT);
    EXPECT_TRUE(send(posted));
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

TEST_F(WindowProcTest, HeldKeysAdjustOncePerOtherEventNotPerKeyWheelOrSizeEvent) {
    key(SDLK_UP, true);
    key(SDLK_q, true);
    wheel(1.0f);
    window_event(SDL_WINDOWEVENT_SIZE_CHANGED, 100, 100);
    window_event(SDL_WINDOWEVENT_MINIMIZED);
    EXPECT_EQ(frame.adjust_b, 0.0) << "keys, wheel, size and activation do not adjust";
    EXPECT_EQ(frame.adjust_a, 0.0);

    mouse_move();
    EXPECT_DOUBLE_EQ(frame.adjust_b, 0.75);  // 1.5 x frame_dt
    EXPECT_DOUBLE_EQ(frame.adjust_a, 0.5);
    mouse_move();
    window_event(SDL_WINDOWEVENT_EXPOSED);  // any other window traffic counts too
    EXPECT_DOUBLE_EQ(frame.adjust_b, 2.25);
    EXPECT_DOUBLE_EQ(frame.adjust_a, 1.5);

    key(SDLK_UP, false);
    key(SDLK_q, false);
    key(SDLK_DOWN, true);
    key(SDLK_a, true);
    mouse_move();
    EXPECT_DOUBLE_EQ(frame.adjust_b, 1.5);
    EXPECT_DOUBLE_EQ(frame.adjust_a, 1.0);
}

TEST_F(WindowProcTest, MiddleClicksCaptureThePointAndCamerasAndAdjustToo) {
    frame.camera_x = 1.5;
    frame.camera_y = -2;
    frame.camera_z = 1234567.0;
    frame.point_x = 0.1;
    frame.point_y = 2.0 / 3.0;
    frame.point_z = -7;
    camera.eye = Vector3(10.0f, 0.25f, -3.0f);
    key(SDLK_UP, true);
    middle_click();
    frame.point_x = 4;
    middle_click();

    ASSERT_EQ(frame.picked_points.size(), 2u);
    EXPECT_EQ(frame.picked_points[0].state, Vector3::ordinary);
    EXPECT_FLOAT_EQ(frame.picked_points[0].x, 0.1f);
    EXPECT_FLOAT_EQ(frame.picked_points[0].y, 2.0f / 3.0f);
    EXPECT_FLOAT_EQ(frame.picked_points[1].x, 4.0f);
    const std::string group =
        "Cam :1.5,-2,1.23457e+06  \n"
        "Pnt :%s,0.666667,-7  \n \n"
        "MCr :10,0.25,-3  \n \n";
    std::string expected = group;
    expected.replace(expected.find("%s"), 2, "0.1");
    std::string second = group;
    second.replace(second.find("%s"), 2, "4");
    EXPECT_EQ(app.capture_text, expected + second);
    EXPECT_DOUBLE_EQ(frame.adjust_b, 1.5) << "a middle click is default traffic as well";

    SDL_Event other_button{};
    other_button.type = SDL_MOUSEBUTTONDOWN;
    other_button.button.button = SDL_BUTTON_LEFT;
    send(other_button);
    EXPECT_EQ(frame.picked_points.size(), 2u);
}

TEST_F(WindowProcTest, WithoutClicksTheCaptureTextStaysEmpty) {
    mouse_move();
    key(SDLK_ESCAPE, true);
    EXPECT_TRUE(app.capture_text.empty());
    EXPECT_TRUE(frame.picked_points.empty());
}
