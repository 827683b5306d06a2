#pragma once
// What the four show scenes share around their State, the record their advance moves and their
// render reads (a clock, the frame's copy of the shared FrameState, whatever the scene integrates
// frame by frame): the state the show starts from and rewinding to it, and the shader programs
// that author mode reloads.
//
//   class part_harbour : public StatefulScene<harbour::State> { ... };
//   load() ends with start_state(...); advance() moves state_; render() reads it.
#include "render/shader_library.h"
#include "show/parts.h"

template <class State>
class StatefulScene : public parts {
public:
    void rewind() override { state_ = loaded_state_; }
    ShaderLibrary* shader_library() override { return &shaders_; }
    const State& state() const { return state_; }

protected:
    ~StatefulScene() = default;
    // The last step of load: the state the show starts from, and rewinds to.
    void start_state(const State& state) { state_ = loaded_state_ = state; }

    ShaderLibrary shaders_;
    State state_;

private:
    State loaded_state_;
};
