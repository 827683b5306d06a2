#include "tools/assets/media/score.h"

#include "tools/assets/media/procedural_noise.h"

#include <array>
#include <cmath>

namespace {

// Time of a bar (and 16th step within it) on the grid; bar 0 starts at the first cue.
double bar_time(double bar, double step = 0) { return grid_origin + (bar * 4 + step / 4) * beat_seconds; }
constexpr double kStep = beat_seconds / 4;

struct Chord {
    int root;                  // bass note
    std::array<int, 4> tones;  // pad voicing
};

constexpr Chord am{45, {57, 60, 64, 71}};
constexpr Chord kF{41, {53, 57, 60, 64}};
constexpr Chord kC{48, {55, 60, 62, 64}};
constexpr Chord kG{43, {55, 59, 62, 69}};
constexpr Chord dm{38, {53, 57, 60, 62}};
constexpr Chord kEm{40, {55, 59, 64, 67}};
constexpr Chord kE{40, {56, 59, 64, 68}};

using Progression = std::array<Chord, 4>;
constexpr Progression kMain = {am, kF, kC, kG};
constexpr Progression kPaper = {kF, kG, kEm, am};
constexpr Progression kNight = {dm, am, kF, kE};

// A harmonic frame: a progression starting at `origin` with `bars_per_chord` bars per chord.
struct Harmony {
    Progression chords;
    double origin;
    int bars_per_chord = 2;
    const Chord& at(double bar) const {
        const long index = static_cast<long>(std::floor((bar - origin) / bars_per_chord));
        return chords[static_cast<size_t>(((index % 4) + 4) % 4)];
    }
};

// Small, repeatable variation of loudness so repeated notes do not sound stamped.
double humanise(double time, int salt) {
    return 0.9 + 0.2 * lattice_hash(static_cast<int>(time * 1000), salt, 7, 555);
}

class Composer {
public:
    std::vector<Note> notes;

    void add(const Note& n) { notes.push_back(n); }

    // Four-to-the-floor kit (or half time): kick, clap, 16th closed hats and offbeat open hats.
    struct Kit {
        bool kick = true, clap = true, hats = true, open_hats = true, half_time = false;
        double level = 1;
    };
    void drums(double from, double to, const Kit& kit) {
        for (double b = from; b < to; b += 1) {
            // A snare fill closes every eighth bar of a phrase with a clap.
            const bool fill = kit.clap && static_cast<int>(b - from) % 8 == 7 && b + 1 <= to;
            for (int s = 0; s < 16; ++s) {
                const double t = bar_time(b, s);
                if (fill && s >= 12)
                    add({t, 0.05, Instrument::snare, 0, kit.level * (0.35 + 0.12 * (s - 12)),
                         0.1 * (s - 13.5), 0, 0.2});
                if (kit.kick) {
                    const bool hit = kit.half_time ? (s == 0 || s == 10) : s % 4 == 0;
                    if (hit) add({t, 0.1, Instrument::kick, 0, 0.95 * kit.level, 0, 0, 0.04});
                }
                if (kit.clap) {
                    const bool hit = kit.half_time ? s == 8 : (s == 4 || s == 12);
                    if (hit) {
                        add({t, 0.1, Instrument::clap, 0, 0.55 * kit.level, 0.05, 0.1, 0.25});
                        add({t, 0.1, Instrument::snare, 0, 0.45 * kit.level, -0.05, 0, 0.15});
                    }
                }
                if (kit.hats && s % 2 == 0) {
                    const double accent = s % 4 == 2 ? 1.0 : 0.6;
                    add({t, 0.05, Instrument::closed_hat, 0, 0.32 * accent * humanise(t, 1) * kit.level, 0.3,
                         0, 0.05});
                } else if (kit.hats && !kit.half_time) {
                    add({t, 0.05, Instrument::closed_hat, 0, 0.16 * humanise(t, 2) * kit.level, 0.35, 0,
                         0.03});
                }
                if (kit.open_hats && s % 4 == 2 && !kit.half_time)
                    add({t, 0.1, Instrument::open_hat, 0, 0.22 * kit.level, -0.3, 0.05, 0.08});
            }
        }
    }

