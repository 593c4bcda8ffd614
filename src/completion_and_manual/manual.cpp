// The shape that every program's manual page shares: its prose put in place, the authors.
#include "completion_and_manual/manual.hpp"

#include "mavrel/command_line.hpp"

namespace cli {

argparse::ManPage man_page_of(const Manual& manual, const std::string& version) {
    argparse::ManPage page;
    page.summary = manual.summary;
    page.version = version;
    page.texts = {{"?", "prints the description, the usage line and the options, and exits."}};
    for (const auto& [name, text] :
         {std::pair{"TILE", manual.tile}, {"WIDTH", manual.width}, {"version", manual.version}}) {
        if (text != nullptr) {
            page.texts[name] = text;
        }
    }
    page.sections = {{"DESCRIPTION", manual.description},
                     {"EXIT STATUS", manual.exit_status},
                     {"FILES", manual.files},
                     {"EXAMPLES", manual.examples},
                     {"AUTHORS", std::string(authors) + ".\n"},
                     {"SEE ALSO", manual.see_also}};
    return page;
}

} // namespace cli
