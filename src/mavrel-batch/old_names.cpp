// The batch commands' names of earlier releases.
#include "mavrel-batch/old_names.hpp"

#include <algorithm>
#include <map>

namespace batch {
namespace {

// Takes the first word equal to option out of words; returns whether there was one.
bool taken(std::vector<std::string>& words, const std::string& option) {
    const auto found = std::find(words.begin(), words.end(), option);
    if (found == words.end()) {
        return false;
    }
    words.erase(found);
    return true;
}

} // namespace

std::vector<std::string> subcommand_words(const std::string& program,
                                          std::vector<std::string> words) {
    static const std::map<std::string, std::string> subcommands{{"mavrel-tile-names", "names"},
                                                                {"mavrel-strict", "run"},
                                                                {"mavrel-batch-status", "status"},
                                                                {"mavrel-verify", "verify"}};
    const auto found = subcommands.find(program);
    if (found == subcommands.end()) {
        return words;
    }
    std::string subcommand = found->second;
    // The modes of two of them are subcommands now.
    if (subcommand == "run" && !words.empty() && words.front() == "--check") {
        words.erase(words.begin());
        subcommand = "check";
    } else if (subcommand == "status" && taken(words, "--pending")) {
        subcommand = "pending";
    }
    words.insert(words.begin(), subcommand);
    return words;
}

} // namespace batch