    // Bass in driving 8ths on the chord's root.
    void bass(double from, double to, const Harmony& h, double level, bool half_time = false) {
        for (double b = from; b < to; b += 1) {
            const Chord& c = h.at(b);
            for (int s = 0; s < 16; s += 2) {
                if (half_time && s % 4 != 0 && s != 14) continue;
                const double t = bar_time(b, s);
                // Octave jumps on the offbeats, and the fifth to lead into the next bar.
                const int pitch = c.root + (s == 14 ? 7 : s % 8 == 6 ? 12 : 0);
                add({t, kStep * 1.6, Instrument::bass, static_cast<double>(pitch),
                     level * (s % 4 == 2 ? 1.0 : 0.85), 0, 0, 0.02});
            }
        }
    }

    void pads(double from, double to, const Harmony& h, double level, double cut_at = 1e9) {
        for (double b = from; b < to; b += h.bars_per_chord) {
            const Chord& c = h.at(b);
            const double t = std::max(0.0, bar_time(b));
            const double end = std::min(bar_time(std::min(b + h.bars_per_chord, to)), cut_at);
            if (end <= t) continue;
            for (size_t i = 0; i < c.tones.size(); ++i)
                add({t, end - t, Instrument::pad, static_cast<double>(c.tones[i]), level, i % 2 ? 0.5 : -0.5,
                     0.0, 0.45});
        }
    }

    // Arpeggios over the chord tones, `per_bar` notes a bar, up `octaves` octaves.
    void arpeggio(double from, double to, const Harmony& h, Instrument instrument, int per_bar, int shift,
                  double level, double delay = 0.35) {
        static constexpr int kPattern[] = {0, 1, 2, 3, 4, 3, 2, 1, 0, 2, 1, 3, 2, 4, 3, 1};
        for (double b = from; b < to; b += 1) {
            const Chord& c = h.at(b);
            for (int k = 0; k < per_bar; ++k) {
                const double t = bar_time(b, 16.0 * k / per_bar);
                const int idx = kPattern[k % 16];
                const int pitch = (idx == 4 ? c.tones[0] + 12 : c.tones[static_cast<size_t>(idx)]) + shift;
                add({t, kStep, instrument, static_cast<double>(pitch), level * humanise(t, 3),
                     (k % 2 ? 0.45 : -0.45), delay, 0.3});
            }
        }
    }

    // The lead tune: eight bars over one pass of the main progression.
    void melody(double from, double to, double origin, double level, int shift = 0) {
        struct Tone {
            int bar, step, pitch, steps;
        };
        static constexpr Tone kTune[] = {
            {0, 0, 69, 6},  {0, 6, 72, 2},  {0, 8, 76, 4},  {0, 12, 74, 2}, {0, 14, 72, 2}, {1, 0, 71, 4},
            {1, 4, 69, 4},  {1, 8, 64, 8},  {2, 0, 65, 6},  {2, 6, 69, 2},  {2, 8, 72, 4},  {2, 12, 74, 2},
            {2, 14, 72, 2}, {3, 0, 69, 8},  {3, 8, 72, 4},  {3, 12, 76, 4}, {4, 0, 79, 6},  {4, 6, 76, 2},
            {4, 8, 72, 4},  {4, 12, 74, 4}, {5, 0, 76, 8},  {5, 8, 72, 4},  {5, 12, 67, 4}, {6, 0, 71, 6},
            {6, 6, 74, 2},  {6, 8, 79, 4},  {6, 12, 76, 2}, {6, 14, 74, 2}, {7, 0, 71, 4},  {7, 4, 72, 4},
            {7, 8, 69, 8},
        };
        // The answer: the same chords, the line climbing where the first one fell.
        static constexpr Tone kAnswer[] = {
            {0, 0, 76, 4},  {0, 4, 74, 2},  {0, 6, 72, 2},  {0, 8, 71, 4}, {0, 12, 72, 4}, {1, 0, 69, 12},
            {1, 12, 64, 4}, {2, 0, 65, 4},  {2, 4, 69, 4},  {2, 8, 72, 4}, {2, 12, 77, 4}, {3, 0, 76, 8},
            {3, 8, 74, 4},  {3, 12, 72, 4}, {4, 0, 72, 4},  {4, 4, 74, 4}, {4, 8, 76, 4},  {4, 12, 79, 4},
            {5, 0, 81, 8},  {5, 8, 79, 4},  {5, 12, 76, 4}, {6, 0, 74, 6}, {6, 6, 76, 2},  {6, 8, 79, 4},
            {6, 12, 74, 4}, {7, 0, 76, 16},
        };
        int pass = 0;
        for (double loop = origin; loop < to; loop += 8, ++pass) {
            const auto play = [&](const Tone& tone) {
                const double b = loop + tone.bar;
                if (b < from || b >= to) return;
                add({bar_time(b, tone.step), tone.steps * kStep * 0.9, Instrument::lead,
                     static_cast<double>(tone.pitch + shift), level, 0.1, 0.4, 0.35});
            };
            // Call and answer alternate, pass by pass.
            const bool answer = pass % 2 == 1;
            if (answer)
                for (const Tone& tone : kAnswer) play(tone);
            else
                for (const Tone& tone : kTune) play(tone);
        }
    }

