#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

inline std::string read_file(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void write_text(const std::string& name, const std::string& text) {
    std::ofstream(name, std::ios::binary) << text;
}

// File names and their bytes; a directory's name ends in "/" and holds "".
using Files = std::map<std::string, std::string>;

// A fresh directory under the system's temporary directory, removed with all it holds.
class TempDir {
public:
    TempDir() {
        std::string pattern = std::filesystem::temp_directory_path() / "mavrel-test-XXXXXX";
        path = ::mkdtemp(pattern.data());
        // Open to other users, so that a test may run mavrel as one of them.
        std::filesystem::permissions(path, std::filesystem::perms(0755));
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string operator/(const std::string& name) const { return path / name; }

    // Returns everything the directory holds, to compare whole and to spot files left behind.
    Files contents() const {
        Files found;
        for (const auto& entry : std::filesystem::directory_iterator(path)) {
            const std::string name = entry.path().filename();
            found[entry.is_directory() ? name + "/" : name] =
                entry.is_directory() ? "" : read_file(entry.path());
        }
        return found;
    }

    std::filesystem::path path;
};
