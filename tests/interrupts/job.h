#pragma once
// A program started the way a shell starts a job: in a process group of its own, with its
// standard output and error going to files, so that a test can signal it as a user would (Ctrl-C
// at the terminal reaches the whole job, `kill` only the program).
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

class Job {
public:
    // Runs argv (looked up on the PATH) in `directory` (empty: this one).
    Job(const std::vector<std::string>& argv, const std::string& directory, const std::string& out_file,
        const std::string& err_file);
    // Kills whatever is left of the job.
    ~Job();
    Job(const Job&) = delete;
    Job& operator=(const Job&) = delete;

    // Polls `ready` until it holds; false when the job ended first or the time ran out.
    bool wait_until(const std::function<bool()>& ready, std::chrono::seconds limit);

    // Sends the signal `times` times (50 ms apart) to the program or to the whole job, then waits
    // for the program to end. Its exit code, or -1 when it was killed or did not end in time;
    // prints how long it took after the first signal.
    int stop_with(int signal, int times, bool whole_job, std::chrono::seconds limit);

    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;  // -1 once the program has ended and been waited for
    int status_ = 0;
};
