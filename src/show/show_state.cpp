#include "show/show_state.h"

#include <cstdlib>

#include "show/app_state.h"
#include "show/live_scale.h"

ShowState& show_state() {
    static ShowState state;
    return state;
}

void end_show(int exit_code) {
    AppState& app = app_state();
    if (!app.end_process) std::exit(exit_code);
    app.end_process(exit_code);
}
