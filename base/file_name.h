// File names as the program keeps them: blank-padded texts long enough for
// any path the system takes, the base name that the dated-series rules read,
// and the shortened form shown where a screen field is narrower.
#pragma once
#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "base/text.h"

namespace datrax {

// The longest path the system takes (PATH_MAX on Linux).
constexpr int kNameLength = 4096;
using FileName = Text<kNameLength>;

// Position (from 0) of the base name: after the last "/" or "\".
inline size_t base_name_start(std::string_view name) {
    const size_t cut = name.find_last_of("/\\");
    return cut == std::string_view::npos ? 0 : cut + 1;
}

// The name as a screen field WIDTH characters wide shows it: as it stands
// when its used part (without trailing blanks or NUL bytes) fits, else
// shortened from the left to "..." and the end of the name, so the base name
// stays in sight. At most WIDTH characters.
inline std::string shown_name(std::string_view name, size_t width) {
    constexpr std::string_view kCut = "...";
    const size_t last = name.find_last_not_of(std::string_view(" \0", 2));
    const size_t used = last == std::string_view::npos ? 0 : last + 1;
    if (used <= width) return std::string(name.substr(0, std::min(width, name.size())));
    if (width <= kCut.size()) return std::string(name.substr(used - width, width));
    return std::string(kCut) + std::string(name.substr(used - (width - kCut.size()), width - kCut.size()));
}

}  // namespace datrax
