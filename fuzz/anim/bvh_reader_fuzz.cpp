// A motion clip file of arbitrary text, loaded the way the show loads it (the skeleton figure
// reads the file by name and the clip reader parses it, with its log lines), then played: the
// figure is posed at the frames a scene's clock gives it, among them the last four bytes of the
// input read as a frame number (any float: negative, huge, not a number), and advanced through a
// loop. No crash and no read outside the clip, whatever the text.
// Run: bvh_reader_fuzz -close_fd_mask=1 fuzz/anim/bvh_corpus
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "anim/body.h"
#include "fuzz/support/memory_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static MemoryFile file("clip.bvh");
    body figure(file.hold(data, size));
    float from_input = 0.0f;
    if (size >= sizeof from_input) std::memcpy(&from_input, data + size - sizeof from_input, sizeof from_input);
    float sum = 0.0f;
    for (float frame : {1.0f, 1.5f, 0.0f, -3.25f, 1e9f, from_input}) {
        figure.frame = frame;
        for (const BodyPart& part : figure.pose()) sum += part.transform[12];
    }
    figure.frame = 1.0f;
    for (int step = 0; step < 8; ++step) {
        figure.advance();
        for (const BodyPart& part : figure.pose()) sum += part.transform[13];
    }
    volatile float sink = sum;
    (void)sink;
    return 0;
}
