#include "support/sample_files.h"

#include <cstdio>
#include <fstream>

namespace datrax::testing {

std::string datra_text(const DatraLayout& layout, int n, const SampleValue& v) {
    std::string text = layout.title + "\n";
    char line[128];
    std::snprintf(line, sizeof line, "%10d%12s\n%-20s%-20s%s\n", n, layout.dt.c_str(), layout.format.c_str(),
                  layout.unit.c_str(), layout.time_unit.c_str());
    text += line;
    for (int i = 1; i <= n; ++i) {
        std::snprintf(line, sizeof line, layout.value_format, v(i));
        text += line;
        if (i % layout.per_line == 0 || i == n) text += "\n";
    }
    return text;
}

std::string ggp_text(const std::string& header, const std::string& year_month, int first_day, int n,
                     const SampleValue& g, const SampleValue& p, const std::string& trailer) {
    std::string text = header;
    for (int i = 0; i < n; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "%s%02d %02d0000%10.4f%10.4f\n", year_month.c_str(), first_day + i / 24,
                      i % 24, g(i), p(i));
        text += line;
    }
    return text + trailer;
}

void write_text_file(const std::string& name, const std::string& text) {
    std::ofstream(name, std::ios::binary) << text;
}

}  // namespace datrax::testing
