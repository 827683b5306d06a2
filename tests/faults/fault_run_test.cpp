// Each kind of data file the show reads, missing and then spoilt, on a copy of the show directory
// run by brinefall-capture. A texture, motion clip or the music the show cannot do without ends it
// at start-up with a message naming the file (exit code 0 by the show's rule, which capture turns
// into its own 1: nothing was captured); a mesh, shader, cut-out picture or shake track it can do
// without leaves something undrawn and the show runs on. Never a crash, a hang, a GL error or a
// sanitizer report (the sanitizer build runs these same tests: scripts/sanitize.sh).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/program_run.h"
#include "tests/support/show_copy.h"

namespace fs = std::filesystem;

namespace {

// Capture is stopped after this long: a hang fails the test instead of the whole test run.
constexpr int hang_seconds = 600;

// Bytes no loader can take for its own format: a NUL, high bytes, a lone number and an
// unterminated line.
constexpr char junk_bytes[] = "\x00\xff\xfe garbage \x80\x81 1e999 -7 }{ \n\x01v 1 2";
const std::string junk(junk_bytes, sizeof junk_bytes - 1);

class Faults : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run the tests under xvfb-run";
        root_ = fs::temp_directory_path() / ("faults_" + std::to_string(::getpid()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        show_ = std::make_unique<ShowCopy>(BRINEFALL_SHOW_DIR, root_ / "show");
    }
    void TearDown() override {
        show_.reset();
        if (!root_.empty()) fs::remove_all(root_);
    }

    // brinefall-capture on the copy; `environment` goes before the command (VAR=value ...).
    ProgramRun capture(const std::string& args, const std::string& environment = "") {
        return run_program(environment + " timeout " + std::to_string(hang_seconds) + " " +
                           BRINEFALL_CAPTURE + " --show-dir '" + show_->folder().string() + "' --out '" +
                           (root_ / "out").string() + "' " + args);
    }

    // What no run may show, whatever was spoilt. (A program whose shader source is missing or
    // does not compile is never made current, so it costs no GL error either.)
    static void expect_no_crash(const ProgramRun& run) {
        EXPECT_NE(run.exit_code, 124) << "capture hung and was stopped";
        EXPECT_LT(run.exit_code, 124) << "capture was killed by a signal\n" << run.err;
        for (const char* sign : {"AddressSanitizer", "LeakSanitizer", "runtime error:", "terminate called",
                                 "Segmentation fault"})
            EXPECT_EQ(run.err.find(sign), std::string::npos) << sign << "\n" << run.err;
        EXPECT_EQ(run.err.find("GL error"), std::string::npos) << run.err;
    }

    // The show ended at start-up by its own rule: the message box's "CAPTION: TEXT" line, exit
    // code 0, which capture reports and turns into 1; no frame was drawn.
    void expect_stopped_at_start_up(const ProgramRun& run, const std::string& message) {
        expect_no_crash(run);
        EXPECT_EQ(run.exit_code, 1) << run.err;
        EXPECT_NE(run.err.find(message + "\n"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("the show stopped at start-up (exit code 0"), std::string::npos) << run.err;
        EXPECT_EQ(drawn_slots().size(), 0u);
    }

    // The show ran on: exit code 0 and every frame up to the end time drawn.
    void expect_ran(const ProgramRun& run, size_t frames) {
        expect_no_crash(run);
        EXPECT_EQ(run.exit_code, 0) << run.err;
        EXPECT_EQ(drawn_slots().size(), frames) << run.err;
    }

    // The roster slot that drew each written frame, from frames.csv.
    std::vector<int> drawn_slots() const {
        std::istringstream csv(read_whole_file((root_ / "out" / "frames.csv").string()));
        std::vector<int> slots;
        std::string line;
        std::getline(csv, line);  // the header
        while (std::getline(csv, line)) {
            const size_t a = line.find(','), b = line.find(',', a + 1);
            slots.push_back(std::stoi(line.substr(b + 1)));
        }
        return slots;
    }

    // A few frames of the opening (slot 0) right after start-up.
    ProgramRun run_opening() { return capture("--size 64x36 --fps 4 --to 2"); }
    void expect_opening_ran(const ProgramRun& run) {
        expect_ran(run, 9);
        for (int slot : drawn_slots()) EXPECT_EQ(slot, 0);
    }
    // A few frames of the middle scene (slot 2); the show up to it is simulated at one frame a
    // second.
    ProgramRun run_middle() { return capture("--size 64x36 --fps 1 --from 300 --to 303"); }
    void expect_middle_ran(const ProgramRun& run) {
        expect_ran(run, 4);
        for (int slot : drawn_slots()) EXPECT_EQ(slot, 2);
    }

    // The file's first `keep` parts in a hundred, then junk.
    std::string spoilt(const fs::path& relative, int keep = 50) const {
        const std::string bytes = show_->original_bytes(relative);
        return bytes.substr(0, bytes.size() * keep / 100) + junk;
    }

    fs::path root_;
    std::unique_ptr<ShowCopy> show_;
};

// The music.

TEST_F(Faults, MissingMusicEndsTheShowAtStartUpWithTheSoundMessage) {
    show_->remove("music/xo. + lu - mixed tracks (1+2).ogg");
    expect_stopped_at_start_up(run_opening(), "OVK  : Problem initializing FMod. \nNo sound file.");
}

TEST_F(Faults, SpoiltMusicEndsTheShowAtStartUpWithTheSoundMessage) {
    show_->replace("music/xo. + lu - mixed tracks (1+2).ogg",
                   "OggS" + spoilt("music/xo. + lu - mixed tracks (1+2).ogg", 1).substr(100));
    expect_stopped_at_start_up(run_opening(), "OVK  : Problem initializing FMod. \nNo sound file.");
}

// No audio device: the show's own sound output says so and plays silently on its clock.
TEST_F(Faults, WithoutAnAudioDeviceTheShowRunsSilentlyInTime) {
    const ProgramRun run =
        capture("--live-sound --size 64x36 --fps 4 --to 2", "SDL_AUDIODRIVER=no_such_audio_driver");
    expect_opening_ran(run);
    EXPECT_NE(run.out.find("No audio device ("), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("the music plays silently, in time."), std::string::npos) << run.out;
}

// The same output with a device that takes the sound (SDL's dummy driver): nothing is said.
TEST_F(Faults, WithAnAudioDeviceTheShowSaysNothingAboutSound) {
    const ProgramRun run = capture("--live-sound --size 64x36 --fps 4 --to 2", "SDL_AUDIODRIVER=dummy");
    expect_opening_ran(run);
    EXPECT_EQ(run.out.find("No audio device"), std::string::npos) << run.out;
}

// A JPEG texture: the message box names the file; "Jpg" when it cannot be opened, "Jpg !" when
// it does not decode.

TEST_F(Faults, MissingJpegNamesTheFileAndEndsTheShow) {
    show_->remove("textures/turtle.jpg");
    expect_stopped_at_start_up(run_opening(), "Jpg: textures/turtle.jpg");
}

TEST_F(Faults, SpoiltJpegNamesTheFileAndEndsTheShow) {
    const std::string jpeg = show_->original_bytes("textures/turtle.jpg");
    // The start-of-image marker and a few header bytes, then junk where the tables should be.
    show_->replace("textures/turtle.jpg", jpeg.substr(0, 20) + junk + junk);
    expect_stopped_at_start_up(run_opening(), "Jpg !: textures/turtle.jpg");
}

// An OBJ mesh draws nothing; the show runs.

TEST_F(Faults, MissingMeshDrawsNothingAndTheShowRuns) {
    show_->remove("neomeshes/seafloor.objt");
    expect_opening_ran(run_opening());
}

TEST_F(Faults, SpoiltMeshTheShowRuns) {
    // Faces that name vertices that do not exist, and a face cut short.
    show_->replace("neomeshes/seafloor.objt", spoilt("neomeshes/seafloor.objt") +
                                                  "\nf 1/1/1 999999/2/2 -999999/3/3\nf 2147483647 1 2\n"
                                                  "vt nan inf\nf 1/\n" +
                                                  junk);
    expect_opening_ran(run_opening());
}

TEST_F(Faults, SpoiltMeshInTheMiddleSceneTheShowRuns) {
    show_->replace("neomeshes/ant.objt", "f 1 2 3\n" + spoilt("neomeshes/ant.objt", 30));
    expect_middle_ran(run_middle());
}

// A shader source: logged (the message comes before the name, which is logged once the empty
// shader is compiled), the program is left unlinked and never used, the show runs.

TEST_F(Faults, MissingShaderSourceIsLoggedAndTheShowRuns) {
    show_->remove("Other/Materials/f_material1sea.glsl");
    show_->remove("Other/PostProcessing/f_blurpass2.glsl");  // the compose of every scene
    const ProgramRun run = run_opening();
    expect_opening_ran(run);
    EXPECT_NE(run.out.find("Cannot open shader source file.\nOther//Materials//f_material1sea.glsl\n"),
              std::string::npos)
        << run.out;
}

TEST_F(Faults, SpoiltShaderSourceLogsItsCompileErrorAndTheShowRuns) {
    show_->replace("Other/Materials/f_material1sea.glsl", spoilt("Other/Materials/f_material1sea.glsl"));
    const ProgramRun run = run_opening();
    expect_opening_ran(run);
    EXPECT_EQ(run.out.find("Cannot open shader source file."), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("error"), std::string::npos) << run.out;
}

// A motion clip: the loader's not-found line, then the message box names the file.

TEST_F(Faults, MissingMotionClipNamesTheFileAndEndsTheShow) {
    show_->remove("neomeshes/avatar_walk.bvh");
    const ProgramRun run = run_opening();
    expect_stopped_at_start_up(run, "Bvh: neomeshes//avatar_walk.bvh");
    EXPECT_NE(run.out.find("File \"neomeshes//avatar_walk.bvh\" not found."), std::string::npos) << run.out;
}

TEST_F(Faults, SpoiltMotionClipTheShowRuns) {
    // Cut inside its motion data, then junk.
    show_->replace("neomeshes/avatar_walk.bvh", spoilt("neomeshes/avatar_walk.bvh", 70));
    expect_opening_ran(run_opening());
}

TEST_F(Faults, MotionClipWithoutMotionTheShowRuns) {
    // The hierarchy alone: a figure with no frames at all.
    const std::string bvh = show_->original_bytes("neomeshes/avatar_walk.bvh");
    show_->replace("neomeshes/avatar_walk.bvh", bvh.substr(0, bvh.find("MOTION")));
    expect_opening_ran(run_opening());
}

// A PNG cut-out or a frame of the image sequence of the middle scene: that slab draws nothing.

TEST_F(Faults, MissingCutOutDrawsNothingAndTheShowRuns) {
    show_->remove("textures/Tsun.png");
    expect_middle_ran(run_middle());
}

TEST_F(Faults, SpoiltCutOutDrawsNothingAndTheShowRuns) {
    show_->replace("textures/Tsun.png", spoilt("textures/Tsun.png"));
    expect_middle_ran(run_middle());
}

TEST_F(Faults, MissingSequenceFrameDrawsNothingAndTheShowRuns) {
    show_->remove("textures/videos1/t0003.png");
    expect_middle_ran(run_middle());
}

TEST_F(Faults, SpoiltSequenceFrameDrawsNothingAndTheShowRuns) {
    show_->replace("textures/videos1/t0003.png", spoilt("textures/videos1/t0003.png", 10));
    expect_middle_ran(run_middle());
}

// The camera-shake track: no shake, the show runs.

TEST_F(Faults, MissingShakeTrackTheShowRunsWithoutShake) {
    show_->remove("Other/try1.sav");
    expect_opening_ran(run_opening());
}

TEST_F(Faults, SpoiltShakeTrackTheShowRuns) {
    // Not a whole number of records, and values that are not numbers.
    show_->replace("Other/try1.sav", std::string(28 * 3, '\xff') + junk);
    expect_opening_ran(run_opening());
}

}  // namespace
