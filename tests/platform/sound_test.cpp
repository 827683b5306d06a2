#include "platform/sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <unistd.h>

#include "core/file_io.h"
#include "tests/platform/ogg_tone.h"

namespace {

constexpr int kRate = 44100;
// Band 64's centre frequency, so the decoded tone lands on one band.
constexpr double tone_hz = 64.0 * kRate / spectrum_window;

int loudest_band(const float* bands) {
    return static_cast<int>(std::max_element(bands, bands + spectrum_bands) - bands);
}

class SoundTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // One file per process: the test command runs the cases of this suite side by side.
        const std::string name = "brinefall_sound_test_" + std::to_string(getpid()) + ".ogg";
        tone_path_ = (std::filesystem::temp_directory_path() / name).string();
        ASSERT_TRUE(write_file(tone_path_, encode_ogg_tone(kRate, 2, 0.5, tone_hz, 0.5)));
    }
    static void TearDownTestSuite() { std::filesystem::remove(tone_path_); }
    static std::string tone_path_;
};
std::string SoundTest::tone_path_;

}  // namespace

TEST_F(SoundTest, DecodesTheGeneratedTrackWithItsLayoutLengthAndPitch) {
    MusicTrack track;
    ASSERT_TRUE(load_ogg_vorbis_file(tone_path_, track));
    EXPECT_EQ(track.rate, kRate);
    EXPECT_EQ(track.channels, 2);
    EXPECT_EQ(track.frames(), static_cast<size_t>(kRate / 2));  // Vorbis keeps the exact length

    SpectrumAnalyser analyser;
    float bands[spectrum_bands];
    analyser.analyse_track(track, kRate / 4, 1.0f, bands);
    EXPECT_EQ(loudest_band(bands), 64);
    EXPECT_NEAR(bands[64], 0.5f, 0.05f);  // lossy coding, so only near the encoded amplitude
}

TEST_F(SoundTest, UnreadableMusicIsRefusedWithoutACrash) {
    MusicTrack track;
    EXPECT_FALSE(load_ogg_vorbis_file("no such folder//no such file.ogg", track));
    EXPECT_FALSE(decode_ogg_vorbis("", track));
    EXPECT_FALSE(decode_ogg_vorbis("OggS but not really an Ogg stream at all", track));
    const std::string whole = *read_file(tone_path_);
    // Cut inside the headers: nothing to decode.
    EXPECT_FALSE(decode_ogg_vorbis(whole.substr(0, 200), track));
    EXPECT_EQ(track.frames(), 0u);
    // Cut inside the audio: whatever precedes the cut, never more than the whole.
    decode_ogg_vorbis(whole.substr(0, whole.size() / 2), track);
    EXPECT_LT(track.frames(), static_cast<size_t>(kRate / 2));
    OfflineSound sound;
    ASSERT_TRUE(sound.initialise(kRate, 32));
    EXPECT_FALSE(sound.load_music("no such folder//no such file.ogg"));
}

TEST_F(SoundTest, OfflinePositionFollowsTheFrameTimeAndKeepsGoingPastTheEnd) {
    OfflineSound sound;
    ASSERT_TRUE(sound.initialise(kRate, 32));
    ASSERT_TRUE(sound.load_music(tone_path_));
    EXPECT_EQ(sound.rate(), kRate);
    sound.set_time(0.2);
    EXPECT_EQ(sound.position(), 0u) << "nothing plays before play_music";
    sound.play_music();
    sound.set_time(0.2);
    EXPECT_EQ(sound.position(), 8820u);
    sound.set_time(-1.0);
    EXPECT_EQ(sound.position(), 0u);

    // The track lasts 0.5 s; a show running on must see its clock go on, not stop or go back.
    uint32_t previous = 0;
    for (double t = 0.0; t <= 3.0; t += 0.1) {
        sound.set_time(t);
        EXPECT_GE(sound.position(), previous) << "at " << t << " s";
        EXPECT_EQ(sound.position(), static_cast<uint32_t>(std::llround(t * kRate)));
        previous = sound.position();
    }
    sound.set_time(10.0);
    EXPECT_EQ(sound.position(), 441000u);
    const float* bands = sound.spectrum();
    for (int k = 0; k < spectrum_bands; ++k) EXPECT_EQ(bands[k], 0.0f) << "past the end is silence";
}

TEST_F(SoundTest, OfflineSpectrumIsTheDecodedMusicAndDeterministic) {
    OfflineSound first, second;
    for (OfflineSound* sound : {&first, &second}) {
        ASSERT_TRUE(sound->initialise(kRate, 32));
        ASSERT_TRUE(sound->load_music(tone_path_));
        sound->play_music();
        sound->set_time(0.25);
    }
    const float* a = first.spectrum();
    EXPECT_EQ(loudest_band(a), 64);
    const std::vector<float> kept(a, a + spectrum_bands);
    const float* b = second.spectrum();
    EXPECT_TRUE(std::equal(kept.begin(), kept.end(), b));
    EXPECT_TRUE(std::equal(kept.begin(), kept.end(), first.spectrum())) << "same time, same bands";
}

