#include "platform/steady_clock.h"

#include <chrono>

double steady_seconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}
