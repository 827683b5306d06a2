#include "show/music_clock.h"

double music_time(uint32_t position, int rate, double show_time) {
    if (rate <= 0) return show_time;
    return static_cast<double>(position) / rate;
}

double music_correction(double music_time, double show_time) {
    if (show_time > music_lock_end) return 0.0;
    return (music_time - show_time) * static_cast<double>(0.1f);
}
