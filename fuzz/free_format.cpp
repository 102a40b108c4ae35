// Free-format reading of INTEGER and REAL fields on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "records/free_read.h"

using namespace datrax;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    INTEGER second = 0, counter = 0;
    REAL a = 0.0f, b = 0.0f, c = 0.0f;
    const FieldRef record[] = {second, a, counter, b, c};
    TextLines in(bytes);
    while (read_free(in, record) == ReadOutcome::Done) {
    }
    const FieldRef pair[] = {a, b};
    TextLines again(bytes);
    while (read_free(again, pair) == ReadOutcome::Done) {
    }
    return 0;
}
