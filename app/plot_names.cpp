#include "app/plot_names.h"

#include <algorithm>

#include "console/console.h"

namespace datrax {

namespace {
bool is_separator(char c) { return c == '\\' || c == '/'; }
}  // namespace

void SUFNAM(TextRef NAME, std::string_view LETTER) {
    Text<40> work(NAME.view());
    const int len = LENTXT(work, -40);

    int ext = 0;  // extension length, the point included
    for (int p = len; p >= std::max(1, len - 3); --p) {
        if (is_separator(work(p))) break;
        if (work(p) == '.') {
            ext = len - p + 1;
            break;
        }
    }
    // The letter follows the whole base name, so that the plot names of
    // files that differ only in a late character stay apart.
    const int base_end = len - ext;
    // The letter and ".plt" must end within the 40 characters: the base
    // name gives way when there is no room.
    const int at = std::min(base_end + 1, 40 - 4);
    work(at) = LETTER.empty() ? ' ' : LETTER[0];
    constexpr std::string_view kPlt = ".plt";
    for (int i = 0; i < 4; ++i) work(at + 1 + i) = kPlt[static_cast<size_t>(i)];
    NAME.assign(work.view());
}

void DEFPLT(const Arr1<Text<40>, 2>& FNAME, const INTEGER& K) {
    gp.PLTNAM(1) = FNAME(K).view();
    SETEXT(gp.PLTNAM(1), "plt");
    gp.PLTNAM(2) = FNAME(K).view();
    SUFNAM(gp.PLTNAM(2), "h");
    gp.NPLT(1) = LENTXT(gp.PLTNAM(1), -40);
    gp.NPLT(2) = LENTXT(gp.PLTNAM(2), -40);
    specw.PLTNAM = FNAME(K).view();
    SUFNAM(specw.PLTNAM, "a");
    specw.NPLT = LENTXT(specw.PLTNAM, -40);
    tidew.PLTNAM = FNAME(K).view();
    SUFNAM(tidew.PLTNAM, "r");
    tidew.NPLT = LENTXT(tidew.PLTNAM, -40);
}

}  // namespace datrax
