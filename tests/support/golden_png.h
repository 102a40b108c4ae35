// Pixel-exact comparison of a canvas with a golden PNG in tests/golden/.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/canvas.h"

namespace datrax::testing {

// A PNG read back as palette indices of the canvas palette.
struct IndexedImage {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;  // row-major, one index 0..15 per pixel
};

// Reads any PNG whose colours all belong to the 16-colour palette; false with
// a reason otherwise.
bool read_png_indices(const std::string& path, IndexedImage& image, std::string& error);

// Compares the canvas with tests/golden/<name>.png pixel for pixel. On a
// difference (or a missing golden file) the actual image is written to
// <build>/golden_actual/<name>.png and the first differing pixel is reported.
// With DATRAX_UPDATE_GOLDEN=1 the golden file is rewritten instead.
::testing::AssertionResult matches_golden_png(const platform::Canvas& canvas, std::string_view name);

}  // namespace datrax::testing
