// Format-list compiler and fixed-column reading and writing on arbitrary
// bytes: the first line is the format list, the rest the lines to read.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "records/fixed_read.h"
#include "records/fixed_write.h"
#include "records/format_list.h"

using namespace datrax;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const size_t nl = bytes.find('\n');
    const std::string_view format = bytes.substr(0, nl);
    const std::string_view input = nl == std::string_view::npos ? std::string_view{} : bytes.substr(nl + 1);
    const FormatList fmt(format);

    // Many REAL values, as the sample read does.
    std::vector<REAL> values(size * 4 + 1);
    size_t stored = 0;
    TextLines reals(input);
    read_fixed_reals(reals, fmt, values.data(), values.size(), stored);

    // One field of every kind, in turn.
    INTEGER i = 0;
    REAL r = 0.0f;
    LOGICAL l = false;
    Text<8> t;
    const FieldRef mixed[] = {i, r, l, t.ref(), r, i};
    TextLines fields(input);
    while (read_fixed(fields, fmt, mixed) == ReadOutcome::Done) {
    }

    std::string line;
    const OutValue out[] = {i, r, l, std::string_view(t.view()), r, i};
    write_fixed(fmt, out, line);
    return 0;
}
