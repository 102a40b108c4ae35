// The plot device: set-up and queries, page sizes, plot file naming and
// opening with its dialogue, the coordinate conversions.
#include "plotlib/device.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "base/numbers.h"
#include "plot_fixture.h"
#include "plotlib/paper.h"
#include "plotlib/pen.h"
#include "plotlib/plotlib.h"

namespace datrax::testing {
namespace {

using plotlib_detail::plot;

class Device : public PlotTest {
protected:
    std::string bottom_row() { return screen_.row(screen_.canvas().rows() - 1); }
    std::string stored_name() {
        INTEGER idev = -1, ipage = 0, imode = 0, iback = 0;
        FileName name;
        PLTDEV(idev, ipage, imode, iback, name);
        return name.str();
    }
    static void write_file(const std::string& name, const std::string& text) { std::ofstream(name) << text; }
};

TEST_F(Device, ScreenSetUpSizesTheWindowForTheMode) {
    PLTDEV(0, 0, 3, 0, ".");
    EXPECT_EQ(plot.IDEV, 2);
    EXPECT_EQ(plot.IPAGE, 11);
    EXPECT_EQ(plot.IMODE, 3);
    EXPECT_EQ(screen_.canvas().width(), 1024);
    EXPECT_EQ(screen_.canvas().height(), 768);
    EXPECT_EQ(screen_.canvas().cols(), 128);
    EXPECT_FLOAT_EQ(plot.PXIN, 1023.0f / 10.0f);
    EXPECT_FLOAT_EQ(plot.PYIN, 767.0f / 7.5f);
    INTEGER digits = -1;
    NUMDIG(digits);
    EXPECT_EQ(digits, 7);
    EXPECT_EQ(screen_.canvas().color(), 15);
}

TEST_F(Device, Page17OnTheScreen) {
    PLTDEV(2, 17, 1, 0, ".");
    EXPECT_FLOAT_EQ(plot.XHI, 16.0f);
    EXPECT_FLOAT_EQ(plot.YHI, 10.0f);
    EXPECT_FLOAT_EQ(plot.PXIN, 639.0f / 16.0f);
    EXPECT_FLOAT_EQ(plot.PYIN, 479.0f / 10.0f);
}

TEST_F(Device, ModeAndBackgroundOutsideTheirRangesAreClamped) {
    PLTDEV(2, 11, 9, 12, ".");
    EXPECT_EQ(plot.IMODE, 4);
    EXPECT_EQ(plot.IBACK, 7);
    EXPECT_EQ(screen_.canvas().width(), 1280);
    EXPECT_EQ(screen_.canvas().pixel(5, 5), 7);  // cleared in the background colour

    PLTDEV(2, 11, -3, -1, ".");  // mode 0: the set-up falls back to mode 1
    EXPECT_EQ(plot.IMODE, 1);
    EXPECT_EQ(plot.IBACK, 0);
    EXPECT_EQ(screen_.canvas().width(), 640);
}

TEST_F(Device, QueryReturnsTheStateAndChangesNothing) {
    PLTDEV(1, 17, 0, 3, "query");
    INTEGER idev = -1, ipage = 0, imode = 9, iback = 0;
    Text<60> longer;
    PLTDEV(idev, ipage, imode, iback, longer);
    EXPECT_EQ(idev, 1);
    EXPECT_EQ(ipage, 17);
    EXPECT_EQ(imode, 0);
    EXPECT_EQ(iback, 3);
    EXPECT_EQ(longer, "query.plt");
    EXPECT_EQ(longer.view().size(), 60u);  // blank padded
    idev = -5;
    Text<3> shorter;
    PLTDEV(idev, ipage, imode, iback, shorter);
    EXPECT_EQ(shorter, "que");
    EXPECT_EQ(plot.IDEV, 1);
    EXPECT_TRUE(plot.file.is_open());
}

TEST_F(Device, TitleGoesToEveryDeviceButThePlotFile) {
    PLTDEV(2, 11, 1, 0, ".");
    WINTTL("Title one");
    EXPECT_EQ(screen_.window().title(), "Title one");
    PLTDEV(1, 11, 0, 0, "t");
    WINTTL("Title two");
    EXPECT_EQ(screen_.window().title(), "Title one");
}

TEST_F(Device, UnknownPageSizeKeepsTheExtentsAndTakesTheNearestPlotter) {
    PLTDEV(1, 11, 0, 0, "page");
    HPPSZE(14);
    EXPECT_EQ(screen_.window().console_lines().back(), " HPPSZE: unknown page size");
    EXPECT_FLOAT_EQ(plot.XHI, 10.0f);
    EXPECT_EQ(plot.HPX1, 0);
    EXPECT_EQ(plot.HPY2, 10315);
    EXPECT_FLOAT_EQ(plot.HXIN, 1632.0f);
    INTEGER page = -1;
    HPPSZE(page);
    EXPECT_EQ(page, 14);
}

TEST_F(Device, NamesGetThePlotExtension) {
    PLTDEV(1, 11, 0, 0, "  abc");
    EXPECT_EQ(stored_name(), "abc.plt");
    PLTDEV(1, 11, 0, 0, "data.txt");
    EXPECT_EQ(stored_name(), "data.plt");
    PLTCLS();
    EXPECT_TRUE(std::filesystem::exists("abc.plt"));
    EXPECT_TRUE(std::filesystem::exists("data.plt"));
    EXPECT_EQ(stored_name(), "");
}

TEST_F(Device, OnlyTheNullDeviceNamesDiscardThePlotAndSaySo) {
    PLTDEV(12, 11, 1, 0, "first");
    screen_.keys("x");
    PLTOPN(" ");
    EXPECT_EQ(bottom_row(), "Plot not written (null device)");
    EXPECT_EQ(stored_name(), "nul");
    PENMOV(1.0f, 1.0f, 2);
    PLTCLS();
    for (const char* name : {"nul", "/dev/null"}) {
        screen_.keys("x");
        PLTDEV(1, 11, 0, 0, name);  // no extension added: still the null device
        EXPECT_EQ(stored_name(), name);
        EXPECT_EQ(bottom_row(), "Plot not written (null device)");
        PENMOV(1.0f, 1.0f, 2);
        PLTCLS();
    }
    std::filesystem::remove("first.plt");
    EXPECT_TRUE(std::filesystem::is_empty(folder_));
    // Names that only look like it are plot files.
    for (const char* name : {"nul.pdf", "NUL"}) {
        PLTDEV(1, 11, 0, 0, name);
        PENMOV(1.0f, 1.0f, 2);
        PLTCLS();
    }
    EXPECT_TRUE(std::filesystem::exists("nul.pdf"));
    EXPECT_TRUE(std::filesystem::exists("NUL.plt"));
}

TEST_F(Device, TextScreenSetUpOpensNoFile) {
    PLTDEV(2, 11, 3, 0, ".");
    PENMOV(1.0f, 1.0f, 2);
    PLTCLS();
    EXPECT_TRUE(std::filesystem::is_empty(folder_));
}

TEST_F(Device, ExistingFileIsOverwrittenAfterYes) {
    write_file("old.plt", "old contents\n");
    screen_.keys("y");
    PLTDEV(1, 11, 0, 0, "old");
    EXPECT_EQ(bottom_row(), "Overwrite old.plt? [y/n] --> y");
    PLTCLS();
    EXPECT_EQ(file_text("old.plt").substr(0, 8), " PS4;IN;");
}

TEST_F(Device, RefusingTheOverwriteAsksForANewName) {
    write_file("old.plt", "old contents\n");
    screen_.keys("nfresh{enter}");
    PLTDEV(1, 11, 0, 0, "old.plt");
    EXPECT_EQ(stored_name(), "fresh.plt");
    PLTCLS();
    EXPECT_EQ(file_text("old.plt"), "old contents\n");
    EXPECT_EQ(file_text("fresh.plt").substr(0, 8), " PS4;IN;");
    EXPECT_EQ(bottom_row(), "");
}

TEST_F(Device, FileThatCannotBeOpenedGoesToTheNullDevice) {
    screen_.keys("{enter}");
    PLTDEV(1, 11, 0, 0, "nodir/x");
    EXPECT_EQ(bottom_row(), "Cannot open nodir/x.plt");
    EXPECT_EQ(screen_.window().keys_left(), 0u);
    EXPECT_EQ(stored_name(), "nodir/x.plt");  // the user's name is kept for the next save
    PENMOV(1.0f, 1.0f, 2);
    PLTCLS();
    EXPECT_TRUE(std::filesystem::is_empty(folder_));

    std::filesystem::create_directory("d.plt");
    screen_.keys("y{enter}");
    PLTDEV(1, 11, 0, 0, "d");
    EXPECT_EQ(bottom_row(), "Cannot open d.plt");
    PLTCLS();
    EXPECT_TRUE(std::filesystem::is_directory("d.plt"));
}

// Without the library that draws them, a PDF, SVG or PNG plot is not
// written: the old file of its name stays, no temporary file is left, and
// both the screen and standard error say why; HP-GL files are unaffected.
TEST_F(Device, PagePlotWithoutItsLibraryKeepsTheOldFile) {
    write_file("old.pdf", "old contents\n");
    paper::load_cairo_from("libdatrax-test-no-such-library.so.2");
    for (const char* name : {"old.pdf", "new.svg", "new.png"}) {
        SCOPED_TRACE(name);
        screen_.keys(std::string(name) == "old.pdf" ? "y{enter}" : "{enter}");
        ::testing::internal::CaptureStderr();
        PLTDEV(1, 11, 0, 0, name);
        const std::string diagnostics = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(bottom_row(), std::string("No PDF, SVG or PNG plot without the cairo library: ") + name);
        EXPECT_NE(diagnostics.find("libdatrax-test-no-such-library.so.2"), std::string::npos) << diagnostics;
        PENMOV(1.0f, 1.0f, 2);
        PLTCLS();
        EXPECT_FALSE(plot_file_saved());
        EXPECT_EQ(screen_.window().keys_left(), 0u);
    }
    PLTDEV(1, 11, 0, 0, "hpgl");
    PLTCLS();
    paper::load_cairo_from("libcairo.so.2");
    PLTDEV(1, 11, 0, 0, "new.pdf");
    PLTCLS();
    EXPECT_EQ(file_text("old.pdf"), "old contents\n");
    EXPECT_EQ(file_text("new.pdf").substr(0, 5), "%PDF-");
    EXPECT_EQ(testing::names_in(folder_.string()), (std::vector<std::string>{"hpgl.plt", "new.pdf", "old.pdf"}));
}

TEST_F(Device, BackslashSeparatesFolders) {
    std::filesystem::create_directory("sub");
    PLTDEV(1, 11, 0, 0, "sub\\x");
    PLTCLS();
    EXPECT_TRUE(std::filesystem::exists("sub/x.plt"));
}

TEST_F(Device, ReopeningTheOpenFileWritesOnWithAFreshStart) {
    open_plot("same.plt");
    PENMOV(1.0f, 1.0f, 3);
    PLTOPN("same.plt");
    close_plot("same.plt");
    const std::vector<std::string> expected = {
        " PS4;IN;", " IW   100,   200, 10315,  7870;", " SP15;", " PU  1121,  1222;",
        " PS4;IN;", " IW   100,   200, 10315,  7870;", " SP15;", " SP;"};
    EXPECT_EQ(file_lines("same.plt"), expected);
}

TEST_F(Device, NewPlotFinishesAFileLeftOpenUnderAnotherName) {
    open_plot("first.plt");
    open_plot("second.plt");
    PLTCLS();
    EXPECT_EQ(file_lines("first.plt").back(), " SP;");
    EXPECT_EQ(file_lines("second.plt").back(), " SP;");
}

TEST_F(Device, EndOfPlotOnBothDevicesWaitsForAKey) {
    PLTDEV(12, 11, 1, 0, "end");
    screen_.keys("x");
    PENMOV(0.0f, 0.0f, 999);
    EXPECT_EQ(screen_.window().keys_left(), 0u);
    EXPECT_EQ(plot.IMODE, 0);
    EXPECT_EQ(plot.IDEV, 0);
    EXPECT_FALSE(plot.file.is_open());
    EXPECT_EQ(file_lines("end.plt").back(), " SP;");
}

TEST_F(Device, InchesToPixelsAndBack) {
    PLTDEV(2, 11, 1, 0, ".");
    REAL x = 10.0f, y = 0.0f;
    INTEGER ix = 0, iy = 0;
    INCPIX(x, y, ix, iy, 0);
    EXPECT_EQ(ix, 639);
    EXPECT_EQ(iy, 479);
    ix = 0;
    iy = 0;
    INCPIX(x, y, ix, iy, 1);
    EXPECT_FLOAT_EQ(x, 0.0f);
    EXPECT_FLOAT_EQ(y, 7.5f);
}

TEST_F(Device, WindowModeIsReadBackFromTheColumns) {
    INTEGER mode = 0;
    WINSIZ(mode, 0);
    EXPECT_EQ(mode, 1);
    for (INTEGER m = 1; m <= 4; ++m) {
        INTEGER asked = m, read = 0, width = 0, height = 0, cellh = 0;
        WINSIZ(asked, 0);
        WINMOD(read, width, height, cellh);
        EXPECT_EQ(read, m);
        EXPECT_EQ(width, platform::mode_size(m).width);
        EXPECT_EQ(height, platform::mode_size(m).height);
        EXPECT_EQ(cellh, 16);
    }
}

}  // namespace
}  // namespace datrax::testing
