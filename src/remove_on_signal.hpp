#pragma once

#include <string>

namespace cli {

// While it lives, a hang-up, interrupt or termination signal removes the file at path before
// it ends the process as it otherwise would; signals that were ignored stay ignored.
class RemoveOnSignal {
public:
    explicit RemoveOnSignal(const std::string& path);
    ~RemoveOnSignal();
    RemoveOnSignal(const RemoveOnSignal&) = delete;
    RemoveOnSignal& operator=(const RemoveOnSignal&) = delete;
};

} // namespace cli
