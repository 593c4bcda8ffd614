// Where a batch stands, from its job logs.
#include "mavrel-batch/status.hpp"

#include "mavrel-batch/region_map.hpp"

#include <argparse/printable.hpp>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace batch {
namespace {

// A tile's mark, by the latest run of its tile.
char mark_of(const JobLogs& logs, const std::string& tile) {
    if (logs.latest.count(tile) == 0) {
        return '.';
    }
    return finished(logs, tile) ? '#' : 'X';
}

// ", R tiles/s, H:MM:SS left": the rate of the runs that finished in the ten minutes before
// the latest of them ended, over the time from the first of them started, and the time that
// waiting tiles take at it; nothing where it cannot tell.
std::string rate_and_time_left(const JobLogs& logs, std::size_t waiting) {
    double latest = 0;
    for (const Run& run : logs.runs) {
        latest = run.finished ? std::max(latest, run.end) : latest;
    }
    std::size_t recent = 0;
    double first = latest;
    for (const Run& run : logs.runs) {
        if (run.finished && run.end >= latest - 600) {
            ++recent;
            first = std::min(first, run.start);
        }
    }
    if (waiting == 0 || recent == 0 || latest <= first) {
        return "";
    }
    const double rate = static_cast<double>(recent) / (latest - first);
    const auto left = static_cast<long>(static_cast<double>(waiting) / rate + 0.5);
    char text[96];
    std::snprintf(text, sizeof text, ", %.2f tiles/s, %ld:%02ld:%02ld left", rate, left / 3600,
                  left / 60 % 60, left % 60);
    return text;
}

// Where a cell is listed twice (in two directories), its worse state shows.
void mark_cell(Marks& marks, const std::string& tile, char mark) {
    const cli::Cell cell = cli::cell_of(tile);
    const char order[] = "#.X";
    char& shown = marks.try_emplace({cell.south, cell.west}, mark).first->second;
    shown = std::strchr(order, mark) > std::strchr(order, shown) ? mark : shown;
}

} // namespace

void print_pending(const TileList& list, const JobLogs& logs, std::ostream& out) {
    for (const std::string& tile : list.tiles) {
        if (!finished(logs, tile)) {
            out << tile << "\n";
        }
    }
}

bool print_status(const TileList& list, const JobLogs& logs, bool map, std::ostream& out) {
    std::size_t finished = 0;
    std::size_t waiting = 0;
    std::vector<std::string> failed;
    Marks marks;
    for (const std::string& tile : list.tiles) {
        const char mark = mark_of(logs, tile);
        finished += mark == '#';
        waiting += mark == '.';
        if (mark == 'X') {
            failed.push_back(tile);
        }
        mark_cell(marks, tile, mark);
    }
    out << finished << " finished, " << failed.size() << " failed, " << waiting << " not yet run"
        << rate_and_time_left(logs, waiting) << "\n";
    for (const std::string& tile : failed) {
        out << argparse::printable(tile) << "\n";
    }
    if (map) {
        out << region_map(marks) << "# finished, X failed, . not yet run\n";
    }
    return finished == list.tiles.size();
}

} // namespace batch
