// Saving the time-series plot: the plot file, repeated saves, and marks
// around saves.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "plots_fixture.h"

namespace datrax::testing {
namespace {

REAL wave(INTEGER i) { return static_cast<REAL>(i % 17) * 0.25f; }

class Saving : public PlotsTest {
protected:
    Saving() {
        load(1, 200, wave, "G97001.DAT");
        gp.PLTNAM(1) = "g97001.plt";
        gp.NPLT(1) = 10;
    }
    // The screen above the two prompt rows.
    std::vector<uint8_t> plot_pixels() const {
        const platform::Canvas& c = window_.canvas();
        const auto& px = c.pixels();
        return std::vector<uint8_t>(px.begin(), px.end() - 2 * 16 * c.width());
    }
};

TEST_F(Saving, SaveWritesTheSamePlotIntoAFileAndLeavesTheScreenAlone) {
    plot("nn{enter}q");
    const std::vector<uint8_t> screen = plot_pixels();
    plot("nn{enter}syq");
    EXPECT_TRUE(plot_pixels() == screen);
    const std::vector<std::string> lines = file_lines("g97001.plt");
    ASSERT_GT(lines.size(), 200u) << "one pen move per sample";
    EXPECT_EQ(lines.front(), " PS4;IN;");
    EXPECT_EQ(lines.back(), " SP;");
    EXPECT_EQ(gp.DEVICE, 1);
}

TEST_F(Saving, SaveGivenTwiceWritesTwoCompleteFiles) {
    pp.ZNAME = false;  // no banner, whose file names differ
    plot(
        "nn{enter}"
        "sy"
        "s"
        "yn"
        "second{enter}"
        "q");
    const std::vector<std::string> p = prompts();
    EXPECT_EQ(std::count(p.begin(), p.end(), "Save to g97001.plt? [y/n] -->"), 2);
    EXPECT_EQ(file_text("second.plt"), file_text("g97001.plt"));
}

TEST_F(Saving, MarkRightAfterASaveMarksTheRedrawnScreen) {
    plot("nn{enter}syq");
    const std::string saved = file_text("g97001.plt");
    const std::vector<uint8_t> screen = plot_pixels();
    std::filesystem::remove("g97001.plt");
    plot(
        "nn{enter}"
        "sy"
        "m{enter}n"
        "q");
    EXPECT_EQ(file_text("g97001.plt"), saved) << "nothing more went into the closed file";
    EXPECT_EQ(gp.DEVICE, 2);
    EXPECT_EQ(plotw.mark_count, 1);
    EXPECT_FALSE(plot_pixels() == screen) << "the mark is on the screen";
}

TEST_F(Saving, TheMarksOfAStepGoIntoTheNextSaveOnly) {
    pp.ZNAME = false;
    plot("nn{enter}syq");
    const std::string plain = file_text("g97001.plt");
    std::filesystem::remove("g97001.plt");
    plot(
        "nn{enter}"
        "m{enter}y{right}{enter}n"
        "sy"
        "sn"
        "second{enter}"
        "q");
    EXPECT_EQ(plotw.mark_count, 0);
    EXPECT_EQ(file_text("second.plt"), plain);
    const std::vector<std::string> marked = file_lines("g97001.plt");
    EXPECT_GT(marked.size(), file_lines("second.plt").size());
}

}  // namespace
}  // namespace datrax::testing
