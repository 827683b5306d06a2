#include "tools/inspect/commands.h"

#include <cstdio>

// Placeholder until the path loader exists.
int run_path(int, char**) {
    std::printf("error the path command is not built yet\n");
    return 2;
}
