// File-name completion for the prompts that ask for a file's name: the
// files of the working folder (or of the folder typed before the last "/")
// whose names start with the typed text.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace datrax::platform {

struct NameCompletion {
    std::string common;                // TYPED lengthened to the longest start all matches share
    std::vector<std::string> matches;  // the matching names without their folder, sorted; folders end in "/"
};

// Hidden entries match only a typed text that starts with ".". A backslash
// ends a folder part as a slash does.
NameCompletion complete_name(std::string_view typed);

}  // namespace datrax::platform
