#include "platform/name_completion.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace datrax::platform {

NameCompletion complete_name(std::string_view typed) {
    namespace fs = std::filesystem;
    const size_t cut = typed.find_last_of("/\\");
    const std::string_view folder_part = cut == std::string_view::npos ? std::string_view{} : typed.substr(0, cut + 1);
    const std::string_view start = typed.substr(folder_part.size());
    std::string folder(folder_part.empty() ? std::string_view(".") : folder_part);
    std::replace(folder.begin(), folder.end(), '\\', '/');

    NameCompletion result{std::string(typed), {}};
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.compare(0, start.size(), start) != 0) continue;
        if (name[0] == '.' && (start.empty() || start[0] != '.')) continue;
        std::error_code dir_ec;
        if (it->is_directory(dir_ec)) name += '/';
        result.matches.push_back(std::move(name));
    }
    if (result.matches.empty()) return result;
    std::sort(result.matches.begin(), result.matches.end());
    // Sorted, the longest shared start of all is that of the first and last.
    const std::string& first = result.matches.front();
    const std::string& last = result.matches.back();
    size_t n = 0;
    while (n < first.size() && n < last.size() && first[n] == last[n]) ++n;
    result.common = std::string(folder_part) + first.substr(0, n);
    return result;
}

}  // namespace datrax::platform
