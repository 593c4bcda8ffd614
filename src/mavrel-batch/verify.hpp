#pragma once

// A batch's files checked themselves, not its job logs.

#include "mavrel-batch/temporaries.hpp"
#include "mavrel-batch/tile_list.hpp"
#include "mavrel-batch/tile_options.hpp"

#include <ostream>

namespace batch {

struct VerifyRules {
    bool headers = false; // mavrel-georef's header of each file must be there too
    bool content = false; // every byte read
    TemporaryRules temporaries;
};

// Checks that each tile of the list has its height and flag files, regular, at the sizes that
// options give (with content, holding their samples, else the first wrong byte is named),
// with headers their headers, and no header of the other kind that an earlier run with other
// types left; then judges the temporaries in the tiles' directories. Each directory is walked
// once, as the writer walks it, and held. Prints "W whole, B not whole", with the
// temporaries' counts where there are any, then a line for each fault and each temporary.
// Returns whether every tile is whole and none of this user's temporaries is left.
bool verify(const TileList& list, const TileOptions& options, const VerifyRules& rules,
            std::ostream& out);

} // namespace batch
