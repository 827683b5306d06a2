// brinefall-tool COMMAND ARGS...: checks a data file with the show's own loaders and prints what
// they made of it as one JSON line (the last line of standard output).
#include "tools/inspect/commands.h"

#include <cstdio>
#include <cstring>

namespace {

struct Command {
    const char* name;
    int (*run)(int, char**);
    const char* usage;
};

constexpr Command kCommands[] = {
    {"jpeg", run_jpeg, "jpeg IN.jpg OUT.pnm | jpeg --bench N IN.jpg"},
    {"obj", run_obj, "obj [--alternate] FILE | obj --bench N FILE"},
    {"bvh", run_bvh, "bvh FILE"},
    {"path", run_path, "path FILE [--index T OFFSET]"},
    {"extrude", run_extrude, "extrude FILE.png"},
};

int usage() {
    std::fprintf(stderr, "usage: brinefall-tool COMMAND ARGS...\n");
    for (const Command& c : kCommands) std::fprintf(stderr, "  brinefall-tool %s\n", c.usage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    for (const Command& c : kCommands)
        if (std::strcmp(argv[1], c.name) == 0) return c.run(argc - 2, argv + 2);
    return usage();
}
