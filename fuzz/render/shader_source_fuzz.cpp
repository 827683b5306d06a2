// A shader source read from the show directory the way every program slot reads it
// (ShaderLibrary::read_source): whatever the bytes (NULs, no final newline, nothing at all), the
// buffer holds exactly the file followed by one terminating zero. Compiling is the GL's business.
// Run: shader_source_fuzz fuzz/render/shader_corpus
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fuzz/support/memory_file.h"
#include "render/shader_library.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static MemoryFile file("source.glsl");
    const auto text = ShaderLibrary::read_source(file.hold(data, size));
    if (!text || std::memcmp(text.get(), data, size) != 0 || text[size] != '\0') std::abort();
    return 0;
}
