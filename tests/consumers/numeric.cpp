// A numeric tool, as a user of the parser writes one: ranges, reals and their defaults.
#include <argparse/args.hpp>
#include <argparse/validators.hpp>

#include <iostream>
#include <string>
#include <vector>

struct Numeric : argparse::Args {
    unsigned int& n = kwarg("n", "count").set_default(5U).validate(argparse::range(1U, 10U));
    double& ratio = kwarg("ratio", "the share of the whole, from 0 to 1")
                        .set_default(0.5)
                        .validate(argparse::range(0.0, 1.0));
    std::vector<long>& levels =
        kwarg("l", "levels").set_default(std::vector<long>{}).validate(argparse::range(-2, 2));
    std::string& word = kwarg("w", "a word").set_default("1").validate(argparse::range(0, 9));
    double& x = kwarg("x", "a real").set_default(0.0);
    float& y = kwarg("y", "a float").set_default(0.0F);
    float& pi = kwarg("pi", "pi").set_default(3.14159265358979);
    float& big = kwarg("big", "2^24 + 1").set_default(16777217.0);
    double& wide = kwarg("wide", "an eighth").set_default(123456789.125);
    std::vector<std::string>& points =
        kwarg("p", "points").set_env("NUMERIC_POINTS").set_default(std::vector<std::string>{});
    Numeric() {
        settings.strict = true;
        settings.wrap_help = true;
    }
};

int main(int argc, char** argv) {
    Numeric args;
    args.parse(argc, argv, false);
    std::cout << args.n << " " << args.ratio << " " << args.levels.size() << " " << args.word << " "
              << args.x << " " << args.y << " " << args.points.size() << ":"
              << argparse::joined(args.points, "|") << " "
              << argparse::Converter<float>::to_text(args.pi) << " "
              << argparse::Converter<float>::to_text(args.big) << "\n";
}
