// A batch's files checked themselves: sizes, samples, headers and temporaries.
#include "mavrel-batch/verify.hpp"

#include "writer/descriptor.hpp"
#include "writer/name_resolution.hpp"
#include "writer/names.hpp"

#include "mavrel-batch/listing.hpp"
#include "mavrel-georef/header.hpp"

#include <argparse/printable.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <unordered_set>

namespace batch {
namespace {

// One raw file of a tile, as options say it must be.
struct Expected {
    std::string file;
    std::size_t sample_bytes;
    std::uint64_t size;
    int flag;                 // the value of every sample: 0 for heights, 1 for flags
    cli::HeaderNames headers; // as mavrel-georef writes them
};

template <typename Type>
Expected expected(const std::string& file, Type type, std::uint32_t width, int flag) {
    const cli::SampleType sample = cli::sample_type(type);
    return {file, sample.bytes, std::uint64_t{width} * width * sample.bytes, flag,
            cli::header_names(file, sample)};
}

// Returns "" where fd holds the samples of expected, else which byte is wrong.
std::string wrong_byte(int fd, const Expected& file) {
    constexpr std::size_t chunk = std::size_t{1} << 20; // a multiple of every sample size
    std::string pattern(chunk, '\0');
    for (std::size_t i = 0; i < chunk; i += file.sample_bytes) {
        pattern[i] = static_cast<char>(file.flag);
    }
    std::string read(chunk, '\0');
    for (std::uint64_t offset = 0;;) {
        const ssize_t length = ::read(fd, read.data(), chunk);
        if (length <= 0) {
            return length < 0 ? std::strerror(errno) : "";
        }
        const auto size = static_cast<std::size_t>(length);
        if (std::memcmp(read.data(), pattern.data(), size) != 0) {
            std::size_t at = 0;
            while (read[at] == pattern[at]) {
                ++at;
            }
            char text[96];
            std::snprintf(text, sizeof text, "byte %llu is %02x, not %02x",
                          static_cast<unsigned long long>(offset + at),
                          static_cast<unsigned char>(read[at]),
                          static_cast<unsigned char>(pattern[at]));
            return text;
        }
        offset += size;
    }
}

class Checker {
    // A tile's directory, held, and its entries, which tell what exists without a call each.
    struct Directory {
        writer::Descriptor fd; // -1 where there is none
        std::unordered_set<std::string> names;
    };

public:
    Checker(const VerifyRules& rules) : rules(rules) {}

    // Adds the faults of one tile; returns whether there were none.
    bool check_tile(const std::string& tile, const TileOptions& options) {
        const std::size_t before = faults.size();
        const Expected height = expected(tile, options.data_type, options.width, 0);
        const Expected flag = expected(tile + "_flag", options.flag_type, options.width, 1);
        const Directory& directory = directory_of(tile);
        const bool heights = check_file(directory, height);
        const bool flags = check_file(directory, flag);
        if (!heights && !flags) {
            fault(tile, "missing");
        } else if (!flags) {
            fault(tile, "height file without flag file");
        } else if (!heights) {
            fault(tile, "flag file without height file");
        }
        for (const Expected* file : {&height, &flag}) {
            check_headers(directory, *file);
        }
        return faults.size() == before;
    }

    void judge_temporaries(const TemporaryRules& temporary_rules) {
        for (const auto& [path, directory] : directories) {
            if (directory.fd.valid()) {
                batch::judge_temporaries(directory.fd.get(), directory.names,
                                         path == "." ? "" : path, temporary_rules, temporaries,
                                         counts);
            }
        }
    }

    std::vector<std::string> faults;
    std::vector<std::string> temporaries;
    TemporaryCounts counts;

private:
    const VerifyRules& rules;
    std::map<std::string, Directory> directories;

    void fault(const std::string& file, const std::string& what) {
        faults.push_back(argparse::printable(file) + ": " + what);
    }

    const Directory& directory_of(const std::string& tile) {
        const std::string path = writer::directory_of(tile);
        auto found = directories.find(path);
        if (found == directories.end()) {
            Directory directory;
            try {
                directory.fd = writer::find_directory(path);
                directory.names = names_in(directory.fd.get());
            } catch (const std::system_error&) {
                // its tiles are missing
            }
            found = directories.emplace(path, std::move(directory)).first;
        }
        return found->second;
    }

    // Adds the faults of one file; returns whether it exists.
    bool check_file(const Directory& directory, const Expected& file) {
        struct stat status {};
        const std::string leaf = writer::leaf_of(file.file);
        if (!exists(directory, file.file)) {
            return false;
        }
        if (::fstatat(directory.fd.get(), leaf.c_str(), &status, 0) != 0) {
            fault(file.file, std::strerror(errno));
            return true;
        }
        if (!S_ISREG(status.st_mode)) {
            fault(file.file, "not a regular file");
        } else if (static_cast<std::uint64_t>(status.st_size) != file.size) {
            fault(file.file,
                  std::to_string(status.st_size) + " bytes, not " + std::to_string(file.size));
        } else if (rules.content) {
            const writer::Descriptor fd(::openat(directory.fd.get(), leaf.c_str(),
                                                 O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
            const std::string wrong =
                fd.valid() ? wrong_byte(fd.get(), file) : std::strerror(errno);
            if (!wrong.empty()) {
                fault(file.file, wrong);
            }
        }
        return true;
    }

    static bool exists(const Directory& directory, const std::string& file) {
        return directory.names.count(writer::leaf_of(file)) != 0;
    }

    void check_headers(const Directory& directory, const Expected& file) {
        for (const std::string& header : file.headers.written) {
            if (rules.headers && !exists(directory, header)) {
                fault(header, "missing");
            }
        }
        for (const std::string& header : file.headers.stale) {
            if (exists(directory, header)) {
                fault(header, "a header of another sample type, left by an earlier run");
            }
        }
    }
};

std::string counts_of(const TemporaryCounts& counts) {
    if (counts.dead + counts.removed + counts.live + counts.others == 0) {
        return "";
    }
    std::string text = "; temporaries: " + std::to_string(counts.dead) + " dead, " +
                       std::to_string(counts.removed) + " removed, " + std::to_string(counts.live) +
                       " live";
    return counts.others == 0 ? text : text + ", " + std::to_string(counts.others) + " other";
}

} // namespace

bool verify(const TileList& list, const TileOptions& options, const VerifyRules& rules,
            std::ostream& out) {
    Checker checker(rules);
    std::size_t whole = 0;
    for (const std::string& tile : list.tiles) {
        whole += checker.check_tile(tile, options);
    }
    checker.judge_temporaries(rules.temporaries);
    out << whole << " whole, " << list.tiles.size() - whole << " not whole"
        << counts_of(checker.counts) << "\n";
    for (const auto* lines : {&checker.faults, &checker.temporaries}) {
        for (const std::string& line : *lines) {
            out << line << "\n";
        }
    }
    return whole == list.tiles.size() && checker.counts.dead + checker.counts.live == 0;
}

} // namespace batch
