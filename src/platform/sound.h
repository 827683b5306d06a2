#pragma once
// The show's sound: one music track played once on channel 1, its playback position and rate,
// channel volumes on a 0..255 scale and a 512-band spectrum of what is playing. The show drives it
// through SoundOutput only; LiveSound plays to the audio device (or silently in time when there is
// none), OfflineSound is positioned by capture from the frame time.
//
// Past the end of the track the position keeps advancing at the playback rate as if silence
// followed, so a track shorter than the show never pulls the show clock back.
#include <atomic>
#include <cstdint>
#include <string>

#include "platform/music_track.h"
#include "platform/spectrum.h"

inline constexpr int music_channel = 1;
inline constexpr int all_channels = -3;
inline constexpr int max_volume = 255;

class SoundOutput {
public:
    virtual ~SoundOutput() = default;

    // Prepares output at mix_rate with `channels` mixing channels; false when that is impossible.
    virtual bool initialise(int mix_rate, int channels) = 0;
    // Decodes the music file (Ogg Vorbis); false when it is missing or unreadable.
    bool load_music(const std::string& path);
    // Takes a track decoded elsewhere (start-up decodes while the scenes load).
    void set_music(MusicTrack track) { track_ = std::move(track); }
    // Starts the loaded music from position 0 on channel 1, once (no loop).
    virtual void play_music() = 0;
    // Volume of a channel, or of every channel with all_channels; clamped to 0..255. Only channel 1
    // carries sound; it starts at 255.
    void set_volume(int channel, int volume);
    int volume() const { return volume_; }
    // Playback position of channel 1 in samples (frames) since play_music, wrapping at 2^32 like
    // the 32-bit counter it stands for; 0 before play_music.
    virtual uint32_t position() = 0;
    // Playback rate of channel 1 in samples per second: the track's rate, or the mix rate before a
    // track is loaded.
    int rate() const;
    // The spectrum_bands values of the current output, 0..1; valid until the next call.
    const float* spectrum();
    // Author mode's controls: the music moves to `seconds` after its start (negative reads as 0),
    // and holds still while paused (the position with it).
    virtual void seek(double seconds) = 0;
    virtual void pause(bool paused) = 0;
    // Stops the sound; the output can be initialised again afterwards.
    virtual void close() = 0;

protected:
    // The full position in frames, without wrapping; 0 before play_music.
    virtual uint64_t frames_played() = 0;

    MusicTrack track_;
    int mix_rate_ = 0;
    int channel_count_ = 0;
    std::atomic<int> volume_ = max_volume;  // read by the audio thread

private:
    SpectrumAnalyser analyser_;
    float bands_[spectrum_bands] = {};
};

// Plays through SDL audio. When no audio device can be opened it says so on stdout and plays
// silently: the position then follows the steady clock from play_music on.
class LiveSound : public SoundOutput {
public:
    ~LiveSound() override;
    bool initialise(int mix_rate, int channels) override;
    void play_music() override;
    uint32_t position() override { return static_cast<uint32_t>(frames_played()); }
    void close() override;
    void seek(double seconds) override;
    void pause(bool paused) override;
    bool silent() const { return device_ == 0; }

protected:
    uint64_t frames_played() override;

private:
    static void fill_audio(void* self, uint8_t* stream, int length);
    bool open_device(int rate, int channels);

    uint32_t device_ = 0;         // SDL audio device id; 0 when playing silently
    bool audio_started_ = false;  // SDL's audio subsystem is ours to quit
    bool playing_ = false;
    uint64_t device_frames_ = 0;  // frames handed to the device (written by its thread)
    double silent_start_ = 0;     // steady_seconds() at position 0 when silent
    bool paused_ = false;
    uint64_t paused_frames_ = 0;  // the silent position while paused
};

// Capture's sound: nothing is heard; the position is set from the frame time.
class OfflineSound : public SoundOutput {
public:
    bool initialise(int mix_rate, int channels) override;
    void play_music() override { playing_ = true; }
    // Positions the music at `seconds` after play_music: position = seconds * rate, rounded to the
    // nearest sample (negative times read as 0).
    void set_time(double seconds);
    void seek(double seconds) override { set_time(seconds); }
    void pause(bool) override {}
    uint32_t position() override { return static_cast<uint32_t>(frames_played()); }
    void close() override { playing_ = false; }

protected:
    uint64_t frames_played() override;

private:
    bool playing_ = false;
    uint64_t frame_ = 0;
};
