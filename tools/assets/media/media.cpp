#include "tools/assets/generators.h"

// Pictures, cut-outs, the image sequence and the music arrive with the media generators.
void add_pictures(Pack&) {}
void add_cutouts(Pack&) {}
void add_image_sequence(Pack&) {}
void add_music(Pack&) {}
