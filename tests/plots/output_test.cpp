// Output selection: screen drawings, saves into plot files, and the way back
// to the screen.
#include "plots/output.h"

#include <gtest/gtest.h>

#include "console/console.h"
#include "plotlib/device.h"
#include "plotlib/pen.h"
#include "plots_fixture.h"

namespace datrax::testing {
namespace {

class Output : public PlotsTest {
protected:
    Output() {
        gp.PLTNAM(1) = "g97001.plt";
        gp.NPLT(1) = 10;
        gp.PLTNAM(2) = "g97001h.plt";
        gp.NPLT(2) = 11;
    }
    // One line drawn, as a drawing of the plots would, then closed when saved.
    void draw(INTEGER mode, INTEGER slot) {
        select_output(mode, slot);
        PENMOV(1.0f, 1.0f, 3);
        PENMOV(2.0f, 2.0f, 2);
        if (mode == kOutputSave) PLTCLS();
    }
    INTEGER plot_device() {
        INTEGER idev = -1, ipage = 0, imode = 0, iback = 0;
        Text<40> name;
        PLTDEV(idev, ipage, imode, iback, name);
        return idev;
    }
};

TEST_F(Output, AScreenDrawingClearsTheWindow) {
    MSGTXT(0, 3, "left from the menu|", 15);
    draw(kOutputScreen, 1);
    EXPECT_EQ(window_.canvas().row_text(3), "");
    EXPECT_EQ(gp.DEVICE, 2);
    EXPECT_EQ(plot_device(), 2);
    EXPECT_FALSE(file_exists("g97001.plt"));
}

TEST_F(Output, SaveToTheDefaultNameThenBackToTheScreen) {
    keys("y");
    draw(kOutputSave, 1);
    EXPECT_EQ(prompts(), (std::vector<std::string>{"Save to g97001.plt? [y/n] -->"}));
    EXPECT_EQ(gp.DEVICE, 1);
    const std::vector<std::string> lines = file_lines("g97001.plt");
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines.front(), " PS4;IN;");
    EXPECT_EQ(lines.back(), " SP;");

    gp.CMODE = 1;  // the plot screen mode differs from the menus'
    draw(kOutputScreen, 1);
    EXPECT_EQ(gp.DEVICE, 2);
    EXPECT_EQ(plot_device(), 2);
    EXPECT_EQ(window_.canvas().width(), 640) << "the screen restarts in CMODE after a save";
}

TEST_F(Output, AnotherNameGetsItsExtensionAndBecomesTheDefault) {
    keys("nmyplot{enter}");
    draw(kOutputSave, 1);
    EXPECT_TRUE(file_exists("myplot.plt"));
    EXPECT_FALSE(file_exists("g97001.plt"));
    EXPECT_EQ(gp.PLTNAM(1), "myplot.plt");
    EXPECT_EQ(gp.NPLT(1), 10);
    draw(kOutputScreen, 1);
    prompts();
    keys("yy");
    draw(kOutputSave, 1);
    EXPECT_EQ(prompts().front(), "Save to myplot.plt? [y/n] -->");
}

TEST_F(Output, TheHistogramSavesUnderItsOwnName) {
    keys("y");
    draw(kOutputSave, 2);
    EXPECT_TRUE(file_exists("g97001h.plt"));
    EXPECT_FALSE(file_exists("g97001.plt"));
    EXPECT_EQ(gp.PLTNAM(1), "g97001.plt");
}

TEST_F(Output, ASecondSaveWithoutAScreenDrawingWritesACompleteFileOfItsOwn) {
    keys("y");
    draw(kOutputSave, 1);
    const std::string first = file_text("g97001.plt");
    keys("nsecond{enter}");
    draw(kOutputSave, 1);
    EXPECT_EQ(prompts().back(), "Plot filename [.plt] -->");
    EXPECT_EQ(file_text("second.plt"), first);
    EXPECT_EQ(file_text("g97001.plt"), first) << "the first file stays as it was";
}

}  // namespace
}  // namespace datrax::testing
