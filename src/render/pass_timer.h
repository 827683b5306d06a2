#pragma once
// Per-pass times of a frame, for capture's --profile. The chain brackets each of its passes with
// a PassScope and the kit marks each content group of a pass; with no timer in the context
// (the show itself) a scope costs one pointer test.
//
// Times come from GL timestamp queries when the GL has them: the boundaries are queued with the
// commands, so nested scopes (a content group inside the main pass) add no waits. Without
// queries every boundary waits for the GL (glFinish) and reads the CPU clock, which slows the
// frame but still divides it correctly.
//
// Names nest with '/': "main", "main/f_material1sea". A name seen twice in a frame (a program
// used by two groups) adds up.
#include <string>
#include <utility>
#include <vector>

class GraphicsContext;

class PassTimer {
public:
    explicit PassTimer(bool use_queries);
    ~PassTimer();
    PassTimer(const PassTimer&) = delete;
    PassTimer& operator=(const PassTimer&) = delete;

    bool uses_queries() const { return use_queries_; }

    void begin_pass(const std::string& name);
    // Ends the innermost open pass (and its open content group).
    void end_pass();
    // Ends the innermost pass's open content group, if any, and opens one named `name` in it.
    // Outside any pass it does nothing: groups are only timed inside a pass.
    void begin_group(const std::string& name);
    // Draw calls and state changes the chain and the kit issued this frame (see the counters
    // in post_processing.cpp and material_binding.cpp).
    void count_draws(int n) { draw_calls_ += n; }
    void count_state_changes(int n) { state_changes_ += n; }

    struct FrameFigures {
        std::vector<std::pair<std::string, double>> pass_ms;  // in order of first appearance
        int draw_calls = 0;
        int state_changes = 0;
    };
    // Closes whatever is still open, waits for the frame's timestamps and starts the next frame.
    FrameFigures end_frame();

private:
    struct Span {
        std::string name;
        int start = -1, end = -1;  // indices into the boundary stamps
        bool group = false;
    };
    int stamp();
    void close(Span& span) { span.end = stamp(); }

    bool use_queries_;
    std::vector<unsigned> queries_;  // a pool of timestamp queries, reused every frame
    std::vector<double> cpu_ms_;     // the boundaries' CPU clock without queries
    int stamps_ = 0;
    std::vector<Span> spans_;
    std::vector<int> open_;  // indices of open spans, innermost last
    int draw_calls_ = 0, state_changes_ = 0;
};

// Brackets a pass when the context holds a timer.
class PassScope {
public:
    PassScope(const GraphicsContext& context, const char* name);
    ~PassScope();
    PassScope(const PassScope&) = delete;
    PassScope& operator=(const PassScope&) = delete;

private:
    PassTimer* timer_;
};
