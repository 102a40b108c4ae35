// The headless replay runner: runs the real main program with a key script
// and prints the screen as text (and, with --png, writes it as a PNG).
//
//   datrax-replay [--dir DIR] [--profile FILE] [--png OUT.png] [--keys-file FILE]
//                 [--open FILE [--open FILE2]] [KEYS]
//
// --open passes FILE to the program as a command-line argument (twice at most).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_program.h"
#include "platform/config_path.h"
#include "platform/headless_window.h"
#include "platform/png_writer.h"

namespace {

struct Options {
    std::string dir, profile, png, keys_file, keys;
    std::vector<std::string> open;  // data files named on the program's command line
};

constexpr const char* kUsage =
    "usage: datrax-replay [--dir DIR] [--profile FILE] [--png OUT.png] [--keys-file FILE] "
    "[--open FILE [--open FILE2]] [KEYS]\n";

int usage(const std::string& problem) {
    std::fprintf(stderr, "datrax-replay: %s\n%s", problem.c_str(), kUsage);
    return 1;
}

// --help: what the runner does and how it is called, on standard output.
int help() {
    std::printf(
        "datrax-replay: runs DATRAX headless with a key script, prints the screen as text\n%s"
        "  --dir DIR         working folder of the run\n"
        "  --profile FILE    profile file (default: a fresh one, removed afterwards)\n"
        "  --png OUT.png     also write the screen as a PNG\n"
        "  --keys-file FILE  keys read from FILE (before KEYS)\n"
        "  --open FILE       a data file named on the program's command line (twice at most)\n"
        "  KEYS              the key script, e.g. \"dfile.dat{enter}\"\n",
        kUsage);
    return 0;
}

bool parse_options(int argc, char** argv, Options& o, std::string& problem) {
    bool have_keys = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        std::string* target = nullptr;
        if (a == "--dir")
            target = &o.dir;
        else if (a == "--profile")
            target = &o.profile;
        else if (a == "--png")
            target = &o.png;
        else if (a == "--keys-file")
            target = &o.keys_file;
        else if (a == "--open")
            target = &o.open.emplace_back();
        if (target) {
            if (i + 1 >= argc) {
                problem = a + " needs a value";
                return false;
            }
            *target = argv[++i];
            if (o.open.size() > 2) {
                problem = "--open is taken twice at most";
                return false;
            }
        } else if (a.rfind("--", 0) == 0) {
            problem = "unknown option " + a;
            return false;
        } else if (have_keys) {
            problem = "more than one KEYS argument";
            return false;
        } else {
            o.keys = a;
            have_keys = true;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    Options o;
    std::string problem;
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--help" || std::string_view(argv[i]) == "-h") return help();
    if (!parse_options(argc, argv, o, problem)) return usage(problem);

    std::string script;
    if (!o.keys_file.empty()) {
        std::ifstream in(o.keys_file, std::ios::binary);
        if (!in) return usage("cannot read keys file " + o.keys_file);
        std::stringstream ss;
        ss << in.rdbuf();
        script = ss.str();
    }
    script += o.keys;

    std::vector<datrax::platform::ScriptKey> keys;
    if (!datrax::platform::parse_key_script(script, keys, problem)) return usage(problem);

    if (!o.png.empty()) o.png = fs::absolute(o.png).string();
    fs::path temp_dir;
    if (o.profile.empty()) {
        temp_dir = fs::temp_directory_path() / ("datrax-replay-" + std::to_string(::getpid()));
        fs::create_directories(temp_dir);
        o.profile = (temp_dir / "datra.pro").string();
    }
    datrax::platform::set_profile_file_path(fs::absolute(o.profile).string());
    if (!o.dir.empty()) {
        std::error_code ec;
        fs::current_path(o.dir, ec);
        if (ec) return usage("cannot enter folder " + o.dir);
    }

    datrax::platform::HeadlessWindow window(std::move(keys));
    datrax::platform::set_window(&window);
    datrax::run_datrax(o.open);
    std::cout << window.screen_text();
    int status = 0;
    if (!o.png.empty()) {
        std::string error;
        if (!datrax::platform::write_png(window.canvas(), o.png, error)) {
            std::fprintf(stderr, "datrax-replay: %s\n", error.c_str());
            status = 1;
        }
    }
    if (!temp_dir.empty()) fs::remove_all(temp_dir);
    return status;
}
