#pragma once
// A show scene drawn on the scene fixture's hidden window with its GL calls recorded: frames at
// chosen clock values, read as passes and held against a scene test's table.
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "core/frame_state.h"
#include "show/parts.h"
#include "tests/support/scene_test.h"
#include "tests/wiring/frame_passes.h"
#include "tests/wiring/wiring_check.h"

class WiringTest : public SceneTest {
protected:
    // The fixture's set-up with these pack files; then the table entries start-up filled.
    void set_up_wiring(std::initializer_list<const char*> pack_files);

    // Loads the scene, whose clock starts at `start_clock`.
    void load(parts& scene, double start_clock);

    struct Frame {
        double clock = 0;  // the clock the frame drew with (the scene keeps it in params[0])
        std::vector<RecordedPass> passes;
    };
    // The passes of whatever `draw` does.
    std::vector<RecordedPass> record(const std::function<void()>& draw);
    // One frame, dt seconds of show time on, recorded.
    Frame record_frame(parts& scene, double dt);
    // Frames that are not recorded until the clock is close below `clock`, then one recorded
    // frame that lands on it. `rate` is a little above the clock's seconds per show second, so the
    // frames before never pass the mark.
    Frame record_at(parts& scene, double clock, double rate);

    // The frame against its table; call right after recording it (a specialised copy's folded
    // uniforms are read from the live GL).
    std::vector<Difference> check(const Frame& frame, const std::vector<ExpectedPass>& expected);

    // A scene's table: the passes a frame drawn at this clock value must have.
    using Table = std::function<std::vector<ExpectedPass>(double clock)>;
    // Frames recorded at each clock value (record_at), or after each show-time step
    // (record_frame), each checked against the table at the clock it drew with.
    std::vector<Difference> check_at_clocks(parts& scene, std::initializer_list<double> clocks, double rate,
                                            const Table& table);
    std::vector<Difference> check_after_steps(parts& scene, std::initializer_list<double> steps,
                                              const Table& table);
    std::string describe(const RecordedPass& pass);
    // How many times the frame's resolves wrote the texture in `slot`: its depth, or a colour.
    int writes_to(const Frame& frame, int slot, bool depth);

    FrameState shared_;
    double clock_ = 0;

private:
    void draw(parts& scene, double dt);
    std::unique_ptr<GlNames> names_;
    std::unique_ptr<ShaderFiles> shader_files_;
};
