// The profile reader and writer on arbitrary bytes: whatever the file held,
// the profile written from it reads back whole (no row skipped) and is
// written again byte for byte the same.
#include "app/profile.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/state.h"
#include "fuzz_support.h"
#include "platform/config_path.h"

using namespace datrax;

namespace {
// The records the profile touches, to their load values (Y is left alone:
// clearing it would cost more than the reading).
void reset_profile_records() {
    pp = PlotParamRecord{};
    gp = GraphicsProfileRecord{};
    band = BandRecord{};
    mainv = MainProgramRecord{};
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::scratch_dir() + "/datra.pro";
    if (!fuzz::write_file(path, {reinterpret_cast<const char*>(data), size})) return 0;
    platform::set_profile_file_path(path);
    reset_profile_records();
    read_profile();
    fuzz::require(write_profile(), "the profile is written");
    const std::string first = fuzz::read_file(path);

    reset_profile_records();
    read_profile();
    fuzz::require(!mainv.profile_band_skipped, "a written profile reads back without skipped rows");
    fuzz::require(write_profile(), "the profile is written again");
    fuzz::require(fuzz::read_file(path) == first, "a profile read back is written the same");
    return 0;
}
