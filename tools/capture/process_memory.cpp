#include "tools/capture/process_memory.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

long status_field_kb(const char* status_text, const char* name) {
    const size_t length = std::strlen(name);
    for (const char* line = status_text; line && *line;) {
        if (std::strncmp(line, name, length) == 0 && line[length] == ':')
            return std::strtol(line + length + 1, nullptr, 10);
        line = std::strchr(line, '\n');
        if (line) ++line;
    }
    return -1;
}

namespace {

long own_status_field_kb(const char* name) {
    std::ifstream in("/proc/self/status");
    std::ostringstream text;
    text << in.rdbuf();
    return status_field_kb(text.str().c_str(), name);
}

}  // namespace

long resident_kb() { return own_status_field_kb("VmRSS"); }
long peak_resident_kb() { return own_status_field_kb("VmHWM"); }
