#include "tools/inspect/commands.h"

#include <cstdio>

// Placeholder until the bvh loader exists.
int run_bvh(int, char**) {
    std::printf("error the bvh command is not built yet\n");
    return 2;
}
