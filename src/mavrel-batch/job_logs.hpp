#pragma once

// What GNU parallel's job logs (--joblog) record of a batch's runs.

#include <map>
#include <string>
#include <vector>

namespace batch {

struct Run {
    double start = 0;
    double end = 0;
    bool finished = false; // exit status 0, no signal
};

struct JobLogs {
    std::map<std::string, Run> latest; // by tile, its run that started last
    std::vector<Run> runs;
};

// Reads the job logs at paths, each a file or a directory of them; a path that does not exist
// yet records no run. A job log begins with a header unless it was made by appending
// (--joblog +FILE). Throws std::system_error for one that cannot be read.
JobLogs read_job_logs(const std::vector<std::string>& paths);

// Whether the latest run of tile finished.
bool finished(const JobLogs& logs, const std::string& tile);

// Returns the tile of a command as a job log shows it, quoted as the shell reads it: the word
// after "run" of mavrel-batch's strict run, or the first argument of any other command
// (mavrel-strict TILE WIDTH).
std::string logged_tile(const std::string& command);

} // namespace batch
