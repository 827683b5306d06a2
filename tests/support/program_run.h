#pragma once
// Runs a shell command line the way a user would type it and keeps what came back: the exit code
// (-1 when the command was killed by a signal), standard output and standard error apart.
#include <string>

struct ProgramRun {
    int exit_code = -1;
    std::string out;
    std::string err;
};

ProgramRun run_program(const std::string& command_line);

// The file's bytes; empty when it cannot be read.
std::string read_whole_file(const std::string& path);
