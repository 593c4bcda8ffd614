// Writing one file for good: a file set of one.
#include "write_file.hpp"

#include "file_set.hpp"

namespace writer {

void write_file(const std::string& name, const void* bytes, std::size_t count) {
    FileSet file;
    file.stage(name, bytes, count);
    file.commit();
}

} // namespace writer
