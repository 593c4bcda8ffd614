#pragma once

// mavrel-batch's command line: one subcommand for each step of a batch, each strict, each run
// by its own run().

#include "tile/sample_type.hpp"

#include <argparse/args.hpp>

#include <optional>
#include <string>
#include <vector>

namespace batch {

// The sample types, as mavrel takes them.
struct SampleOptions : argparse::Args {
    DataType& data_type = kwarg("d,data-type", "type for height data").set_default("float32");
    FlagType& flag_type = kwarg("f,flag-type", "type for flag data").set_default("int8");
};

struct NamesCommand : argparse::Args {
    int& south = arg("SOUTH", "southern bound, whole degrees (negative to the south)");
    int& north = arg("NORTH", "northern bound, whole degrees");
    int& west = arg("WEST", "western bound, whole degrees (negative to the west)");
    int& east = arg("EAST", "eastern bound, whole degrees; below WEST across the antimeridian");
    int run() override;
};

struct CheckCommand : SampleOptions {
    std::string& width = arg("WIDTH", "tile width in pixels, plain decimal digits");
    int run() override;
};

struct RunCommand : SampleOptions {
    std::string& tile = arg("TILE", "name of the tile, as mavrel takes it");
    std::string& width = arg("WIDTH", "tile width in pixels, plain decimal digits");
    bool& georef = flag("georef", "write the tile's headers for GIS tools too, as mavrel-georef");
    int run() override;
};

// What pending and status read: a list, and the job logs of its runs.
struct JobLogOptions : SampleOptions {
    std::string& list = arg("LIST", "the batch's tile names, one a line (a file or a pipe)");
    std::optional<std::string>& width =
        arg("WIDTH", "the batch's width, checked against the one it was started with")
            .set_default(std::optional<std::string>{});
    std::vector<std::string>& joblogs =
        kwarg("joblog", "a GNU parallel job log, or a directory of them (LIST.joblogs by default)")
            .set_default(std::vector<std::string>{});
    std::vector<std::string> logs() const;
};

struct PendingCommand : JobLogOptions {
    int run() override;
};

struct StatusCommand : JobLogOptions {
    bool& map = flag("map", "draw the region, a character per tile");
    int run() override;
};

// What verify, task and submit read: a list, and the width and types of its tiles.
struct BatchOptions : SampleOptions {
    std::string& list = arg("LIST", "the batch's tile names, one a line (a file or a pipe)");
    std::string& width = arg("WIDTH", "the batch's width in pixels, plain decimal digits");
};

struct VerifyCommand : BatchOptions {
    bool& headers = flag("headers", "each file's header from mavrel-georef must be there too");
    bool& content = flag("content", "read every byte, naming the first wrong one");
    bool& remove_dead = flag("remove-dead", "remove this user's dead temporary files");
    long& dead_after = kwarg("dead-after", "seconds unwritten after which a temporary whose lock "
                                           "is free is dead")
                           .set_default(600L);
    int run() override;
};

struct TaskCommand : BatchOptions {
    int run() override;
};

struct SubmitCommand : BatchOptions {
    unsigned long& tiles_per_task =
        kwarg("tiles-per-task", "lines of the list that one task writes").set_default(100UL);
    bool& dry_run = flag("dry-run", "print the sbatch command instead of running it");
    std::vector<std::string>& sbatch = arg("SBATCH_OPTION", "an option for sbatch, after --")
                                           .set_default(std::vector<std::string>{})
                                           .set_multi_valued();
    int run() override;
};

class BatchArgs : public argparse::Args {
public:
    NamesCommand& names = subcommand<NamesCommand>("names", "print the names of a region's tiles");
    CheckCommand& check =
        subcommand<CheckCommand>("check", "check a width and types, and print their sizes");
    RunCommand& run_tile = subcommand<RunCommand>("run", "write one tile, strictly");
    PendingCommand& pending =
        subcommand<PendingCommand>("pending", "print the tiles of a list that did not finish");
    StatusCommand& status = subcommand<StatusCommand>("status", "tell where a batch stands");
    VerifyCommand& verify = subcommand<VerifyCommand>("verify", "check the files of a batch");
    TaskCommand& task = subcommand<TaskCommand>("task", "plan one task of tiles.sbatch");
    SubmitCommand& submit =
        subcommand<SubmitCommand>("submit", "submit tiles.sbatch as the array that covers a list");

    // version_text answers --version, of the program and of each subcommand.
    explicit BatchArgs(const std::string& version_text);
    void welcome(std::ostream& out) override;
    // Runs the subcommand that the command line gave; 2 where it gave none.
    int run() override;
};

} // namespace batch
