// A batch on Slurm: the array that covers a list, and what one task of it runs.
#include "mavrel-batch/slurm.hpp"

#include <argparse/printable.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <stdexcept>

namespace batch {
namespace {

// The value of the environment variable name, read as a whole number of at least lowest.
std::optional<long> number_from(const char* name, long lowest) {
    const char* text = std::getenv(name);
    if (text == nullptr) {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || errno != 0 || value < lowest || value > 999999999) {
        throw std::invalid_argument(std::string(name) + " is a whole number from " +
                                    std::to_string(lowest) + ", not '" + argparse::printable(text) +
                                    "'");
    }
    return value;
}

std::size_t tasks_for(std::size_t lines, std::size_t tiles_per_task) {
    return (lines + tiles_per_task - 1) / tiles_per_task;
}

// Refuses an array that leaves lines without a task, or tasks without lines.
void check_array(const TileList& list, const TaskEnvironment& task) {
    if (!task.min || !task.max) {
        return; // a task run by hand
    }
    const auto tasks = static_cast<long>(tasks_for(list.tiles.size(), task.tiles_per_task));
    if (*task.min != 0 || *task.max != tasks - 1) {
        throw std::invalid_argument(
            argparse::printable(list.path) + " has " + std::to_string(list.tiles.size()) +
            " lines, which tasks of " + std::to_string(task.tiles_per_task) +
            " (TILES_PER_TASK) cover with " + array_for(list.tiles.size(), task.tiles_per_task) +
            ", not --array=" + std::to_string(*task.min) + "-" + std::to_string(*task.max));
    }
}

// Runs at once: as many per CPU as the memory per CPU holds, at most jobs_per_cpu, at least
// one; a width of more than six digits fits no task twice.
std::size_t jobs_for(const TileOptions& options, const TaskEnvironment& task) {
    const std::uint64_t flag_bytes = cli::sample_type(options.flag_type).bytes;
    const std::uint64_t width = options.width;
    const std::uint64_t run =
        width > 999999 ? task.memory : width * width * flag_bytes / 1048576 + 4;
    const auto per_cpu = std::clamp<std::uint64_t>(task.memory / run, 1, task.jobs_per_cpu);
    return static_cast<std::size_t>(task.cpus) * per_cpu;
}

} // namespace

TaskEnvironment task_environment() {
    TaskEnvironment task;
    const auto id = number_from("SLURM_ARRAY_TASK_ID", 0);
    if (!id) {
        throw std::invalid_argument("SLURM_ARRAY_TASK_ID is not set: run by sbatch --array");
    }
    task.id = *id;
    task.min = number_from("SLURM_ARRAY_TASK_MIN", 0);
    task.max = number_from("SLURM_ARRAY_TASK_MAX", 0);
    task.tiles_per_task = static_cast<std::size_t>(number_from("TILES_PER_TASK", 1).value_or(100));
    task.cpus = number_from("SLURM_CPUS_PER_TASK", 1).value_or(1);
    task.memory = number_from("SLURM_MEM_PER_CPU", 1).value_or(1024);
    task.jobs_per_cpu = number_from("JOBS_PER_CPU", 1).value_or(4);
    const std::string georef = std::getenv("GEOREF") ? std::getenv("GEOREF") : "0";
    if (georef != "0" && georef != "1") {
        throw std::invalid_argument("GEOREF is 0 or 1, not '" + argparse::printable(georef) + "'");
    }
    task.georef = georef == "1";
    return task;
}

std::string array_for(std::size_t lines, std::size_t tiles_per_task) {
    return "--array=0-" + std::to_string(tasks_for(lines, tiles_per_task) - 1);
}

TaskPlan plan_task(const TileList& list, const TileOptions& options, const TaskEnvironment& task,
                   const JobLogs& logs) {
    check_array(list, task);
    TaskPlan plan;
    plan.first = static_cast<std::size_t>(task.id) * task.tiles_per_task + 1;
    plan.last = plan.first + task.tiles_per_task - 1;
    plan.jobs = jobs_for(options, task);
    for (std::size_t line = plan.first; line <= std::min(plan.last, list.tiles.size()); ++line) {
        if (!finished(logs, list.tiles[line - 1])) {
            plan.pending.push_back(list.tiles[line - 1]);
        }
    }
    return plan;
}

} // namespace batch
