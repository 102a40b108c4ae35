// The end of a plot file: put in place only by PLTCLS after its drawing is
// complete (a run that ends before leaves the old file byte for byte and no
// temporary file), and texts that can never end a label early.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "plot_fixture.h"
#include "plotlib/axes.h"
#include "plotlib/device.h"
#include "plotlib/pen.h"
#include "plotlib/plotlib.h"
#include "plotlib/symbols.h"
#include "support/golden_file.h"
#include "support/hpgl_records.h"
#include "support/sample_files.h"

namespace datrax::testing {
namespace {

class PlotFileEnd : public PlotTest {
protected:
    std::vector<std::string> names() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder_))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

const char* const kKinds[] = {"g.plt", "g.pdf", "g.svg", "g.png"};

TEST_F(PlotFileEnd, RunEndingBeforeTheCloseKeepsTheOldFile) {
    for (const char* name : kKinds) {
        write_text_file(name, "the old plot\n");
        for (const bool finished : {false, true}) {
            screen_.keys("y");  // Overwrite g.xxx? y
            open_plot(name);
            PENMOV(1.0f, 1.0f, 3);
            PENMOV(2.0f, 2.0f, 2);
            PLTSYM(1.0f, 3.0f, 0.2f, "text", 0.0f, 4);
            if (finished) {
                EXPECT_TRUE(finish_plot_file()) << name;
            }
            reset_plotlib();  // the run ends: nothing closes the file
            EXPECT_EQ(file_text(name), "the old plot\n") << name << (finished ? " finished" : "");
            EXPECT_EQ(names(), std::vector<std::string>{name}) << "no temporary file";
        }
        std::filesystem::remove(folder_ / name);
        PLTDEV(2, 11, 1, 0, ".");
    }
}

TEST_F(PlotFileEnd, NothingIsDrawnIntoAFinishedFile) {
    open_plot("done.plt");
    PENMOV(1.0f, 1.0f, 3);
    ASSERT_TRUE(finish_plot_file());
    PENMOV(2.0f, 2.0f, 2);
    PLTSYM(1.0f, 3.0f, 0.2f, "late", 0.0f, 4);
    PENCOL(3);
    const std::vector<std::string> lines = {" PS4;IN;", " IW   100,   200, 10315,  7870;", " SP15;",
                                            " PU  1121,  1222;", " SP;"};
    close_plot("done.plt");
    EXPECT_EQ(file_lines("done.plt"), lines);
    EXPECT_TRUE(plot_file_saved());

    open_plot("done.pdf");
    PENMOV(2.0f, 2.0f, 2);
    ASSERT_TRUE(finish_plot_file());
    PENMOV(3.0f, 3.0f, 2);
    const std::string pdf = close_plot("done.pdf");
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
}

TEST_F(PlotFileEnd, NullDeviceIsNoFinishedFile) {
    screen_.keys("x");  // "Plot not written (null device)" waits for a key
    open_plot("nul");
    EXPECT_FALSE(finish_plot_file());
    PLTCLS();
    EXPECT_FALSE(plot_file_saved());
    EXPECT_TRUE(names().empty());
}

// Every control character in every kind of text: the label records of the
// plot file read back whole, and every back end draws exactly what it draws
// for a blank in its place.
class ControlCharacters : public PlotTest {
protected:
    // A text of each kind carrying the character: a label, an axis title
    // and the title's continuation.
    static void draw_texts(const std::string& text) {
        PLTSYM(1.0f, 6.0f, 0.2f, text, 0.0f, static_cast<INTEGER>(text.size()));
        PLTSYM(999.0f, 999.0f, -0.1f, text, 30.0f, static_cast<INTEGER>(text.size()));
        REAL angle = 90.0f;
        PLTAXS(1.5f, 1.0f, text, static_cast<INTEGER>(text.size()), 4.0f, angle, 0.0f, 1.0f, 1, 0.0f, 1.0f);
        PLTNUM(4.0f, 4.0f, 0.14f, 12.5f, 0.0f, 2);
    }
    // The file drawn with the text; cairo numbers the surfaces of a run,
    // so an SVG's surface id is left out.
    std::string drawn_into(const std::string& name, const std::string& text) {
        std::filesystem::remove(folder_ / name);  // no overwrite question
        open_plot(name);
        draw_texts(text);
        return std::regex_replace(close_plot(name), std::regex("id=\"surface[0-9]+\""), "");
    }
};

TEST_F(ControlCharacters, NeverEndALabelOnAnyBackEnd) {
    for (int code = 0; code < 128; ++code) {
        if (code >= 32 && code != 127) continue;
        const char c = static_cast<char>(code);
        const std::string hostile = std::string("Title") + c + "IN;SP0;PG;LBpwned" + c;
        const std::string blank = "Title IN;SP0;PG;LBpwned ";
        const std::string hpgl = drawn_into("hostile.plt", hostile);
        EXPECT_EQ(label_fault(hpgl), "") << "code " << code;
        EXPECT_EQ(hpgl, drawn_into("blank.plt", blank)) << "code " << code;
        EXPECT_EQ(drawn_into("hostile.svg", hostile), drawn_into("blank.svg", blank)) << "code " << code;
        if (code % 8 == 3) {  // a picture is slow to write: a few codes suffice on the same path
            EXPECT_EQ(drawn_into("hostile.png", hostile), drawn_into("blank.png", blank)) << "code " << code;
        }

        PLTDEV(2, 11, 1, 0, ".");
        draw_texts(hostile);
        const std::vector<uint8_t> screen = screen_.canvas().pixels();
        PLTDEV(2, 11, 1, 0, ".");
        draw_texts(blank);
        EXPECT_TRUE(screen == screen_.canvas().pixels()) << "code " << code;
    }
}

// The reader itself: a label that carries the end of text is found out.
TEST(HpglRecordReader, FindsCommandsInsideALabel) {
    const std::string field(90, ' ');
    EXPECT_EQ(label_fault(" PU     1,     2;\n LBabc\x03;" + field + "\n SP;\n"), "");
    EXPECT_NE(label_fault(" LBTitle\x03IN;SP0;PG;LBx\x03;" + field + "\n"), "");
    EXPECT_NE(label_fault(" LBTi\ttle\x03;" + field + "\n"), "");
    const std::vector<HpglRecord> records = read_hpgl_records(" SM;;\n SMa;\n UC99,0,3; PU     1,     2;\n");
    std::vector<std::string> commands;
    for (const HpglRecord& r : records) commands.push_back(r.command + "|" + r.params);
    EXPECT_EQ(commands, (std::vector<std::string>{"SM|", "SM|a", "UC|99,0,3", "PU|     1,     2"}));
}

}  // namespace
}  // namespace datrax::testing
