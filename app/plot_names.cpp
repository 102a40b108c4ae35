#include "app/plot_names.h"

#include <algorithm>
#include <string>

#include "console/console.h"

namespace datrax {

namespace {
bool is_separator(char c) { return c == '\\' || c == '/'; }
}  // namespace

void SUFNAM(TextRef NAME, std::string_view LETTER) {
    const int len = LENTXT(NAME, -NAME.n);
    std::string work(NAME.trimmed());

    int ext = 0;  // extension length, the point included
    for (int p = len; p >= std::max(1, len - 3); --p) {
        const char ch = work[static_cast<size_t>(p - 1)];
        if (is_separator(ch)) break;
        if (ch == '.') {
            ext = len - p + 1;
            break;
        }
    }
    // The letter follows the whole base name, so that the plot names of
    // files that differ only in a late character stay apart. The letter and
    // ".plt" must end within the text: the base name gives way when there
    // is no room.
    const int at = std::max(1, std::min(len - ext + 1, NAME.n - 4));
    work.resize(static_cast<size_t>(at - 1));
    work += LETTER.empty() ? ' ' : LETTER[0];
    work += ".plt";
    NAME.assign(work);
}

void DEFPLT(const Arr1<FileName, 2>& FNAME, const INTEGER& K) {
    gp.PLTNAM(1) = FNAME(K).view();
    SETEXT(gp.PLTNAM(1), "plt");
    gp.PLTNAM(2) = FNAME(K).view();
    SUFNAM(gp.PLTNAM(2), "h");
    gp.NPLT(1) = LENTXT(gp.PLTNAM(1), -kNameLength);
    gp.NPLT(2) = LENTXT(gp.PLTNAM(2), -kNameLength);
    specw.PLTNAM = FNAME(K).view();
    SUFNAM(specw.PLTNAM, "a");
    specw.NPLT = LENTXT(specw.PLTNAM, -kNameLength);
    tidew.PLTNAM = FNAME(K).view();
    SUFNAM(tidew.PLTNAM, "r");
    tidew.NPLT = LENTXT(tidew.PLTNAM, -kNameLength);
}

}  // namespace datrax
