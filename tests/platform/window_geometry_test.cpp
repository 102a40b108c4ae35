// The desktop window's geometry without a display: where the canvas' picture
// lies and how it is filtered, which canvas pixel is under the mouse, the
// size the window opens at, and the remembered size and place.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/picture_scale.h"
#include "platform/window_place.h"
#include "support/scratch_dir.h"

namespace datrax::platform {
namespace {

TEST(PictureLayout, WholeMultiplesAreSharpEverythingElseFiltered) {
    struct Row {
        int cw, ch, dw, dh;
        PictureLayout expected;
    };
    for (const Row& r : {
             Row{1024, 768, 1024, 768, {0, 0, 1024, 768, 1}},
             Row{1024, 768, 2048, 1600, {0, 32, 2048, 1536, 2}},  // bars above and below
             Row{640, 480, 1921, 1441, {0, 0, 1920, 1440, 3}},    // one pixel over is still 3x
             Row{1024, 768, 800, 600, {0, 0, 800, 600, 0}},       // 0.78x
             Row{1024, 768, 1536, 1200, {0, 24, 1536, 1152, 0}},  // 1.5x
             Row{1024, 768, 1000, 1000, {0, 125, 1000, 750, 0}},
             Row{800, 608, 1024, 600, {117, 0, 789, 600, 0}},  // height decides
             Row{1024, 768, 0, 0, {0, 0, 0, 0, 0}},            // minimised
         }) {
        EXPECT_EQ(layout_picture(r.cw, r.ch, r.dw, r.dh), r.expected)
            << r.cw << "x" << r.ch << " in " << r.dw << "x" << r.dh;
    }
}

TEST(PictureLayout, TheMouseFindsTheCanvasPixelUnderThePixelCentre) {
    const PictureLayout small = layout_picture(1024, 768, 800, 600);    // 0.78x
    const PictureLayout large = layout_picture(1024, 768, 1536, 1200);  // 1.5x, bars of 24
    const PictureLayout twice = layout_picture(320, 240, 640, 600);     // 2x, bars of 60
    struct Row {
        const PictureLayout* layout;
        int cw, ch, x, y;  // window pixel
        bool inside;
        int cx, cy;
    };
    for (const Row& r : {
             Row{&small, 1024, 768, 0, 0, true, 0, 0},
             Row{&small, 1024, 768, 1, 1, true, 1, 1},  // 1.5 * 1.28 = 1.92
             Row{&small, 1024, 768, 2, 2, true, 3, 3},  // 2.5 * 1.28 = 3.2: pixel 2 lies between centres
             Row{&small, 1024, 768, 399, 299, true, 511, 383},
             Row{&small, 1024, 768, 799, 599, true, 1023, 767},
             Row{&large, 1024, 768, 0, 24, true, 0, 0},
             Row{&large, 1024, 768, 1, 25, true, 1, 1},  // 1.5 / 1.5 = 1
             Row{&large, 1024, 768, 2, 26, true, 1, 1},  // 2.5 / 1.5 = 1.67
             Row{&large, 1024, 768, 3, 27, true, 2, 2},
             Row{&large, 1024, 768, 1535, 1175, true, 1023, 767},
             Row{&large, 1024, 768, 100, 23, false, 0, 0},    // on the bar above
             Row{&large, 1024, 768, 100, 1176, false, 0, 0},  // on the bar below
             Row{&twice, 320, 240, 201, 301, true, 100, 120},
             Row{&twice, 320, 240, 639, 539, true, 319, 239},
             Row{&twice, 320, 240, 639, 540, false, 0, 0},
         }) {
        int cx = 0, cy = 0;
        const bool inside = canvas_pixel_at(*r.layout, r.cw, r.ch, r.x + 0.5, r.y + 0.5, cx, cy);
        EXPECT_EQ(inside, r.inside) << r.x << "," << r.y;
        if (!inside) continue;
        EXPECT_EQ(cx, r.cx) << r.x << "," << r.y;
        EXPECT_EQ(cy, r.cy) << r.x << "," << r.y;
    }
}

// The picture as grey levels (the red channel), one row per line.
std::vector<std::vector<int>> grey_picture(const Canvas& c, int w, int h) {
    std::vector<uint32_t> px(static_cast<size_t>(w) * h);
    area_average(c, w, h, px.data(), w);
    std::vector<std::vector<int>> rows(h, std::vector<int>(w));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            EXPECT_EQ(px[y * w + x] >> 24, 0xFFu) << "opaque";
            rows[y][x] = static_cast<int>(px[y * w + x] >> 16 & 0xFF);
        }
    return rows;
}

TEST(AreaAverage, EveryOutputPixelIsTheMeanOfTheAreaItCovers) {
    Canvas c(4, 4);
    c.set_viewport(0, 0, 3, 3);
    c.set_color(15);  // white (255) at column 1 and row 3, black elsewhere
    c.move_to(1, 0);
    c.line_to(1, 3);
    c.move_to(0, 3);
    c.line_to(3, 3);
    // Across 4 -> 3, output 0 covers 3/4 of column 0 and 1/4 of column 1,
    // output 1 half of columns 1 and 2, output 2 a quarter of 2 and all of 3.
    EXPECT_EQ(grey_picture(c, 3, 3),
              (std::vector<std::vector<int>>{
                  {64, 128, 0}, {64, 128, 0}, {207, 223, 191},  // a quarter of the row above, three quarters white
              }));
    // Up by 3/2: each canvas pixel fills one output pixel and half of another.
    EXPECT_EQ(grey_picture(c, 6, 6)[0], (std::vector<int>{0, 128, 255, 0, 0, 0}));
    EXPECT_EQ(grey_picture(c, 4, 4), (std::vector<std::vector<int>>{
                                         {0, 255, 0, 0},
                                         {0, 255, 0, 0},
                                         {0, 255, 0, 0},
                                         {255, 255, 255, 255},
                                     }))
        << "at 1x the picture is the canvas";
}

TEST(AreaAverage, NoLineIsLostAtAnyScale) {
    // One-pixel lines every fifth column of a 1024 x 768 canvas: shrunk by
    // any factor, each line still brightens the output column it falls in by
    // at least half its share, where dropping pixels would lose most lines.
    Canvas c(1024, 768);
    c.set_viewport(0, 0, 1023, 767);
    c.set_color(15);
    for (int x = 0; x < 1024; x += 5) {
        c.move_to(x, 0);
        c.line_to(x, 767);
    }
    for (const int w : {800, 512, 300}) {
        const int h = w * 3 / 4;
        const std::vector<int> row = grey_picture(c, w, h)[h / 2];
        const double share = 255.0 * w / 1024;
        for (int x = 0; x < 1024; x += 5) {
            const int o = static_cast<int>((x + 0.5) * w / 1024);
            EXPECT_GE(row[o], share / 2 - 0.5) << "line " << x << " at width " << w;
        }
    }
}

TEST(WindowPlace, OpensAtTheLargestWholeMultipleThatFits) {
    struct Row {
        int cw, ch;
        ScreenRect usable;
        double ppu;
        ScreenRect expected;
    };
    for (const Row& r : {
             Row{1024, 768, {0, 0, 1024, 768}, 1, {0, 0, 1024, 768}},
             Row{1024, 768, {0, 0, 1024, 600}, 1, {112, 0, 800, 600}},     // below 1x: filtered
             Row{1024, 768, {0, 27, 1366, 714}, 1, {207, 27, 952, 714}},   // a laptop with a panel
             Row{640, 480, {0, 32, 1920, 1048}, 1, {320, 76, 1280, 960}},  // 2x on a full HD screen
             Row{1280, 1024, {0, 0, 3840, 2160}, 1, {640, 56, 2560, 2048}},
             Row{1024, 768, {0, 0, 1920, 1080}, 2, {448, 156, 1024, 768}},     // desktop scaled 2x: 2x real pixels
             Row{1024, 768, {0, 0, 960, 540}, 2, {224, 78, 512, 384}},         // full HD scaled 2x: 1x of real pixels
             Row{1024, 768, {100, 50, 2048, 1536}, 1, {100, 50, 2048, 1536}},  // second display
         }) {
        EXPECT_EQ(fit_window(r.cw, r.ch, r.usable, r.ppu), r.expected)
            << r.cw << "x" << r.ch << " on " << r.usable.width << "x" << r.usable.height << " at " << r.ppu;
    }
}

TEST(WindowPlace, ARememberedPlaceIsShrunkAndMovedOntoTheScreen) {
    const ScreenRect screen{0, 0, 1024, 600};
    struct Row {
        ScreenRect remembered, expected;
    };
    for (const Row& r : {
             Row{{10, 20, 800, 500}, {10, 20, 800, 500}},      // fits: as it was
             Row{{900, 550, 800, 500}, {224, 100, 800, 500}},  // moved back onto the screen
             Row{{-50, -9, 300, 200}, {0, 0, 300, 200}},
             Row{{0, 0, 1536, 1152}, {0, 0, 800, 600}},  // shrunk with its shape kept
             Row{{0, 0, 2048, 300}, {0, 0, 1024, 150}},
         }) {
        EXPECT_EQ(keep_inside(r.remembered, screen), r.expected);
    }
}

TEST(WindowPlace, TheWindowFileHoldsOneLineAndDamageIsIgnored) {
    testing::ScratchDir dir;
    const std::string file = dir.file("window");
    ScreenRect place;
    EXPECT_FALSE(read_window_place(file, place)) << "no file yet";
    ASSERT_TRUE(write_window_place(file, {-8, 40, 1536, 1152}));
    std::ifstream in(file);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "-8 40 1536 1152\n");
    ASSERT_TRUE(read_window_place(file, place));
    EXPECT_EQ(place, (ScreenRect{-8, 40, 1536, 1152}));

