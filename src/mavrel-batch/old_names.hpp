#pragma once

// The batch commands' names of earlier releases, which stay installed as links to mavrel-batch.

#include <string>
#include <vector>

namespace batch {

// Returns the words that mean to mavrel-batch what words mean to program: under an old name
// (mavrel-tile-names, mavrel-strict, mavrel-batch-status, mavrel-verify), the subcommand it
// was, first; under any other, words as they are.
std::vector<std::string> subcommand_words(const std::string& program,
                                          std::vector<std::string> words);

} // namespace batch
