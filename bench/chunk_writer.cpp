// The lowest-cost writer of a tile pair's bytes, as a yardstick: one 1 MiB buffer written
// over and over. Usage: chunk_writer TILE HEIGHT_BYTES FLAG_BYTES
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

bool write_repeated(const std::string& name, unsigned long long count, char value) {
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
    return fd >= 0 && ::close(fd) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: chunk_writer TILE HEIGHT_BYTES FLAG_BYTES\n");
        return 2;
    }
    const std::string tile = argv[1];
    const bool written = write_repeated(tile, std::strtoull(argv[2], nullptr, 10), 0) &&
                         write_repeated(tile + "_flag", std::strtoull(argv[3], nullptr, 10), 1);
    return written ? 0 : 1;
}
