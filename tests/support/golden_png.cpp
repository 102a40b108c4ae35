#include "tests/support/golden_png.h"

#include <png.h>

#include <cstdlib>
#include <filesystem>

#include "platform/png_writer.h"

namespace datrax::testing {

namespace {

int palette_index_of(uint8_t r, uint8_t g, uint8_t b) {
    for (int i = 0; i < 16; ++i) {
        const platform::Rgb c = platform::palette_rgb(i);
        if (c.r == r && c.g == g && c.b == b) return i;
    }
    return -1;
}

bool update_requested() {
    const char* v = std::getenv("DATRAX_UPDATE_GOLDEN");
    return v && std::string_view(v) == "1";
}

}  // namespace

bool read_png_indices(const std::string& path, IndexedImage& image, std::string& error) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        error = "cannot read " + path + ": " + png.message;
        return false;
    }
    png.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr)) {
        error = "cannot decode " + path + ": " + png.message;
        return false;
    }
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const int index = palette_index_of(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]);
        if (index < 0) {
            error = path + ": pixel (" + std::to_string(i % image.width) + ", " + std::to_string(i / image.width) +
                    ") has a colour outside the palette";
            return false;
        }
        image.pixels[i] = static_cast<uint8_t>(index);
    }
    return true;
}

::testing::AssertionResult matches_golden_png(const platform::Canvas& canvas, std::string_view name) {
    namespace fs = std::filesystem;
    const fs::path golden = fs::path(DATRAX_SOURCE_DIR) / "tests" / "golden" / (std::string(name) + ".png");
    const fs::path actual = fs::path(DATRAX_BINARY_DIR) / "golden_actual" / (std::string(name) + ".png");
    std::string error;
    if (update_requested()) {
        fs::create_directories(golden.parent_path());
        if (!platform::write_png(canvas, golden.string(), error)) return ::testing::AssertionFailure() << error;
        return ::testing::AssertionSuccess();
    }

    std::string verdict;
    IndexedImage expected;
    if (!read_png_indices(golden.string(), expected, error)) {
        verdict = error + " (DATRAX_UPDATE_GOLDEN=1 creates it)";
    } else if (expected.width != canvas.width() || expected.height != canvas.height()) {
        verdict = "size " + std::to_string(canvas.width()) + "x" + std::to_string(canvas.height()) + ", golden " +
                  std::to_string(expected.width) + "x" + std::to_string(expected.height);
    } else {
        const std::vector<uint8_t>& px = canvas.pixels();
        size_t first = px.size(), count = 0;
        for (size_t i = 0; i < px.size(); ++i) {
            if (px[i] == expected.pixels[i]) continue;
            if (count++ == 0) first = i;
        }
        if (count == 0) return ::testing::AssertionSuccess();
        const int x = static_cast<int>(first % canvas.width()), y = static_cast<int>(first / canvas.width());
        verdict = std::to_string(count) + " pixels differ; first at (" + std::to_string(x) + ", " + std::to_string(y) +
                  "): colour " + std::to_string(px[first]) + ", golden " + std::to_string(expected.pixels[first]);
    }
    fs::create_directories(actual.parent_path());
    if (!platform::write_png(canvas, actual.string(), error)) verdict += "; " + error;
    return ::testing::AssertionFailure() << golden.string() << ": " << verdict << "; actual image: " << actual.string();
}

}  // namespace datrax::testing
