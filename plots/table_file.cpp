#include "plots/table_file.h"

#include "console/console.h"
#include "console/prompts.h"
#include "platform/atomic_file.h"
#include "platform/files.h"

namespace datrax {

void choose_table_name(TextRef NAME, std::string_view PROMPT) {
    LOGICAL overwrite = false;
    while (platform::file_exists(NAME.trimmed())) {
        SHOWTX(0, -scr.MAXROW, "File {|", NAME.view(), NAME.trimmed_length(), scr.PRMCOL);
        ASKYN(-1, 0, "} Exists. Overwrite [y/n] --> |", overwrite, scr.PRMCOL);
        if (overwrite) return;
        ask_file_name(0, -scr.MAXROW, PROMPT, NAME, NAME.n, scr.PRMCOL);
    }
}

void write_table(const Text<40>& NAME, const std::string& TEXT) {
    std::string error;
    if (!platform::replace_file(platform::native_path(NAME.trimmed()), TEXT, error)) {
        bottom_row_notice("Cannot open |", NAME, scr.PRMCOL);
    }
}

}  // namespace datrax
