// The spectrum and its band table over arbitrary finite samples: a window
// is either refused or gives a table of numbers only (no INF or NaN that a
// reader of the table could not take), whatever the magnitudes.
#include "data/spectrum.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/state.h"
#include "fuzz_support.h"
#include "plots/spectrum_table.h"

using namespace datrax;

namespace {
constexpr INTEGER kMaxSamples = 4096;

bool has_no_number(const std::string& table) {
    std::string lower(table);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower.find("inf") == std::string::npos && lower.find("nan") == std::string::npos;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Bytes in(data, size);
    // Intervals of a second to a day, in hours.
    const double dt = (1.0 + in.take<uint16_t>() % 86400) / 3600.0;
    std::vector<REAL> samples;
    while (!in.empty() && samples.size() < kMaxSamples) {
        const REAL v = in.take<REAL>();
        if (std::isfinite(v)) samples.push_back(v);
    }
    Spectrum s;
    if (amplitude_spectrum(samples, dt, s) != SpectrumStatus::Ok) return 0;
    const SpectrumWindow window{1, static_cast<INTEGER>(samples.size())};
    const std::string table = spectrum_table_text(FileName("fuzz.dat"), 1, window, s);
    fuzz::require(has_no_number(table), "the band table holds numbers only");
    return 0;
}
