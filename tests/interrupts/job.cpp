#include "tests/interrupts/job.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

Job::Job(const std::vector<std::string>& argv, const std::string& directory, const std::string& out_file,
         const std::string& err_file) {
    pid_ = ::fork();
    if (pid_ != 0) {
        // Both sides set the group, so that it exists whichever of them runs first.
        if (pid_ > 0) ::setpgid(pid_, pid_);
        return;
    }
    ::setpgid(0, 0);
    if (!directory.empty() && ::chdir(directory.c_str()) != 0) std::_Exit(127);
    if (!std::freopen(out_file.c_str(), "w", stdout) || !std::freopen(err_file.c_str(), "w", stderr))
        std::_Exit(127);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    std::_Exit(127);
}

Job::~Job() {
    if (pid_ > 0) {
        ::kill(-pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

bool Job::wait_until(const std::function<bool()>& ready, std::chrono::seconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (pid_ > 0 && std::chrono::steady_clock::now() < until) {
        if (ready()) return true;
        if (::waitpid(pid_, &status_, WNOHANG) == pid_) pid_ = -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

int Job::stop_with(int signal, int times, bool whole_job, std::chrono::seconds limit) {
    if (pid_ <= 0) return -1;
    const auto sent = std::chrono::steady_clock::now();
    for (int i = 0; i < times; ++i) {
        if (i > 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ::kill(whole_job ? -pid_ : pid_, signal);
    }
    wait_until([] { return false; }, limit);
    if (pid_ > 0) return -1;
    std::printf("ended %.2f s after the signal\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - sent).count());
    return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
}
