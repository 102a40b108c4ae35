// The Tab list of matches on arbitrary names: the row never passes its
// width, holds no character that would end or break it, and lists each name
// whole or counts it in "... (N more)". The same names as files of a folder,
// listed by a second Tab at a real prompt, stay on the row above it.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "console/prompts.h"
#include "fuzz_support.h"

using namespace datrax;

namespace {

std::vector<std::string> split_names(std::string_view bytes) {
    std::vector<std::string> names;
    size_t start = 0;
    for (size_t i = 0; i <= bytes.size(); ++i) {
        if (i == bytes.size() || bytes[i] == '\0') {
            names.emplace_back(bytes.substr(start, i - start));
            start = i + 1;
        }
    }
    return names;
}

void check_row(const std::vector<std::string>& names, size_t width) {
    const std::string row = match_list_row(names, width);
    fuzz::require(row.size() <= width || names.empty(), "the row fits its width");
    for (char ch : row) {
        const auto u = static_cast<unsigned char>(ch);
        fuzz::require(u >= 32 && u != 127 && ch != '|', "no end mark or control character in the row");
    }
    // Every name is listed whole (each followed by two blanks) or counted.
    size_t listed = 0, at = 0;
    for (const std::string& name : names) {
        std::string entry = name + "  ";
        for (char& ch : entry)
            if (static_cast<unsigned char>(ch) < 32 || ch == 127 || ch == '|') ch = '?';
        if (row.compare(at, entry.size(), entry) != 0) break;
        at += entry.size();
        ++listed;
    }
    if (listed < names.size()) {
        const std::string more = "... (" + std::to_string(names.size() - listed) + " more)";
        fuzz::require(row.size() >= more.size() && row.compare(row.size() - more.size(), more.size(), more) == 0,
                      "the names not listed are counted");
    }
}

// The names as files of a fresh folder (those a folder can hold), then Tab
// twice at a file-name prompt on row 3: only row 2 shows the list.
void list_at_a_prompt(const std::vector<std::string>& names) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(fuzz::scratch_dir()) / "names";
    std::error_code ec;
    fs::remove_all(folder, ec);
    fs::create_directory(folder, ec);
    size_t made = 0;
    for (const std::string& name : names) {
        if (made == 40 || name.empty() || name.size() > 200 || name == "." || name == ".." ||
            name.find('/') != std::string::npos)
            continue;
        if (fuzz::write_file((folder / name).string(), "")) ++made;
    }
    const fs::path back = fs::current_path(ec);
    fs::current_path(folder, ec);
    platform::HeadlessWindow& w = fuzz::quiet_window("{tab}{tab}{enter}");
    w.canvas().clear_screen();
    FileName answer;
    ask_file_name(0, -3, "File --> |", answer, kNameLength, 15);
    fs::current_path(back, ec);
    for (int row = 0; row < w.canvas().rows(); ++row) {
        if (row == 2 || row == 3) continue;
        fuzz::require(w.canvas().row_text(row).empty(), "the list stays on the row above the prompt");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Bytes in(data, size);
    const size_t width = 20 + in.take<uint8_t>();
    const std::vector<std::string> names = split_names(in.rest());
    check_row(names, width);
    list_at_a_prompt(names);
    return 0;
}
