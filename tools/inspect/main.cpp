// brinefall-tool COMMAND ARGS...: checks a data file with the show's own loaders and prints what
// they made of it as one JSON line (the last line of standard output). Errors go to stderr.
#include <cstdio>
#include <cstring>

#include "tools/inspect/commands.h"

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

void print_usage(std::FILE* to) {
    std::fprintf(to, "usage: brinefall-tool COMMAND ARGS...\n");
    for (const Command& c : kCommands) std::fprintf(to, "  brinefall-tool %s\n", c.usage);
    std::fprintf(to, "  brinefall-tool --help | --version\n");
}

}  // namespace

int report_error(const std::string& message) {
    std::fflush(stdout);  // the loader's own lines come first
    std::fprintf(stderr, "error: %s\n", message.c_str());
    return 2;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        print_usage(stderr);
        return 2;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        print_usage(stdout);
        return 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("brinefall-tool %s\n", BRINEFALL_VERSION);
        return 0;
    }
    for (const Command& c : kCommands)
        if (std::strcmp(argv[1], c.name) == 0) return c.run(argc - 2, argv + 2);
    report_error(std::string("unknown command \"") + argv[1] + "\" (brinefall-tool --help lists them)");
    print_usage(stderr);
    return 2;
}
