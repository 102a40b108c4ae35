// Reading lines by fields on arbitrary bytes: GGP data lines (date, time,
// values, flags) and plain-list lines (separators, dates, empty values).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "data/ggp_fields.h"
#include "data/line_source.h"
#include "data/list_fields.h"

using namespace datrax;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TextLines in(bytes);
    GgpFieldReader ggp;
    GgpRecord record;
    ListLine list;
    std::string_view line;
    while (in.next_line(line)) {
        ggp.read(line, record);
        read_list_line(line, list);
    }
    return 0;
}
