// Where the profile file lives: $XDG_CONFIG_HOME/datrax/datra.pro, else
// ~/.config/datrax/datra.pro. Tests and tools point it elsewhere. The
// window's remembered size and place live beside it.
#pragma once
#include <string>

namespace datrax::platform {

// The profile file's path; its folder is created when needed.
std::string profile_file_path();
// Overrides the path for this run (tests, the replay runner).
void set_profile_file_path(const std::string& path);
// The file `window` in the profile file's folder.
std::string window_file_path();

}  // namespace datrax::platform
