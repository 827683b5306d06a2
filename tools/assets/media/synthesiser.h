#pragma once
// A small offline synthesiser: note events rendered by instrument voices (oscillators,
// envelopes, state-variable filters, noise) into stereo buses, then a ping-pong delay, a
// reverb and the master stage. Everything is computed in order from fixed seeds, so the same
// notes give the same samples.
#include <cstddef>
#include <span>
#include <vector>

inline constexpr int sample_rate = 44100;

struct StereoBuffer {
    std::vector<float> left, right;
    explicit StereoBuffer(size_t frames = 0) : left(frames, 0.0f), right(frames, 0.0f) {}
    size_t frames() const { return left.size(); }
    void add(const StereoBuffer& other, float gain);
};

enum class Instrument {
    kick,
    snare,
    clap,
    closed_hat,
    open_hat,
    crash,  // drums
    bass,
    sub,
    pad,
    pluck,
    bell,
    marimba,
    lead,  // pitched
    swell,
    riser,  // noise textures
    hit,
    stab,  // accents: sharp onsets for the cues
};

struct Note {
    double start;   // seconds
    double length;  // seconds the key is held; voices ring on after it as their release allows
    Instrument instrument;
    double pitch = 57;  // MIDI note number (ignored by unpitched voices)
    double velocity = 1;
    double pan = 0;  // −1 left … 1 right
    double delay_send = 0;
    double reverb_send = 0.1;
};

// What the voices write into: the dry mix and the (mono) sends of the two effects.
struct Buses {
    explicit Buses(size_t frames) : dry(frames), delay_send(frames, 0.0f), reverb_send(frames, 0.0f) {}
    StereoBuffer dry;
    std::vector<float> delay_send, reverb_send;
};

// Renders the notes into buses of `frames` frames, on at most two threads. Every voice except
// the accents is scaled by `ducking` (one gain per frame), which clears room for the accents.
Buses render_notes(std::span<const Note> notes, size_t frames, const std::vector<float>& ducking);

// Ping-pong echo of the send: `delay` seconds per bounce, darkened on every pass.
StereoBuffer ping_pong_delay(const std::vector<float>& send, double delay, double feedback);

// A stereo reverb of comb and all-pass filters (a large, soft hall).
StereoBuffer reverb(const std::vector<float>& send, double room, double damping);

// Gain curve that dips the music just before each accent and lets it swell back, so every
// accent arrives as a clear onset.
std::vector<float> ducking_curve(std::span<const double> accents, size_t frames, double depth);

// Master stage: scales the mix so its loud passages sit near full scale and rounds off the few
// peaks above that with a soft knee. Returns the gain applied.
double master(StereoBuffer& mix);
