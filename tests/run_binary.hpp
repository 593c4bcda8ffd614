#pragma once

#include "temp_dir.hpp"

#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs program with args in directory cwd, standard input closed and its address space
// limited to memory_limit bytes; returns the exit status (-1 when it did not exit) and output.
inline Outcome run_binary(const std::string &program, const std::vector<std::string> &args,
                          const std::string &cwd, rlim_t memory_limit = RLIM_INFINITY) {
    const TempDir capture;
    const std::string out = capture / "out";
    const std::string err = capture / "err";
    const pid_t child = ::fork();
    if (child == 0) {
        std::vector<char *> argv{const_cast<char *>(program.c_str())};
        for (const auto &arg : args) {
            argv.push_back(const_cast<char *>(arg.c_str()));
        }
        argv.push_back(nullptr);
        const rlimit limit{memory_limit, memory_limit};
        const bool ready = ::chdir(cwd.c_str()) == 0 && ::setrlimit(RLIMIT_AS, &limit) == 0 &&
                           ::dup2(::open("/dev/null", O_RDONLY), 0) == 0 &&
                           ::dup2(::creat(out.c_str(), 0600), 1) == 1 &&
                           ::dup2(::creat(err.c_str(), 0600), 2) == 2;
        if (ready) {
            ::execv(program.c_str(), argv.data());
        }
        ::_exit(127);
    }
    int wait_status = 0;
    ::waitpid(child, &wait_status, 0);
    Outcome outcome;
    outcome.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
    outcome.out = read_file(out);
    outcome.err = read_file(err);
    return outcome;
}
