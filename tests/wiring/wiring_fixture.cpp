#include "tests/wiring/wiring_fixture.h"

#include <cstdio>
#include <cstdlib>

#include "tests/wiring/gl_recorder.h"

void WiringTest::set_up_wiring(std::initializer_list<const char*> pack_files) {
    set_up_scene(pack_files);
    if (IsSkipped() || HasFatalFailure()) return;
    names_ = std::make_unique<GlNames>(context_);
    shader_files_ = std::make_unique<ShaderFiles>(BRINEFALL_SHOW_DIR);
    shared_.mode = 1;
    shared_.spectrum[5] = 0.37f;  // a value the composes must hand on, told apart from the default 0
}

void WiringTest::load(parts& scene, double start_clock) {
    scene.load(&context_);
    clock_ = start_clock;
}

void WiringTest::draw(parts& scene, double dt) {
    scene.draw(&dt, &context_, &shared_);
    clock_ = shared_.params[0];
}

std::vector<RecordedPass> WiringTest::record(const std::function<void()>& draw) {
    start_gl_recording();
    draw();
    return group_passes(stop_gl_recording());
}

WiringTest::Frame WiringTest::record_frame(parts& scene, double dt) {
    Frame frame;
    frame.passes = record([&] { draw(scene, dt); });
    frame.clock = clock_;
    return frame;
}

WiringTest::Frame WiringTest::record_at(parts& scene, double clock, double rate) {
    constexpr double close_below = 0.05;
    for (int i = 0; i < 16 && clock - clock_ > close_below; ++i) {
        const double before = clock_, dt = (clock - clock_ - close_below / 2) / rate;
        draw(scene, dt);
        if (clock_ > before) rate = (clock_ - before) / dt;
    }
    return record_frame(scene, std::max(clock - clock_, 0.0) / rate);
}

std::vector<Difference> WiringTest::check(const Frame& frame, const std::vector<ExpectedPass>& expected) {
    WiringCheck check(context_, *names_, *shader_files_);
    // WIRING_PASSES=1 prints each frame's passes as recorded, for writing a table.
    if (std::getenv("WIRING_PASSES")) {
        std::printf("clock %.3f\n", frame.clock);
        for (const RecordedPass& pass : frame.passes) std::printf("  %s\n", check.describe(pass).c_str());
    }
    return check.compare(frame.clock, frame.passes, expected);
}

int WiringTest::writes_to(const Frame& frame, int slot, bool depth) {
    int count = 0;
    for (const RecordedPass& pass : frame.passes)
        for (const WrittenTexture& written : pass.writes)
            count += written.depth == depth && written.texture == context_.texture_name(slot);
    return count;
}

std::string WiringTest::describe(const RecordedPass& pass) {
    return WiringCheck(context_, *names_, *shader_files_).describe(pass);
}

std::vector<Difference> WiringTest::check_at_clocks(parts& scene, std::initializer_list<double> clocks,
                                                    double rate, const Table& table) {
    std::vector<Difference> found;
    for (double clock : clocks) {
        const Frame frame = record_at(scene, clock, rate);
        const std::vector<Difference> differences = check(frame, table(frame.clock));
        found.insert(found.end(), differences.begin(), differences.end());
    }
    return found;
}

std::vector<Difference> WiringTest::check_after_steps(parts& scene, std::initializer_list<double> steps,
                                                      const Table& table) {
    std::vector<Difference> found;
    for (double dt : steps) {
        const Frame frame = record_frame(scene, dt);
        const std::vector<Difference> differences = check(frame, table(frame.clock));
        found.insert(found.end(), differences.begin(), differences.end());
    }
    return found;
}
