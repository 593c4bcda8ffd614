// The flags that count how often they are given, and those that --no-NAME sets false again.
#include <argparse/args.hpp>
#include <argparse/text.hpp>

namespace argparse {

Entry& Args::count(const std::string& keys, const std::string& help) {
    Entry& entry = kwarg(keys, help);
    entry.counted = true;
    return entry.set_default(0U);
}

Entry& Args::negatable(const std::string& keys, const std::string& help) {
    std::vector<std::string> negations;
    for (const auto& name : split_keys(keys)) {
        if (name.size() > 1) {
            negations.push_back("no-" + name);
        }
    }
    Entry& entry = flag(negations.empty() ? keys : keys + "," + joined(negations, ","), help);
    entry.negations = negations;
    return entry;
}

} // namespace argparse
