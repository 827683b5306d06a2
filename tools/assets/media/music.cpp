#include "tools/assets/generators.h"
#include "tools/assets/media/score.h"
#include "tools/assets/media/vorbis_writer.h"

void add_music(Pack& pack) {
    pack.add("music//xo. + lu - mixed tracks (1+2).ogg", "music: synthesised, 44.1 kHz stereo Ogg Vorbis",
             [] { return encode_vorbis(synthesise_music()); });
}