    void crash(double t, double level = 0.8) { add({t, 0.1, Instrument::crash, 0, level, 0.2, 0, 0.3}); }

    // A snare roll that speeds up and swells into `to`.
    void roll(double from_bar, double to_bar, double level) {
        for (double b = from_bar; b < to_bar; b += 1)
            for (int s = 0; s < 16; ++s) {
                const double t = bar_time(b, s);
                const double x = (b - from_bar + s / 16.0) / (to_bar - from_bar);
                add({t, 0.05, Instrument::snare, 0, level * (0.25 + 0.75 * x), 0, 0, 0.2});
                // Doubled in the last quarter, except for the final 16th, which leaves a breath
                // before the downbeat.
                if (x > 0.75 && b * 16 + s + 1 < to_bar * 16)
                    add({t + kStep / 2, 0.05, Instrument::snare, 0, level * 0.8 * x, 0, 0, 0.2});
            }
    }

    void riser(double from, double to, double level) {
        add({from, to - from, Instrument::riser, 0, level, 0, 0.2, 0.4});
    }
};

// The chord sounding at a time, for pitching the accents.
Chord chord_at_time(double t) {
    const double bar = (t - grid_origin) / (4 * beat_seconds);
    const Harmony main{kMain, 0}, paper{kPaper, 122}, night{kNight, 164}, finale{kMain, 189};
    if (t < 289) return main.at(bar);
    if (t < 361) return paper.at(bar);
    if (t < bar_time(189)) return night.at(bar);
    return finale.at(bar);
}

}  // namespace

