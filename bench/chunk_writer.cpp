// The lowest-cost writer of a tile pair's bytes, as a yardstick: one 1 MiB buffer written
// over and over, and with "sync" each file brought to stable storage (fdatasync) before it
// is closed, the least that a durable writer must do.
// Usage: chunk_writer TILE HEIGHT_BYTES FLAG_BYTES [sync]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

bool write_repeated(const std::string& name, unsigned long long count, char value, bool sync) {
    static char chunk[1 << 20];
    std::memset(chunk, value, sizeof chunk);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    while (fd >= 0 && count > 0) {
        const std::size_t size = count < sizeof chunk ? count : sizeof chunk;
        if (::write(fd, chunk, size) != static_cast<ssize_t>(size)) {
            return false;
        }
        count -= size;
    }
    return fd >= 0 && (!sync || ::fdatasync(fd) == 0) && ::close(fd) == 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool sync = argc == 5 && std::strcmp(argv[4], "sync") == 0;
    if (argc != 4 && !sync) {
        std::fprintf(stderr, "usage: chunk_writer TILE HEIGHT_BYTES FLAG_BYTES [sync]\n");
        return 2;
    }
    const std::string tile = argv[1];
    const bool written =
        write_repeated(tile, std::strtoull(argv[2], nullptr, 10), 0, sync) &&
        write_repeated(tile + "_flag", std::strtoull(argv[3], nullptr, 10), 1, sync);
    return written ? 0 : 1;
}
