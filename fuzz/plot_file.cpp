// The plot-file writer on arbitrary drawing calls: pen moves, texts,
// numbers, markers, axes, figures and styles with any values (NaN and
// infinities among them). Whatever was drawn, the file closes whole: every
// record on a line of its own and the pen put away at the end.
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "platform/run_stop.h"
#include "plotlib/axes.h"
#include "plotlib/device.h"
#include "plotlib/figures.h"
#include "plotlib/pen.h"
#include "plotlib/plotlib.h"
#include "plotlib/symbols.h"

using namespace datrax;

namespace {

// Lengths and counts that set how much is drawn stay small, so that one
// input cannot draw for minutes; positions and values stay arbitrary.
REAL small(REAL v) { return std::isfinite(v) ? std::fmod(v, 40.0f) : v; }
INTEGER few(INTEGER v) { return v % 50; }

std::string text_of(fuzz::Bytes& in) {
    std::string s;
    for (int n = in.take<uint8_t>() % 24; n > 0 && !in.empty(); --n) s += in.take<char>();
    return s;
}

void draw_one(fuzz::Bytes& in) {
    const uint8_t op = in.take<uint8_t>();
    const REAL x = in.take<REAL>(), y = in.take<REAL>();
    switch (op % 8) {
        case 0: PENMOV(x, y, in.take<int8_t>()); break;
        case 1: {
            const REAL h = small(in.take<REAL>()), angle = in.take<REAL>();
            const std::string t = text_of(in);
            PLTSYM(x, y, h, t, angle, std::clamp<INTEGER>(in.take<int8_t>(), -2, static_cast<INTEGER>(t.size())));
            break;
        }
        case 2: {
            const REAL h = small(in.take<REAL>()), value = in.take<REAL>(), angle = in.take<REAL>();
            PLTNUM(x, y, h, value, angle, in.take<int8_t>());
            break;
        }
        case 3: {
            const std::string label = text_of(in);
            const REAL axlen = small(in.take<REAL>()), angle = in.take<REAL>(), first = in.take<REAL>(),
                       delta = in.take<REAL>();
            const INTEGER ndec = in.take<int8_t>();
            const REAL expo = small(in.take<REAL>()), div = std::max(std::fabs(small(in.take<REAL>())), 0.1f);
            PLTAXS(x, y, label, static_cast<INTEGER>(label.size()), axlen, angle, first, delta, ndec, expo, div);
            break;
        }
        case 4: PENCOL(INTEGER{in.take<int8_t>()}); break;
        case 5: {
            const INTEGER lmode = in.take<int8_t>(), isym = in.take<int8_t>(), scol = in.take<int8_t>(),
                          ifill = in.take<int8_t>();
            PLTSTY(lmode, isym, scol, ifill, small(in.take<REAL>()));
            break;
        }
        case 6: {
            const REAL dx = small(in.take<REAL>()), dy = small(in.take<REAL>());
            PLTGRD(x, y, dx, dy, few(in.take<int8_t>()), few(in.take<int8_t>()));
            RECTNG(x, y, dx, dy, in.take<REAL>(), 3);
            break;
        }
        case 7: {
            const REAL x2 = in.take<REAL>(), y2 = in.take<REAL>(), head = small(in.take<REAL>()),
                       width = small(in.take<REAL>());
            PLTARW(x, y, x2, y2, head, width, in.take<int8_t>());
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Bytes in(data, size);
    fuzz::quiet_window();
    if (::chdir(fuzz::scratch_dir().c_str()) != 0) return 0;
    ::unlink("fuzz.plt");  // no overwrite question
    reset_plotlib();
    const INTEGER page = in.take<uint8_t>() & 1 ? 17 : 11;
    PLTDEV(1, page, 0, 0, "fuzz.plt");
    try {
        for (int calls = 0; calls < 64 && !in.empty(); ++calls) draw_one(in);
    } catch (const RunStop&) {
    }
    PLTCLS();
    platform::set_window(nullptr);
    const std::string file = fuzz::read_file(fuzz::scratch_dir() + "/fuzz.plt");
    fuzz::require(!file.empty() && file.back() == '\n', "every record ends its line");
    fuzz::require(file.size() >= 5 && file.compare(file.size() - 5, 5, " SP;\n") == 0, "the pen is put away last");
    return 0;
}
