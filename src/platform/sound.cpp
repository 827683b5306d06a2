#include "platform/sound.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/steady_clock.h"

bool SoundOutput::load_music(const std::string& path) { return load_ogg_vorbis_file(path, track_); }

void SoundOutput::set_volume(int channel, int volume) {
    // Only channel 1 carries sound, so setting every channel is setting channel 1.
    if (channel == music_channel || channel == all_channels) volume_ = std::clamp(volume, 0, max_volume);
}

int SoundOutput::rate() const { return track_.rate > 0 ? track_.rate : mix_rate_; }

const float* SoundOutput::spectrum() {
    analyser_.analyse_track(track_, frames_played(), static_cast<float>(volume_) / max_volume, bands_);
    return bands_;
}

namespace {

void announce_silence() {
    std::printf("No audio device (%s): the music plays silently, in time.\n", SDL_GetError());
}

}  // namespace

LiveSound::~LiveSound() { close(); }

bool LiveSound::initialise(int mix_rate, int channels) {
    if (mix_rate <= 0 || channels < 1) return false;
    mix_rate_ = mix_rate;
    channel_count_ = channels;
    if (!audio_started_) audio_started_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!audio_started_ || !open_device(mix_rate, 2)) announce_silence();
    return true;
}

bool LiveSound::open_device(int rate, int channels) {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    SDL_AudioSpec wanted{};
    wanted.freq = rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = static_cast<Uint8>(channels);
    wanted.samples = 1024;
    wanted.callback = fill_audio;
    wanted.userdata = this;
    // No changes allowed: SDL converts to whatever the device wants, so the callback always
    // writes the track's own layout.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    return device_ != 0;
}

void LiveSound::play_music() {
    // The device opened at initialise is paused until now; a track of another layout reopens it.
    if (device_ != 0 && !(track_.rate == mix_rate_ && track_.channels == 2) &&
        !open_device(track_.rate, track_.channels))
        announce_silence();
    if (device_ != 0) {
        SDL_LockAudioDevice(device_);
        device_frames_ = 0;
        playing_ = true;
        SDL_UnlockAudioDevice(device_);
        SDL_PauseAudioDevice(device_, 0);
    } else {
        silent_start_ = steady_seconds();
        playing_ = true;
    }
}

void LiveSound::fill_audio(void* self, uint8_t* stream, int length) {
    auto* sound = static_cast<LiveSound*>(self);
    const MusicTrack& track = sound->track_;
    auto* out = reinterpret_cast<int16_t*>(stream);
    SDL_memset(stream, 0, length);
    const int channels = std::max(track.channels, 1);
    const int frames = length / (2 * channels);
    const int volume = sound->volume_;
    for (int f = 0; f < frames; ++f) {
        const uint64_t frame = sound->device_frames_ + f;
        const bool sounding = sound->playing_ && frame < track.frames();
        if (!sounding) continue;
        for (int c = 0; c < channels; ++c)
            out[f * channels + c] =
                static_cast<int16_t>(track.samples[frame * channels + c] * volume / max_volume);
    }
    // Past the end the device plays silence and the position keeps counting.
    if (sound->playing_) sound->device_frames_ += frames;
}

uint64_t LiveSound::frames_played() {
    if (!playing_) return 0;
    if (paused_ && device_ == 0) return paused_frames_;
    if (device_ != 0) {
        SDL_LockAudioDevice(device_);
        const uint64_t frames = device_frames_;
        SDL_UnlockAudioDevice(device_);
        return frames;
    }
    const double seconds = std::max(0.0, steady_seconds() - silent_start_);
    return static_cast<uint64_t>(seconds * rate());
}

namespace {

uint64_t frames_at(double seconds, int rate) {
    return seconds > 0 ? static_cast<uint64_t>(std::llround(seconds * rate)) : 0;
}

}  // namespace

void LiveSound::seek(double seconds) {
    if (!playing_) return;
    if (device_ != 0) {
        SDL_LockAudioDevice(device_);
        device_frames_ = frames_at(seconds, rate());
        SDL_UnlockAudioDevice(device_);
    } else if (paused_) {
        paused_frames_ = frames_at(seconds, rate());
    } else {
        silent_start_ = steady_seconds() - std::max(seconds, 0.0);
    }
}

void LiveSound::pause(bool paused) {
    if (!playing_ || paused == paused_) return;
    if (device_ != 0) {
        SDL_PauseAudioDevice(device_, paused ? 1 : 0);
    } else if (paused) {
        paused_frames_ = frames_played();
    } else {
        silent_start_ = steady_seconds() - static_cast<double>(paused_frames_) / rate();
    }
    paused_ = paused;
}

void LiveSound::close() {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    device_ = 0;
    if (audio_started_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audio_started_ = false;
    playing_ = false;
}

bool OfflineSound::initialise(int mix_rate, int channels) {
    if (mix_rate <= 0 || channels < 1) return false;
    mix_rate_ = mix_rate;
    channel_count_ = channels;
    return true;
}

void OfflineSound::set_time(double seconds) { frame_ = frames_at(seconds, rate()); }

uint64_t OfflineSound::frames_played() { return playing_ ? frame_ : 0; }
