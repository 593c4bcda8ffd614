// A git-like tool, as a user of the parser writes one: two levels of subcommands, lists, an
// optional, environment fallbacks, exclusive options, a count and a negatable
// flag; with getopt's conventions, and errors ending with status 2.
#include <argparse/args.hpp>

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

struct Add : argparse::Args {
    std::string& name = arg("NAME", "remote name");
    std::string& url = arg("URL", "remote address");
};

struct Remote : argparse::Args {
    bool& verbose = flag("v,verbose", "show the addresses");
    Add& add = subcommand<Add>("add");
};

struct Commit : argparse::Args {
    std::vector<std::string>& messages =
        kwarg("m,message", "message").set_default(std::vector<std::string>{});
    std::optional<std::string>& author =
        kwarg("author", "author").set_env("GT_AUTHOR").set_default(std::optional<std::string>{});
    bool& all = flag("a,all", "every change");
    bool& patch = flag("p,patch", "chosen changes");
    bool& sign = flag("s,sign", "sign it").set_env("GT_SIGN");
    Commit() { exclusive({"a", "p"}); }
};

struct Gt : argparse::Args {
    unsigned int& verbose = count("v,verbose", "say more, once for each");
    bool& color = negatable("color", "colour the output").set_default(true);
    std::filesystem::path& dir =
        kwarg("C,dir", "work in DIR").set_env("GT_DIR").set_default(std::filesystem::path("."));
    double& timeout = kwarg("t,timeout", "seconds to wait").set_default(10.0);
    Remote& remote = subcommand<Remote>("remote,rm", "manage the remotes");
    Commit& commit = subcommand<Commit>("commit");
    Gt() {
        settings.getopt = true;
        settings.error_status = 2;
    }
};

int main(int argc, char** argv) {
    Gt gt;
    gt.parse(argc, argv, false);
    std::cout << gt.verbose << gt.color << " " << gt.dir.string() << " " << gt.timeout;
    if (gt.commit.parsed) {
        std::cout << " commit " << argparse::joined(gt.commit.messages, "|") << " "
                  << gt.commit.author.value_or("-") << " " << gt.commit.all << gt.commit.sign;
    }
    if (gt.remote.add.parsed) {
        std::cout << " remote " << gt.remote.verbose << " add " << gt.remote.add.name << " "
                  << gt.remote.add.url;
    }
    std::cout << "\n";
}
