// The width and sample types that a batch was started with, kept beside its list.
#include "mavrel-batch/record.hpp"

#include "writer/descriptor.hpp"
#include "writer/write_file.hpp"

#include <argparse/printable.hpp>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace batch {
namespace {

bool is_file(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// The first line of the record at path, or nothing where there is no record.
std::optional<std::string> started(const std::string& path) {
    const writer::Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid()) {
        if (errno == ENOENT) {
            return std::nullopt;
        }
        throw std::system_error(errno, std::generic_category(), path);
    }
    std::string text(256, '\0');
    const ssize_t length = ::read(file.get(), text.data(), text.size());
    if (length < 0) {
        throw std::system_error(errno, std::generic_category(), path);
    }
    text.resize(static_cast<std::size_t>(length));
    return text.substr(0, text.find('\n'));
}

} // namespace

std::string record_of(const std::string& list_path) {
    return list_path + ".batch";
}

void check_record(const std::string& list_path, const TileOptions& options, bool start) {
    if (!is_file(list_path)) {
        return;
    }
    const std::string record = record_of(list_path);
    const std::string wanted = describe(options);
    if (const auto line = started(record)) {
        if (*line != wanted) {
            throw std::invalid_argument(argparse::printable(list_path) + " is a batch of " +
                                        argparse::printable(*line) + ", not of " + wanted + " (" +
                                        argparse::printable(record) + ")");
        }
    } else if (start) {
        const std::string text = wanted + "\n";
        writer::write_file(record, text.data(), text.size());
    }
}

} // namespace batch
