#pragma once
// The generators of the asset pack, in the order brinefall-assets runs them.
#include "tools/assets/pack.h"

#include <filesystem>

// meshes/: OBJ meshes (plain and alternate form), motion clips, the camera-shake track.
void add_meshes(Pack& pack);
void add_motions(Pack& pack);
void add_shake_track(Pack& pack);

// media/: JPEG pictures, PNG cut-outs, the image sequence, the music.
void add_pictures(Pack& pack);
void add_cutouts(Pack& pack);
void add_image_sequence(Pack& pack);
void add_music(Pack& pack);

// Copies every shader source under `from` (except the shared lib/ folder) into the pack,
// expanding #include "name" lines from from/lib. Returns false on a missing include.
bool add_shaders(Pack& pack, const std::filesystem::path& from);
