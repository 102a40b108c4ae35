#include "hp2xx_check.h"

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "golden_file.h"

namespace datrax::testing {

namespace {
std::string quoted(const std::filesystem::path& p) {
    std::string out = "'";
    for (const char c : p.string()) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}
}  // namespace

::testing::AssertionResult renders_with_hp2xx(const std::filesystem::path& plot_file) {
    if (std::system("command -v hp2xx >/dev/null 2>&1") != 0)
        return ::testing::AssertionFailure() << "hp2xx is not installed (scripts/install-deps installs it)";
    const std::filesystem::path folder = plot_file.parent_path();
    const std::filesystem::path name = plot_file.filename();
    std::filesystem::path png = name, log = name;
    png.replace_extension(".png");
    log.replace_extension(".hp2xx.log");
    std::filesystem::remove(folder / png);
    const std::string command = "cd " + quoted(folder) + " && hp2xx -q -N -m png -f " + quoted(png) + " " +
                                quoted(name) + " >" + quoted(log) + " 2>&1";
    const int status = std::system(command.c_str());
    const std::string output = read_file_bytes(folder / log);
    const bool exited_ok = status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!exited_ok || output.find("rror") != std::string::npos)
        return ::testing::AssertionFailure() << "hp2xx failed on " << plot_file << ":\n" << output;
    if (!std::filesystem::exists(folder / png))
        return ::testing::AssertionFailure() << "hp2xx wrote no picture for " << plot_file;
    return ::testing::AssertionSuccess();
}

}  // namespace datrax::testing
