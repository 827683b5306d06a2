// brinefall-tool bvh FILE: what the show's motion-clip loader makes of a BVH file. The loader's
// own lines come first; the last line is the JSON summary: listed joints and their names, the
// frame count (root frames, N + 1), frame time, motion values consumed, and the root's frame-1
// matrix (column-major) when there is a frame 1. A file that is not text (an image, binary data)
// is refused before the loader sees it.
#include <cstdio>
#include <string>
#include <vector>

#include "anim/motion_clip.h"
#include "core/file_io.h"
#include "tools/inspect/commands.h"
#include "tools/inspect/input_checks.h"
#include "tools/inspect/json.h"

int run_bvh(int argc, char** argv) {
    if (argc != 1) return report_error("usage: bvh FILE");
    const std::string file = argv[0];
    if (const auto bytes = read_file(file)) {
        const std::string kind = non_text_kind(*bytes);
        if (!kind.empty()) return report_error(file + " is " + kind + ", not a BVH motion file");
    }
    try {
        const MotionClip clip(file);
        std::vector<std::string> names;
        for (const Joint* joint : clip.joints) names.push_back(joint->name);
        JsonLine line;
        line.field("joints", static_cast<long long>(clip.joints.size()))
            .field("names", names)
            .field("frame_count", static_cast<long long>(clip.frame_count))
            .field("frame_time", clip.frame_time)
            .field("values", static_cast<long long>(clip.value_count));
        if (clip.root && clip.root->frames.size() > 1)
            line.field("root_frame1", std::span<const float>(clip.root->frames[1]));
        line.print();
        return 0;
    } catch (const fileNotFound&) {
        return report_error("cannot read " + file);
    }
}
