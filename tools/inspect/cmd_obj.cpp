#include "tools/inspect/commands.h"

#include <cstdio>

// Placeholder until the obj loader exists.
int run_obj(int, char**) {
    std::printf("error the obj command is not built yet\n");
    return 2;
}
