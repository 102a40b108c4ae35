// The window file on arbitrary bytes: a place is taken only from one line of
// four numbers within bounds, and a place taken is written and read back the
// same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "platform/window_place.h"

using namespace datrax;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::scratch_dir() + "/window";
    if (!fuzz::write_file(path, {reinterpret_cast<const char*>(data), size})) return 0;
    platform::ScreenRect place{1, 2, 3, 4};
    if (!platform::read_window_place(path, place)) {
        fuzz::require(place == (platform::ScreenRect{1, 2, 3, 4}), "a refused file leaves the place as it was");
        return 0;
    }
    fuzz::require(place.width >= 1 && place.height >= 1 && place.width <= (1 << 15) && place.height <= (1 << 15),
                  "a place read has a sensible size");
    fuzz::require(platform::write_window_place(path, place), "the place is written");
    platform::ScreenRect again;
    fuzz::require(platform::read_window_place(path, again) && again == place, "a written place reads back the same");
    return 0;
}
