#include "tools/assets/generators.h"
void add_music(Pack&) {}
