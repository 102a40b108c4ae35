#include "golden_file.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace datrax::testing {

namespace {

bool update_requested() {
    const char* v = std::getenv("DATRAX_UPDATE_GOLDEN");
    return v && std::string_view(v) == "1";
}

void write_file_bytes(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Control characters shown as \xNN so that a diff of records is readable.
std::string visible(std::string_view line) {
    std::string out;
    for (const unsigned char c : line) {
        if (c < 32 || c >= 127) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// Lines with their line ends, so that a missing last line end shows too.
std::vector<std::string_view> split_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t nl = text.find('\n');
        const size_t n = nl == std::string_view::npos ? text.size() : nl + 1;
        lines.push_back(text.substr(0, n));
        text.remove_prefix(n);
    }
    return lines;
}

std::string quoted_line(const std::vector<std::string_view>& lines, size_t i) {
    if (i >= lines.size()) return "(end of file)";
    std::string quoted(1, '"');
    quoted.append(visible(lines[i]));
    quoted.push_back('"');
    return quoted;
}

std::string first_difference(std::string_view expected, std::string_view actual) {
    const auto e = split_lines(expected), a = split_lines(actual);
    size_t i = 0;
    while (i < e.size() && i < a.size() && e[i] == a[i]) ++i;
    std::ostringstream msg;
    msg << "first difference at line " << i + 1 << ":\n  expected: " << quoted_line(e, i)
        << "\n  actual:   " << quoted_line(a, i);
    return msg.str();
}

}  // namespace

std::string read_file_bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::filesystem::path test_output_path(std::string_view name) {
    const std::filesystem::path p = std::filesystem::path(DATRAX_BINARY_DIR) / "test_output" / name;
    std::filesystem::create_directories(p.parent_path());
    return p;
}

std::filesystem::path golden_path(std::string_view name) {
    return std::filesystem::path(DATRAX_SOURCE_DIR) / "tests" / "golden" / name;
}

::testing::AssertionResult matches_golden(std::string_view name, std::string_view actual) {
    const std::filesystem::path out = test_output_path(name);
    write_file_bytes(out, actual);
    const std::filesystem::path golden = golden_path(name);
    if (update_requested()) {
        write_file_bytes(golden, actual);
        return ::testing::AssertionSuccess() << "golden file rewritten: " << golden;
    }
    if (!std::filesystem::exists(golden))
        return ::testing::AssertionFailure()
               << "no golden file " << golden << " (actual output in " << out << "; DATRAX_UPDATE_GOLDEN=1 creates it)";
    const std::string expected = read_file_bytes(golden);
    if (expected == actual) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << name << " differs from its golden file; "
                                         << first_difference(expected, actual) << "\n  actual output: " << out;
}

}  // namespace datrax::testing
