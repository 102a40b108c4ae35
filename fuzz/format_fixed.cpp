// Format-list compiler and fixed-column reading and writing on arbitrary
// bytes: the first line is the format list, the rest the lines to read. The
// sample read, line by line, must give what the record read gives.
#include <cstddef>
#include <cstdint>
#include <cstring>
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
    const ReadOutcome by_records = read_fixed_reals(reals, fmt, values.data(), values.size(), stored);

    // The same values as the sample read takes them line by line (on two
    // threads, the quick way where a field allows): the same outcome, count
    // and bits.
    std::vector<REAL> samples(values.size());
    size_t sampled = 0;
    TextLines lines(input);
    const ReadOutcome by_lines = read_fixed_samples(lines, fmt, samples.data(), samples.size(), sampled);
    if (by_lines != by_records || sampled != stored ||
        std::memcmp(samples.data(), values.data(), stored * sizeof(REAL)) != 0)
        __builtin_trap();

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
