// Reading a saved HP-GL plot file the way a plotter reads it: two-letter
// commands, a label running to its end-of-text character, every other
// command to its ";". Shared by the tests and the plot-file fuzz target, to
// check that no text of a label ever ends it early and runs on as commands.
// Header only, so that the fuzz target needs no test library.
#pragma once
#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace datrax::testing {

struct HpglRecord {
    size_t offset = 0;    // where the command's two letters start
    std::string command;  // "LB", "PU" ...
    std::string params;   // what follows up to its end (the label's text for LB)
};

inline std::vector<HpglRecord> read_hpgl_records(std::string_view file) {
    constexpr char kEndOfText = '\x03';
    std::vector<HpglRecord> records;
    size_t i = 0;
    while (i < file.size()) {
        const unsigned char c = static_cast<unsigned char>(file[i]);
        if (!std::isalpha(c) || i + 1 >= file.size() || !std::isalpha(static_cast<unsigned char>(file[i + 1]))) {
            ++i;  // separators and anything a plotter skips between commands
            continue;
        }
        HpglRecord r{i, std::string(file.substr(i, 2)), {}};
        for (char& ch : r.command) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        i += 2;
        size_t end = 0;
        if (r.command == "LB") {
            end = file.find(kEndOfText, i);
        } else if (r.command == "SM" && i < file.size() && file[i] != ';') {
            end = i + 1;  // the symbol character, whatever it is
        } else {
            end = file.find(';', i);
        }
        if (end == std::string_view::npos) end = file.size();
        r.params = std::string(file.substr(i, end - i));
        records.push_back(std::move(r));
        i = end + 1;
    }
    return records;
}

// Empty when every label of the file is whole, else the first fault: a
// label field as the writer laid it out (a line " LB", the text, the
// end-of-text character and ";" as the line's last ones before the blank
// padding) must be read as one label of exactly that text (so no command
// starts inside it) and hold no control character.
inline std::string label_fault(std::string_view file) {
    const std::vector<HpglRecord> records = read_hpgl_records(file);
    size_t next = 0;  // first record not before the current line
    for (size_t start = 0; start < file.size();) {
        size_t stop = file.find('\n', start);
        if (stop == std::string_view::npos) stop = file.size();
        const std::string_view line = file.substr(start, stop - start);
        if (line.substr(0, 3) == " LB") {
            const size_t end = line.rfind("\x03;");
            if (end == std::string_view::npos) return "a label without its end: " + std::string(line);
            const std::string_view text = line.substr(3, end - 3);
            while (next < records.size() && records[next].offset < start + 1) ++next;
            if (next >= records.size() || records[next].offset != start + 1 || records[next].params != text)
                return "the label is not read as written: " + std::string(text);
            for (const char ch : text)
                if (static_cast<unsigned char>(ch) < 32 || ch == '\x7f')
                    return "control character " + std::to_string(static_cast<int>(ch)) + " in the label";
        }
        start = stop + 1;
    }
    return {};
}

}  // namespace datrax::testing
