#include "tools/inspect/commands.h"

#include <cstdio>

// Placeholder until the jpeg loader exists.
int run_jpeg(int, char**) {
    std::printf("error the jpeg command is not built yet\n");
    return 2;
}
