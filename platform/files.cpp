#include "platform/files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace datrax::platform {

std::string native_path(std::string_view name) {
    std::string path(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool file_exists(std::string_view name) {
    if (name.empty()) return false;
    struct stat st {};
    if (::stat(native_path(name).c_str(), &st) != 0) return false;
    return !S_ISDIR(st.st_mode);
}

bool delete_file(std::string_view name) {
    if (name.empty()) return false;
    return ::unlink(native_path(name).c_str()) == 0;
}

}  // namespace datrax::platform
