// The plot-file writer fed texts full of control characters (titles, axis
// titles, numbers, marker codes, on the screen and into the file at once):
// read back as a plotter reads it, every label is whole, holds no control
// character, and every command is one the writer writes.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "fuzz_support.h"
#include "platform/run_stop.h"
#include "plotlib/axes.h"
#include "plotlib/device.h"
#include "plotlib/plotlib.h"
#include "plotlib/symbols.h"
#include "tests/support/hpgl_records.h"

using namespace datrax;

namespace {

// Bytes with control characters (codes 0-31 and 127) at least half of the
// time, the rest anything.
std::string hostile_text(fuzz::Bytes& in) {
    std::string s;
    for (int n = in.take<uint8_t>() % 40; n > 0 && !in.empty(); --n) {
        const uint8_t b = in.take<uint8_t>();
        s += static_cast<char>(b & 0x80 ? (b & 0x40 ? 127 : b & 31) : b);
    }
    return s;
}

void draw_one(fuzz::Bytes& in) {
    const uint8_t op = in.take<uint8_t>();
    const REAL x = static_cast<REAL>(in.take<uint8_t>()) / 25.0f, y = static_cast<REAL>(in.take<uint8_t>()) / 34.0f;
    const std::string text = hostile_text(in);
    const auto n = static_cast<INTEGER>(text.size());
    switch (op % 5) {
        case 0: PLTSYM(x, y, 0.14f, text, static_cast<REAL>(in.take<int8_t>()), n); break;
        case 1: PLTSYM(999.0f, 999.0f, -0.1f, text, 0.0f, n); break;  // continued, bold
        case 2: PLTSYM(x, y, 0.14f, text + "^", 0.0f, n + 1); break;  // centred
        case 3: {
            REAL angle = op & 8 ? 90.0f : 0.0f;
            PLTAXS(x, y, text, op & 16 ? -n : n, 3.0f, angle, in.take<REAL>(), 1.0f, in.take<int8_t>() % 8, 0.0f, 1.0f);
            break;
        }
        case 4: PLTSYM(x, y, 0.14f, text, 0.0f, -1 - (op & 1)); break;  // a marker of the text's first code
    }
}

const std::set<std::string> kWritten = {"PS", "IN", "IW", "SP", "PU", "PD", "LT", "SI", "DI", "LB", "SM", "UC"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Bytes in(data, size);
    fuzz::quiet_window();
    if (::chdir(fuzz::scratch_dir().c_str()) != 0) return 0;
    ::unlink("labels.plt");  // no overwrite question
    reset_plotlib();
    PLTDEV(12, 11, 1, 0, "labels.plt");  // the screen and the file
    try {
        for (int calls = 0; calls < 32 && !in.empty(); ++calls) draw_one(in);
    } catch (const RunStop&) {
    }
    PLTCLS();
    platform::set_window(nullptr);
    const std::string file = fuzz::read_file(fuzz::scratch_dir() + "/labels.plt");
    fuzz::require(file.size() >= 5 && file.compare(file.size() - 5, 5, " SP;\n") == 0, "the pen is put away last");
    fuzz::require(testing::label_fault(file).empty(), "every label is whole and holds no control character");
    for (const testing::HpglRecord& r : testing::read_hpgl_records(file))
        fuzz::require(kWritten.count(r.command) == 1, "no command but the writer's own");
    return 0;
}
