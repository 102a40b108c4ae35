// The data-file reader on arbitrary bytes, read from memory. The first byte
// chooses the file name (VELK gravity, VELK pressure or another name) and
// the slot.
#include "data/rdfile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/state.h"
#include "fuzz_support.h"
#include "platform/run_stop.h"
#include "records/line_source.h"

using namespace datrax;

namespace {
const char* const kNames[] = {"g24123.dat", "p24123.dat", "xx240101.ggp"};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string_view name = kNames[data[0] % 3];
    TextLines in({reinterpret_cast<const char*>(data) + 1, size - 1}, name);
    fuzz::quiet_window("{enter}{enter}{enter}");

    const INTEGER k = 1 + (data[0] >> 7);
    dset.FNAME(k) = name;
    INTEGER status = 0;
    try {
        read_data(in, k, status);
    } catch (const RunStop&) {
    }
    platform::set_window(nullptr);
    return 0;
}
