// Replacing a file that holds the user's data without ever leaving half of
// it: the new contents go to a temporary file beside it, which is then
// renamed over the old one.
#pragma once
#include <string>
#include <string_view>

namespace datrax::platform {

// False (with a one-line reason) when the file could not be written; the
// old file is then left as it was.
bool replace_file(const std::string& path, std::string_view contents, std::string& error);

}  // namespace datrax::platform
