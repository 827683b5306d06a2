#include "tests/support/program_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

std::string read_whole_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

namespace {

// A new empty file of its own in the temporary folder.
std::string unique_file() {
    std::string name = (fs::temp_directory_path() / "program_run_XXXXXX").string();
    const int fd = ::mkstemp(name.data());
    if (fd >= 0) ::close(fd);
    return name;
}

}  // namespace

ProgramRun run_program(const std::string& command_line) {
    // The streams go to files of their own: a pipe for each would need a reader per stream.
    const std::string out = unique_file(), err = unique_file();
    const std::string command = "( " + command_line + " ) > '" + out + "' 2> '" + err + "' < /dev/null";
    const int status = std::system(command.c_str());
    ProgramRun run;
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = read_whole_file(out);
    run.err = read_whole_file(err);
    fs::remove(out);
    fs::remove(err);
    return run;
}
