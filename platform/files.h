// File-system questions and housekeeping. Names are the system's file names
// (a backslash ends a directory part like a slash); nothing here keeps state.
#pragma once
#include <string>
#include <string_view>

namespace datrax::platform {

// The name as the operating system wants it: backslashes become slashes.
std::string native_path(std::string_view name);

// True when the name denotes an existing file that is not a folder.
bool file_exists(std::string_view name);

// Deletes the file; false when it could not be deleted.
bool delete_file(std::string_view name);

}  // namespace datrax::platform
