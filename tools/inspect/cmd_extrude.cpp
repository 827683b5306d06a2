#include "tools/inspect/commands.h"

#include <cstdio>

// Placeholder until the extrude loader exists.
int run_extrude(int, char**) {
    std::printf("error the extrude command is not built yet\n");
    return 2;
}
