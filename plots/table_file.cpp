#include "plots/table_file.h"

#include "console/console.h"
#include "console/prompts.h"
#include "platform/atomic_file.h"
#include "platform/files.h"

namespace datrax {

namespace {
constexpr INTEGER kExistsWidth = 32;  // "} Exists. Overwrite [y/n] --> " and its answer
}  // namespace

void choose_table_name(TextRef NAME, std::string_view PROMPT) {
    LOGICAL overwrite = false;
    while (platform::file_exists(NAME.trimmed())) {
        show_name(0, -scr.MAXROW, "File {|", NAME.view(), NAME.trimmed_length(), scr.PRMCOL, kExistsWidth);
        ASKYN(-1, 0, "} Exists. Overwrite [y/n] --> |", overwrite, scr.PRMCOL);
        if (overwrite) return;
        ask_file_name(0, -scr.MAXROW, PROMPT, NAME, NAME.n, scr.PRMCOL);
    }
}

std::string name_in_table(const FileName& NAME) {
    constexpr size_t kField = 40;
    std::string name(NAME.trimmed());
    if (name.size() < kField) name.resize(kField, ' ');
    return name;
}

void write_table(const FileName& NAME, const std::string& TEXT) {
    std::string error;
    if (!platform::replace_file(platform::native_path(NAME.trimmed()), TEXT, error)) {
        bottom_row_notice("Cannot open |", NAME.trimmed(), scr.PRMCOL);
    }
}

}  // namespace datrax
