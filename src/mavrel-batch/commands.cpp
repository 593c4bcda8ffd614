// What each of mavrel-batch's subcommands does with its command line.
#include "mavrel-batch/command_line.hpp"

#include "mavrel-batch/record.hpp"
#include "mavrel-batch/region_names.hpp"
#include "mavrel-batch/slurm.hpp"
#include "mavrel-batch/status.hpp"
#include "mavrel-batch/tile_list.hpp"
#include "mavrel-batch/verify.hpp"
#include "mavrel-georef/georef.hpp"
#include "mavrel/command_line.hpp"
#include "mavrel/generate.hpp"

#include <argparse/text.hpp>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <unistd.h>

namespace batch {
namespace {

TileOptions options_of(const SampleOptions& args, const std::string& width) {
    return {width_of(width), args.data_type, args.flag_type};
}

// The tiles.sbatch that goes with the running program: share/mavrel beside its bin directory,
// as installed and in the build tree.
std::string sbatch_script() {
    char self[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    const std::filesystem::path program(
        std::string(self, length > 0 ? static_cast<std::size_t>(length) : 0));
    return (program.parent_path() / "../share/mavrel/tiles.sbatch").lexically_normal();
}

} // namespace

int NamesCommand::run() {
    for (const std::string& name : region_tiles(south, north, west, east)) {
        std::cout << name << "\n";
    }
    return 0;
}

int CheckCommand::run() {
    width_of(width);
    std::cout << cli::sample_type(data_type).bytes << " " << cli::sample_type(flag_type).bytes
              << " (bytes per height and flag sample)\n";
    return 0;
}

// The tile is written in this process, as mavrel writes it: a strict run costs no more.
int RunCommand::run() {
    const TileOptions options = options_of(*this, width);
    cli::Config config;
    config.tile = tile;
    config.width = options.width;
    config.data_type = options.data_type;
    config.flag_type = options.flag_type;
    const int status = cli::generate(config);
    return status != 0 || !georef ? status : cli::georef(config);
}

std::vector<std::string> JobLogOptions::logs() const {
    return joblogs.empty() ? std::vector<std::string>{list + ".joblogs"} : joblogs;
}

int PendingCommand::run() {
    const TileList tiles = read_tile_list(list);
    if (width) {
        check_record(list, options_of(*this, *width), true);
    }
    print_pending(tiles, read_job_logs(logs()), std::cout);
    return 0;
}

int StatusCommand::run() {
    const TileList tiles = read_tile_list(list);
    if (width) {
        check_record(list, options_of(*this, *width), false);
    }
    return print_status(tiles, read_job_logs(logs()), map, std::cout) ? 0 : 1;
}

int VerifyCommand::run() {
    const TileOptions options = options_of(*this, width);
    const TileList tiles = read_tile_list(list);
    check_record(list, options, false);
    VerifyRules rules;
    rules.headers = headers;
    rules.content = content;
    rules.temporaries = {dead_after, remove_dead};
    return verify(tiles, options, rules, std::cout) ? 0 : 1;
}

// Prints the runs at once, then the task's pending tiles; says on standard error what it runs.
int TaskCommand::run() {
    const TileOptions options = options_of(*this, width);
    const TaskEnvironment environment = task_environment();
    const TileList tiles = read_tile_list(list);
    const TaskPlan plan =
        plan_task(tiles, options, environment, read_job_logs({list + ".joblogs"}));
    check_record(list, options, true);
    std::cerr << "task " << environment.id << " runs " << plan.pending.size() << " of lines "
              << plan.first << "-" << plan.last << " of " << argparse::printable(list) << ", "
              << plan.jobs << " at a time" << std::endl;
    std::cout << plan.jobs << "\n";
    for (const std::string& tile : plan.pending) {
        std::cout << tile << "\n";
    }
    return 0;
}

// TILES_PER_TASK tells each task its share, as sbatch passes the environment on.
int SubmitCommand::run() {
    const TileOptions options = options_of(*this, width);
    const TileList tiles = read_tile_list(list);
    check_record(list, options, false);
    std::vector<std::string> command{"sbatch", array_for(tiles.tiles.size(), tiles_per_task)};
    command.insert(command.end(), sbatch.begin(), sbatch.end());
    command.insert(command.end(),
                   {sbatch_script(), list, width, "-d", cli::sample_type(data_type).name, "-f",
                    cli::sample_type(flag_type).name});
    const std::string share = "TILES_PER_TASK=" + std::to_string(tiles_per_task);
    if (dry_run) {
        std::cout << share << " " << argparse::joined(command, " ") << "\n";
        return 0;
    }
    ::setenv("TILES_PER_TASK", std::to_string(tiles_per_task).c_str(), 1);
    std::vector<char*> argv;
    for (std::string& word : command) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    throw std::system_error(errno, std::generic_category(), "sbatch");
}

BatchArgs::BatchArgs(const std::string& version_text) {
    settings.strict = true;
    settings.error_status = 2; // as the scripts of earlier releases exited
    version(version_text);
    for (const auto& [name, subcommand] : subcommands) {
        subcommand->args->version(version_text);
    }
}

void BatchArgs::welcome(std::ostream& out) {
    out << "mavrel-batch - write, follow and check batches of mavrel tiles.\n"
        << cli::authors << "\n"
        << std::endl;
}

int BatchArgs::run() {
    for (const auto& [name, subcommand] : subcommands) {
        if (subcommand->args->parsed) {
            return subcommand->args->run();
        }
    }
    std::vector<std::string> names;
    for (const auto& [name, subcommand] : subcommands) {
        names.push_back(name);
    }
    std::cerr << "mavrel-batch: a command is needed: " << argparse::joined(names, ", ")
              << " (mavrel-batch --help)" << std::endl;
    return 2;
}

} // namespace batch