std::vector<Note> compose_score() {
    Composer c;
    using Kit = Composer::Kit;
    const Harmony intro{kMain, -46, 4};
    const Harmony toys{kMain, 0};
    const Harmony paper{kPaper, 122};
    const Harmony night{kNight, 164};
    const Harmony finale{kMain, 189};

    // The sea (0 – 76.8 s): everything in the opening stops where the toys take over.
    const double opening_end = 76.8;
    for (double t = 0; t < 72; t += 3 * 4 * beat_seconds)
        c.add({t, 7.0, Instrument::swell, 0, 0.55 + 0.25 * std::sin(t * 0.1), std::sin(t) * 0.5, 0, 0.3});
    c.pads(-46, -1, intro, 0.8, opening_end);
    c.arpeggio(-35, -2, Harmony{kMain, -46, 4}, Instrument::bell, 4, 12, 0.45, 0.5);
    for (double b = -24; b < -2; b += 0.5)
        c.add({bar_time(b), 2 * beat_seconds * 0.95, Instrument::sub,
               static_cast<double>(intro.at(b).root + 12), 0.55, 0, 0, 0});
    for (double b = -13; b < -2; b += 1) {
        c.add({bar_time(b), 0.1, Instrument::kick, 0, 0.55, 0, 0, 0.1});
        c.add({bar_time(b, 8), 0.1, Instrument::kick, 0, 0.5, 0, 0, 0.1});
    }
    c.drums(-7, -2, Kit{false, false, true, false, false, 0.6});
    c.add({opening_end, 0.1, Instrument::crash, 0, 0.4, -0.3, 0.3, 0.6});
    c.riser(opening_end, grid_origin, 0.9);
    c.roll(-2, 0, 0.55);
    c.add({opening_end, grid_origin - opening_end, Instrument::sub, 33 + 12, 0.5, 0, 0, 0});

    // The toys (80 – 289 s).
    c.drums(0, 10, Kit{});
    c.bass(0, 10, toys, 0.8);
    c.pads(0, 10, toys, 0.7);
    c.drums(11, 45, Kit{});
    c.bass(11, 45, toys, 0.85);
    c.pads(10, 45, toys, 0.6);
    c.arpeggio(11, 45, toys, Instrument::pluck, 16, 12, 0.5);
    c.melody(29, 45, 0, 0.75);
    for (double b = 0; b < 45; b += 8) c.crash(bar_time(b));
    // Breakdown and build.
    c.pads(45, 57, toys, 0.9);
    c.arpeggio(45, 57, toys, Instrument::pluck, 8, 12, 0.45, 0.5);
    c.arpeggio(49, 57, toys, Instrument::bell, 4, 24, 0.3, 0.5);
    c.drums(49, 57, Kit{false, false, true, false, false, 0.5});
    c.drums(57, 61, Kit{true, false, true, true, false, 0.8});
    c.roll(59, 61, 0.6);
    c.riser(bar_time(57), bar_time(61), 0.8);
    c.bass(57, 61, toys, 0.6, true);
    c.pads(57, 61, toys, 0.6);
    // Full groove up to the second title card, which stops everything but the pads for a while.
    const double card_bar = (204.4 - grid_origin) / (4 * beat_seconds);
    c.drums(61, card_bar, Kit{});
    c.bass(61, card_bar, toys, 0.85);
    c.pads(61, 72, toys, 0.6);
    c.arpeggio(61, card_bar, toys, Instrument::pluck, 16, 12, 0.45);
    c.melody(61, card_bar, 0, 0.8);
    c.crash(bar_time(61));
    c.pads(72, 75, toys, 0.8);
    c.arpeggio(73, 75, toys, Instrument::bell, 4, 24, 0.3, 0.5);
    c.drums(75, 88, Kit{});
    c.bass(75, 88, toys, 0.85);
    c.pads(75, 88, toys, 0.6);
    c.arpeggio(75, 88, toys, Instrument::pluck, 16, 12, 0.5);
    c.crash(bar_time(75));
    c.drums(88, 108, Kit{});
    c.bass(88, 108, toys, 0.85);
    c.pads(88, 108, toys, 0.6);
    c.arpeggio(88, 108, toys, Instrument::pluck, 16, 24, 0.35);
    c.melody(88, 104, 0, 0.8);
    c.crash(bar_time(88));
    c.crash(bar_time(96));
    c.riser(bar_time(104), 266.1, 0.8);
    c.roll(106, 108, 0.5);
    // The stuttering break (266 – 283 s): a drone under the stabs.
    const double break_end = 283.1;
    for (int tone : {45, 57, 64})
        c.add({266.1, break_end - 266.1, Instrument::pad, static_cast<double>(tone), 0.7,
               tone == 64 ? 0.5 : -0.3, 0, 0.5});
    c.add({266.1, break_end - 266.1, Instrument::sub, 45, 0.5, 0, 0, 0});
    c.drums(117, 122, Kit{true, false, true, false, false, 0.7});
    c.bass(118, 122, toys, 0.6, true);
    c.riser(bar_time(119), bar_time(122), 0.7);

    // The paper world (289 – 361 s).
    c.pads(122, 164, paper, 0.6, 361);
    c.arpeggio(122, 130, paper, Instrument::marimba, 8, 12, 0.6, 0.45);
    c.arpeggio(130, 162, paper, Instrument::marimba, 16, 12, 0.55, 0.4);
    const double paper_card = (342.7 - grid_origin) / (4 * beat_seconds);
    c.drums(130, paper_card, Kit{true, true, true, false, true, 0.85});
    c.bass(130, paper_card, paper, 0.7, true);
    c.arpeggio(138, paper_card, paper, Instrument::bell, 4, 12, 0.3, 0.5);
    c.drums(155, 162, Kit{true, true, true, false, true, 0.8});
    c.bass(155, 162, paper, 0.7, true);
    c.riser(bar_time(162), 361, 0.6);

    // The night (361 s to the end).
    c.pads(164, 189, night, 0.75);
    c.arpeggio(164, 189, night, Instrument::bell, 8, 12, 0.35, 0.5);
    c.drums(170, 189, Kit{true, false, true, false, false, 0.75});
    c.drums(181, 189, Kit{false, true, false, true, false, 0.7});
    c.bass(170, 189, night, 0.75);
    c.arpeggio(181, 189, night, Instrument::pluck, 16, 12, 0.35);
    const double credits = (452.0 - grid_origin) / (4 * beat_seconds);
    c.drums(189, credits, Kit{});
    c.bass(189, credits, finale, 0.85);
    c.pads(189, 238, finale, 0.65);
    c.arpeggio(189, credits, finale, Instrument::pluck, 16, 12, 0.45);
    c.melody(197, credits, 189, 0.8);
    for (double b = 189; b < credits; b += 8) c.crash(bar_time(b));
    c.drums(218, 238, Kit{true, false, true, true, false, 0.7});
    c.bass(218, 238, finale, 0.7);
    c.melody(221, 237, 189, 0.55, -12);
    c.arpeggio(218, 246, finale, Instrument::bell, 8, 12, 0.3, 0.5);
    c.pads(238, 246, finale, 0.7);
    for (int tone : am.tones)
        c.add({bar_time(246), 506.5 - bar_time(246), Instrument::pad, static_cast<double>(tone), 0.8, 0, 0,
               0.6});
    c.add({bar_time(246), 506.5 - bar_time(246), Instrument::sub, 45, 0.4, 0, 0, 0});
    c.add({bar_time(246), 0.1, Instrument::bell, 81, 0.4, 0.3, 0.5, 0.6});

    // The accents, pitched to the chord under them.
    int stab = 0;
    for (const Accent& a : kAccents) {
        const Chord chord = chord_at_time(a.time);
        if (a.full_hit) {
            c.add({a.time, 0.1, Instrument::hit, 0, 1.0, 0, 0.15, 0.4});
        } else {
            static constexpr int kRise[] = {0, 3, 7, 5, 10};
            c.add({a.time, 0.1, Instrument::stab, static_cast<double>(chord.root + 12 + kRise[stab++ % 5]),
                   0.9, (stab % 2 ? 0.25 : -0.25), 0.25, 0.35});
        }
    }
    return c.notes;
}

StereoBuffer synthesise_music() {
    const size_t frames = static_cast<size_t>(music_seconds * sample_rate);
    std::vector<double> accent_times;
    for (const Accent& a : kAccents) accent_times.push_back(a.time);
    const std::vector<float> ducking = ducking_curve(accent_times, frames, 0.72);

    const std::vector<Note> notes = compose_score();
    Buses buses = render_notes(notes, frames, ducking);
    StereoBuffer mix = std::move(buses.dry);
    mix.add(ping_pong_delay(buses.delay_send, 3 * beat_seconds / 4, 0.42), 0.55f);
    mix.add(reverb(buses.reverb_send, 0.86, 0.35), 1.0f);
    master(mix);
    return mix;
}