TEST_F(SoundTest, VolumesStayInRangeAndScaleTheSpectrum) {
    OfflineSound sound;
    ASSERT_TRUE(sound.initialise(kRate, 32));
    ASSERT_TRUE(sound.load_music(tone_path_));
    sound.play_music();
    sound.set_time(0.25);
    EXPECT_EQ(sound.volume(), 255);
    const float full = sound.spectrum()[64];

    sound.set_volume(music_channel, 300);
    EXPECT_EQ(sound.volume(), 255);
    sound.set_volume(all_channels, -20);
    EXPECT_EQ(sound.volume(), 0);
    EXPECT_EQ(sound.spectrum()[64], 0.0f);
    sound.set_volume(all_channels, 51);
    EXPECT_EQ(sound.volume(), 51);
    EXPECT_NEAR(sound.spectrum()[64], full * 51 / 255, 1e-5);
    sound.set_volume(7, 200);  // a channel with nothing on it
    EXPECT_EQ(sound.volume(), 51);
}

TEST(OfflineSound, RefusesNonsenseSettings) {
    OfflineSound sound;
    EXPECT_FALSE(sound.initialise(0, 32));
    EXPECT_FALSE(sound.initialise(44100, 0));
    EXPECT_TRUE(sound.initialise(44100, 32));
    EXPECT_EQ(sound.rate(), 44100) << "the mix rate stands until a track is loaded";
}

// The live output runs on real time, so these tests wait for progress (bounded) instead of
// asserting durations. `driver` picks SDL's audio back end: "dummy" consumes audio like a device,
// a name SDL does not know leaves no device and the silent clock.
void expect_live_position_runs_past_the_end(const std::string& tone_path, const char* driver,
                                            bool expect_silent) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    LiveSound sound;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(sound.initialise(kRate, 32));
    const std::string said = testing::internal::GetCapturedStdout();
    ASSERT_EQ(sound.silent(), expect_silent) << said;
    EXPECT_EQ(said.find("No audio device") != std::string::npos, expect_silent) << said;
    ASSERT_TRUE(sound.load_music(tone_path));
    EXPECT_EQ(sound.position(), 0u);
    sound.play_music();

    const uint32_t beyond = 3 * kRate / 4;  // the track is kRate / 2 frames long
    uint32_t previous = 0;
    for (int wait = 0; wait < 1000 && sound.position() <= beyond; ++wait) {
        const uint32_t now = sound.position();
        EXPECT_GE(now, previous);
        previous = now;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_GT(sound.position(), beyond) << "the position must keep advancing after the track";
    EXPECT_EQ(sound.rate(), kRate);
    sound.close();
    unsetenv("SDL_AUDIODRIVER");
}

TEST_F(SoundTest, LiveSilentClockKeepsRunningPastTheEnd) {
    expect_live_position_runs_past_the_end(tone_path_, "no-such-audio-driver", true);
}

TEST_F(SoundTest, LiveDevicePositionKeepsRunningPastTheEnd) {
    expect_live_position_runs_past_the_end(tone_path_, "dummy", false);
}

// Author mode moves the music and holds it: a seek lands where it was asked to (the device has
// not consumed a buffer yet, or the silent clock a measurable time), and a paused position stands.
void expect_live_seek_and_pause(const std::string& tone_path, const char* driver) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    LiveSound sound;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(sound.initialise(kRate, 32));
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(sound.load_music(tone_path));
    sound.play_music();
    sound.pause(true);
    sound.seek(300.0);
    const uint32_t at = sound.position();
    EXPECT_NEAR(at, 300.0 * kRate, kRate * 0.05);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(sound.position(), at) << "paused";
    sound.pause(false);
    for (int wait = 0; wait < 500 && sound.position() <= at; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_GT(sound.position(), at) << "running again from where it stood";
    EXPECT_LT(sound.position(), at + 10 * kRate);
    sound.seek(-5.0);
    EXPECT_LT(sound.position(), static_cast<uint32_t>(kRate)) << "a time before the start reads as the start";
    sound.close();
    unsetenv("SDL_AUDIODRIVER");
}

TEST_F(SoundTest, LiveSilentClockSeeksAndPauses) {
    expect_live_seek_and_pause(tone_path_, "no-such-audio-driver");
}

TEST_F(SoundTest, LiveDeviceSeeksAndPauses) { expect_live_seek_and_pause(tone_path_, "dummy"); }
