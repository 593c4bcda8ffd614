#pragma once

// A batch on Slurm: the array that covers a list, and what one task of it runs.

#include "mavrel-batch/job_logs.hpp"
#include "mavrel-batch/tile_list.hpp"
#include "mavrel-batch/tile_options.hpp"

#include <optional>
#include <string>
#include <vector>

namespace batch {

// What Slurm and the user tell one task of tiles.sbatch, from its environment.
struct TaskEnvironment {
    long id = 0;                    // SLURM_ARRAY_TASK_ID
    std::optional<long> min, max;   // SLURM_ARRAY_TASK_MIN, _MAX: the array's bounds
    std::size_t tiles_per_task = 0; // TILES_PER_TASK
    long cpus = 1;                  // SLURM_CPUS_PER_TASK
    long memory = 1024;             // SLURM_MEM_PER_CPU, MiB
    long jobs_per_cpu = 4;          // JOBS_PER_CPU
    bool georef = false;            // GEOREF: 0 or 1
};

// Reads the task's environment; throws std::invalid_argument naming a variable whose value
// is none of its kind, and where SLURM_ARRAY_TASK_ID is not set.
TaskEnvironment task_environment();

// Returns "--array=0-K", the array of tasks of tiles_per_task lines each that covers lines
// lines.
std::string array_for(std::size_t lines, std::size_t tiles_per_task);

struct TaskPlan {
    std::size_t first, last; // lines of the list, from 1
    std::size_t jobs;        // runs at once
    std::vector<std::string> pending;
};

// Plans a task: its lines of the list, those of them that no job log records as finished,
// and how many runs at once the task's CPUs and memory per CPU hold, a run needing its flag
// file's size and 4 MiB. Throws std::invalid_argument where the array does not cover the
// list exactly, saying which --array it needs.
TaskPlan plan_task(const TileList& list, const TileOptions& options, const TaskEnvironment& task,
                   const JobLogs& logs);

} // namespace batch
