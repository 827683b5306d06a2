#pragma once
// A pass whose picture is read back only where a flat piece of the world shows (the mirrored
// pass, read by the surface that mirrors it) scissored to the pixels that piece covers.
//
//   std::optional<QuadScissor> to_board;
//   if (pass == LitPass::mirrored) to_board.emplace(board_top, width, height, 2);
//
// The pixels come from covered_pixels (screen_area.h) with the GL's current modelview and
// projection, and stay inside the scissor the frame already has (the warm-up draws frames into
// one pixel). The scissor before is back when the object goes.
#include <array>

#include "core/vector3.h"

class QuadScissor {
public:
    // `quad`: world corners in order; width × height: the area drawn; `margin`: pixels added on
    // every side for what reads the picture a little beside the quad's own pixels.
    QuadScissor(const std::array<Vector3, 4>& quad, int width, int height, int margin);
    ~QuadScissor();
    QuadScissor(const QuadScissor&) = delete;
    QuadScissor& operator=(const QuadScissor&) = delete;

private:
    std::array<int, 4> kept_{};  // x, y, width, height
    bool kept_on_ = false;
};
