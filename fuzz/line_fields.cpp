// Reading lines on arbitrary bytes: GGP data lines (stated columns or
// fields, dates, values, flags), plain-list lines (separators, empty
// values), dated-list lines (stamps of every form, decimal commas) and the
// placing of their stamps on a grid.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "data/dated_lines.h"
#include "data/ggp_fields.h"
#include "data/list_fields.h"
#include "data/time_grid.h"
#include "records/line_source.h"

using namespace datrax;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TextLines in(bytes);
    GgpFieldReader ggp;
    GgpRecord record;
    ListLine list;
    TimeGrid grid;
    std::string_view line, fields[kMaxListFields];
    int64_t number = 0;
    while (in.next_line(line)) {
        ++number;
        if (ggp.read(line, record) == GgpLineKind::Data) grid.add(record.time * 1000, number);
        read_list_line(line, list);
        const char sep = list_separator(line);
        const size_t n = split_list_line(line, sep, fields);
        ListStamp stamp = read_list_stamp(fields, n);
        if (stamp.form == DateForm::YearLast) year_last_time(stamp.ms, number % 2 == 0, stamp.ms);
        if (stamp.form != DateForm::None) grid.add(stamp.ms, number);
        float value = 0;
        for (size_t i = 0; i < n; ++i) read_list_value(fields[i], sep == ';', value);
    }
    // The grid may hold any stamps: it either fits or says it does not.
    if (grid.place(1000)) {
        float y[1000];
        if (grid.lines() <= 1000) grid.spread(y);
    }
    return 0;
}
