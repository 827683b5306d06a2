#include "tools/assets/generators.h"

// The scene meshes arrive with the modelling kit.
void add_meshes(Pack&) {}
void add_motions(Pack&) {}
void add_shake_track(Pack&) {}