    for (const char* damaged :
         {"", "1 2 3\n", "1 2 3 4 5\n", "a b c d\n", "0 0 0 768\n", "0 0 1024 -1\n", "0 0 99999999 768\n"}) {
        dir.write("window", damaged);
        ScreenRect kept{1, 2, 3, 4};
        EXPECT_FALSE(read_window_place(file, kept)) << damaged;
        EXPECT_EQ(kept, (ScreenRect{1, 2, 3, 4}));
    }
}

// What stands in the window file's place is read only when it is a regular
// file, without waiting and never more than a short line: a FIFO, a device
// or an endless line leaves the default place, at once.
TEST(WindowPlace, OnlyARegularFileOfOneShortLineIsRead) {
    testing::ScratchDir dir;
    const std::string file = dir.file("window");
    ScreenRect kept{1, 2, 3, 4};
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_FALSE(read_window_place(file, kept)) << "a FIFO without a writer";
    std::filesystem::remove(file);
    std::filesystem::create_symlink("/dev/zero", file);
    EXPECT_FALSE(read_window_place(file, kept)) << "a link to an endless device";
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    EXPECT_FALSE(read_window_place(file, kept)) << "a folder";
    std::filesystem::remove(file);
    dir.write("window", std::string(5u << 20, ' ') + "1 2 3 4\n");
    EXPECT_FALSE(read_window_place(file, kept)) << "a line far longer than four numbers";
    dir.write("window", "10 20 300 200\r\n");
    EXPECT_TRUE(read_window_place(file, kept)) << "a line end written elsewhere";
    EXPECT_EQ(kept, (ScreenRect{10, 20, 300, 200}));
    std::filesystem::create_symlink(file, dir.file("link"));
    EXPECT_TRUE(read_window_place(dir.file("link"), kept)) << "a link to a regular file";
}

}  // namespace
}  // namespace datrax::platform
