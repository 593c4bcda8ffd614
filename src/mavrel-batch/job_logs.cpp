// What GNU parallel's job logs record of a batch's runs.
#include "mavrel-batch/job_logs.hpp"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace batch {
namespace {

// Splits a command into words as the shell does, without expanding anything: quotes and
// backslashes are taken away.
std::vector<std::string> shell_words(const std::string& command) {
    std::vector<std::string> words;
    std::string word;
    bool in_word = false;
    for (std::size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (c == ' ' || c == '\t') {
            if (in_word) {
                words.push_back(word);
            }
            word.clear();
            in_word = false;
            continue;
        }
        in_word = true;
        if (c == '\'' || c == '"') {
            const std::size_t end = command.find(c, i + 1);
            word += command.substr(i + 1, end - i - 1);
            i = end == std::string::npos ? command.size() : end;
        } else if (c == '\\' && i + 1 < command.size()) {
            word += command[++i];
        } else {
            word += c;
        }
    }
    if (in_word) {
        words.push_back(word);
    }
    return words;
}

// The nine fields of a job log's line (Seq, Host, Starttime, JobRuntime, Send, Receive,
// Exitval, Signal, Command), the command being the rest of the line; none for a shorter line.
std::vector<std::string> fields_of(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; fields.size() < 8; start = tab + 1) {
        if ((tab = line.find('\t', start)) == std::string::npos) {
            return {};
        }
        fields.push_back(line.substr(start, tab - start));
    }
    fields.push_back(line.substr(start));
    return fields;
}

void read_job_log(const std::filesystem::path& path, JobLogs& logs) {
    std::ifstream file(path);
    if (!file) {
        throw std::system_error(errno, std::generic_category(), path.string());
    }
    for (std::string line; std::getline(file, line);) {
        const std::vector<std::string> fields = fields_of(line);
        if (fields.size() < 9 || fields[8].empty() || (fields[0] == "Seq" && fields[1] == "Host")) {
            continue;
        }
        Run run;
        run.start = std::strtod(fields[2].c_str(), nullptr);
        run.end = run.start + std::strtod(fields[3].c_str(), nullptr);
        run.finished = fields[6] == "0" && fields[7] == "0";
        const std::string tile = logged_tile(fields[8]);
        const auto known = logs.latest.find(tile);
        if (known == logs.latest.end() || run.start >= known->second.start) {
            logs.latest[tile] = run;
        }
        logs.runs.push_back(run);
    }
}

} // namespace

JobLogs read_job_logs(const std::vector<std::string>& paths) {
    JobLogs logs;
    for (const std::filesystem::path path : paths) {
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::directory_iterator(path)) {
                if (entry.is_regular_file()) {
                    read_job_log(entry.path(), logs);
                }
            }
        } else if (std::filesystem::exists(path)) {
            read_job_log(path, logs);
        }
    }
    return logs;
}

bool finished(const JobLogs& logs, const std::string& tile) {
    const auto run = logs.latest.find(tile);
    return run != logs.latest.end() && run->second.finished;
}

std::string logged_tile(const std::string& command) {
    const std::vector<std::string> words = shell_words(command);
    const std::size_t at = words.size() > 2 && words[1] == "run" ? 2 : 1;
    return at < words.size() ? words[at] : "";
}

} // namespace batch
