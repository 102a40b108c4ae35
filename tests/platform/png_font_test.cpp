// PNG output of the canvas and the embedded bitmap font.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "platform/canvas.h"
#include "platform/font8x16.h"
#include "platform/png_writer.h"
#include "tests/support/golden_png.h"

namespace datrax::platform {
namespace {

namespace fs = std::filesystem;

fs::path scratch_file(const std::string& name) {
    const fs::path dir = fs::path(DATRAX_BINARY_DIR) / "test_scratch";
    fs::create_directories(dir);
    return dir / name;
}

TEST(Png, RoundTripKeepsEveryPaletteIndexAndWritesAnEightBitPalette) {
    Canvas c(40, 16);
    for (int x = 0; x < 40; ++x) {
        c.set_color(x);
        c.move_to(x, 0);
        c.line_to(x, 15 - x % 7);
    }
    const fs::path path = scratch_file("round_trip.png");
    std::string error;
    ASSERT_TRUE(write_png(c, path.string(), error)) << error;

    testing::IndexedImage image;
    ASSERT_TRUE(testing::read_png_indices(path.string(), image, error)) << error;
    EXPECT_EQ(image.width, 40);
    EXPECT_EQ(image.height, 16);
    EXPECT_EQ(image.pixels, c.pixels());

    std::ifstream in(path, std::ios::binary);
    char header[26] = {};
    in.read(header, sizeof header);
    EXPECT_EQ(header[24], 8) << "bit depth";
    EXPECT_EQ(header[25], 3) << "colour type: palette";
}

TEST(Png, UnwritablePathFailsWithAReasonAndLeavesNoFile) {
    Canvas c(8, 16);
    std::string error;
    EXPECT_FALSE(write_png(c, "/nonexistent-folder/x.png", error));
    EXPECT_NE(error.find("/nonexistent-folder/x.png"), std::string::npos) << error;
}

TEST(Png, ReaderRejectsColoursOutsideThePaletteAndNonPngFiles) {
    const fs::path text = scratch_file("not_a.png");
    std::ofstream(text) << "plain text\n";
    testing::IndexedImage image;
    std::string error;
    EXPECT_FALSE(testing::read_png_indices(text.string(), image, error));
    EXPECT_FALSE(error.empty());
}

TEST(Png, TextAndLinesMatchTheirGoldenImage) {
    Canvas c(64, 32);
    c.set_bk_color(1);
    c.clear_graphics();
    c.set_text_color(14);
    c.set_cursor(1, 2);
    c.write_text("Ag#");
    c.set_color(12);
    c.set_line_style(0xF0F0);
    c.move_to(0, 31);
    c.line_to(63, 16);
    EXPECT_TRUE(testing::matches_golden_png(c, "platform_text_and_line"));
}

int lit_pixels(int code) {
    int n = 0;
    for (uint8_t row : kFont8x16[code]) n += __builtin_popcount(row);
    return n;
}

TEST(Font, PrintableAsciiGlyphsAreDrawnAndDistinctControlCodesBlank) {
    std::set<std::vector<uint8_t>> shapes;
    for (int code = 33; code <= 126; ++code) {
        EXPECT_GT(lit_pixels(code), 0) << "byte " << code;
        shapes.insert(std::vector<uint8_t>(kFont8x16[code], kFont8x16[code] + 16));
    }
    EXPECT_EQ(shapes.size(), 126u - 33u + 1u) << "two printable characters share a glyph";
    for (int code : {0, 1, 9, 13, 31, 32, 127}) EXPECT_EQ(lit_pixels(code), 0) << "byte " << code;
}

TEST(Font, CodePage437LineDrawingAndLetters) {
    // 0xC4 horizontal line, 0xB3 vertical line, 0xDA corner, 0x81 u with
    // diaeresis, 0xE1 sharp s: all present in the font.
    for (int code : {0xC4, 0xB3, 0xDA, 0x81, 0xE1}) EXPECT_GT(lit_pixels(code), 0) << "byte " << code;
    // The vertical line is one column through every row.
    for (int row = 0; row < 16; ++row) EXPECT_EQ(__builtin_popcount(kFont8x16[0xB3][row]), 1) << row;
}

}  // namespace
}  // namespace datrax::platform
