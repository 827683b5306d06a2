// ./run.sh and ./test.sh decide what to build and what to run; here their slow steps (setup,
// the show, the offline render, ctest under Xvfb) are stand-ins that only write down how they
// were called.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/program_run.h"

namespace fs = std::filesystem;

namespace {

class ProjectCommands : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("project_commands_" + std::to_string(::getpid()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "scripts");
        fs::create_directories(root_ / "build" / "show");
        fs::create_directories(root_ / "bin");
        for (const char* script : {"run.sh", "test.sh"})
            fs::copy_file(fs::path(BRINEFALL_SOURCE_DIR) / script, root_ / script);
        stand_in("scripts/setup.sh", "setup");
        stand_in("scripts/headless.sh", "headless");
        stand_in("build/brinefall", "show");
        stand_in("bin/xvfb-run", "xvfb-run");
    }
    void TearDown() override { fs::remove_all(root_); }

    // A script at `path` that appends "NAME ARGS" to calls.txt.
    void stand_in(const std::string& path, const std::string& name) {
        std::ofstream(root_ / path) << "#!/bin/sh\necho \"" << name << " $*\" >> '"
                                    << (root_ / "calls.txt").string() << "'\n";
        fs::permissions(root_ / path, fs::perms::owner_all, fs::perm_options::add);
    }

    // Runs a copied script with the environment changes `env` (arguments of env) and the
    // stand-ins first on the PATH.
    ProgramRun command(const std::string& env, const std::string& script, const std::string& args = "") {
        return run_program("env " + env + " PATH='" + (root_ / "bin").string() + ":'\"$PATH\" '" +
                           (root_ / script).string() + "' " + args);
    }
    std::string calls() const { return read_whole_file((root_ / "calls.txt").string()); }

    fs::path root_;
};

constexpr const char* no_display = "-u DISPLAY -u WAYLAND_DISPLAY";

TEST_F(ProjectCommands, WithADisplayRunBuildsWhatRunningNeedsAndStartsTheShow) {
    const ProgramRun run = command("DISPLAY=:77", "run.sh");
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(calls(), "setup \nshow \n");
}

TEST_F(ProjectCommands, WithoutADisplayRunRendersOffline) {
    const ProgramRun run = command(no_display, "run.sh");
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(calls(), "setup \nheadless \n");
}

TEST_F(ProjectCommands, VideoIsRenderedOfflineWithOrWithoutADisplay) {
    ProgramRun run = command("DISPLAY=:77", "run.sh", "--video");
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(calls(), "setup \nheadless --video\n");
    fs::remove(root_ / "calls.txt");
    run = command(no_display, "run.sh", "--video");
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(calls(), "setup \nheadless --video\n");
}

TEST_F(ProjectCommands, AnArgumentRunCannotUseIsRefusedBeforeAnythingIsBuilt) {
    const ProgramRun run = command("DISPLAY=:77", "run.sh", "--fullscreen");
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_NE(run.err.find("unknown argument: --fullscreen"), std::string::npos) << run.err;
    EXPECT_EQ(calls(), "");
}

TEST_F(ProjectCommands, TestBuildsEverythingAndRunsTheTestsUnderXvfb) {
    const ProgramRun run = command(no_display, "test.sh");
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(calls().rfind("setup --all\nxvfb-run ", 0), 0u) << calls();
    EXPECT_NE(calls().find(" ctest --test-dir build "), std::string::npos) << calls();
}

TEST_F(ProjectCommands, HelpPrintsTheUsageAndNothingOfTheScriptItself) {
    fs::copy_file(fs::path(BRINEFALL_SOURCE_DIR) / "scripts" / "headless.sh",
                  root_ / "scripts" / "headless.sh", fs::copy_options::overwrite_existing);
    for (const char* script : {"run.sh", "scripts/headless.sh"}) {
        const ProgramRun run = command("", script, "--help");
        EXPECT_EQ(run.exit_code, 0) << script;
        EXPECT_NE(run.out.find("Usage: "), std::string::npos) << script << ": " << run.out;
        EXPECT_NE(run.out.find("--video"), std::string::npos) << script << ": " << run.out;
        EXPECT_EQ(run.out.find("set -"), std::string::npos) << script << ": " << run.out;
        EXPECT_EQ(run.out.find('#'), std::string::npos) << script << ": " << run.out;
    }
    EXPECT_EQ(calls(), "");
}

}  // namespace
