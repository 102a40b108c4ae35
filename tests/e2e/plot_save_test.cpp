// Saving a time-series plot end to end: the plot and the table of its marks
// are put in place only after every question and message of the save (a run
// that ends at one leaves the old files byte for byte), the table has the
// overwrite question of every table, and texts from data files never turn
// into plotter commands.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/golden_file.h"
#include "support/hp2xx_check.h"
#include "support/hpgl_records.h"
#include "support/sample_files.h"
#include "support/session.h"

namespace datrax {
namespace {

namespace fs = std::filesystem;
using testing::read_file_bytes;
using testing::Session;

const std::string kBrowse = "[Mark/Forward/Back/Zoom/Yscale/Previous/Next/Save/Quit] ->";
const std::string kTableNotWritten = "The table of the marks could not be written -->";
// Reads the sample, draws it and marks the sample at the centre.
const std::string kMarked =
    "dbf240301.ggp{enter}"
    "dnn{enter}"
    "m{enter}n";
const std::string kUnmarked =
    "dbf240301.ggp{enter}"
    "dnn{enter}";

std::string save_as(const std::string& name) { return "sn" + name + "{enter}"; }

std::vector<std::string> names_in(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A session in a folder with the sample and an older saved plot: g.pdf,
// g.plt and the table g.mrk of their marks, made read-only.
struct OldPlot {
    OldPlot() {
        fs::copy_file(fs::path(DATRAX_SOURCE_DIR) / "samples" / "bf240301.ggp", s.folder() / "bf240301.ggp");
        testing::write_text_file("g.pdf", "%PDF- the old plot\n");
        testing::write_text_file("g.plt", " IN;\n the old plot\n SP;\n");
        testing::write_text_file("g.mrk", "# the old marks\n");
        ::chmod("g.mrk", 0444);
    }
    void expect_unchanged(const std::string& where) const {
        EXPECT_EQ(read_file_bytes(s.folder() / "g.pdf"), "%PDF- the old plot\n") << where;
        EXPECT_EQ(read_file_bytes(s.folder() / "g.plt"), " IN;\n the old plot\n SP;\n") << where;
        EXPECT_EQ(read_file_bytes(s.folder() / "g.mrk"), "# the old marks\n") << where;
        EXPECT_EQ(names_in(s.folder()),
                  (std::vector<std::string>{"bf240301.ggp", "datra.pro", "g.mrk", "g.pdf", "g.plt"}))
            << where << ": no temporary file";
    }
    Session s;
};

TEST(PlotSave, RunEndingAtAQuestionOrMessageOfTheSaveKeepsTheOldFiles) {
    for (const std::string name : {"g.pdf", "g.plt"}) {
        // Overwrite g.xxx? y; File {g.mrk} Exists. Overwrite? y; the table
        // cannot be written: the run ends at the message.
        {
            OldPlot at_message;
            at_message.s.run(kMarked + save_as(name) + "yy");
            EXPECT_EQ(at_message.s.bottom_row(), kTableNotWritten);
            at_message.expect_unchanged(name + ", the run ending at the message");
        }
        {
            OldPlot at_question;
            at_question.s.run(kMarked + save_as(name) + "y");
            EXPECT_EQ(at_question.s.bottom_row(), "File {g.mrk} Exists. Overwrite [y/n] -->");
            at_question.expect_unchanged(name + ", the run ending at the table's question");
        }
        // Going on past the message puts the whole plot in place; the
        // read-only table stays as it was.
        OldPlot past;
        past.s.run(kMarked + save_as(name) + "yy{enter}");
        EXPECT_EQ(past.s.bottom_row(), kBrowse);
        const std::string plot = read_file_bytes(past.s.folder() / name);
        if (name == "g.pdf") {
            EXPECT_EQ(plot.substr(0, 5), "%PDF-");
            EXPECT_EQ(plot.substr(plot.size() - 6), "%%EOF\n");
        } else {
            EXPECT_EQ(plot.substr(plot.size() - 5), " SP;\n");
        }
        EXPECT_EQ(read_file_bytes(past.s.folder() / "g.mrk"), "# the old marks\n");
        EXPECT_EQ(names_in(past.s.folder()),
                  (std::vector<std::string>{"bf240301.ggp", "datra.pro", "g.mrk", "g.pdf", "g.plt"}))
            << "no temporary file";
        if (name == "g.plt") {
            EXPECT_TRUE(testing::renders_with_hp2xx(past.s.folder() / name));
        }
    }
}

TEST(PlotSave, MarkTableHasTheOverwriteQuestion) {
    Session s;
    fs::copy_file(fs::path(DATRAX_SOURCE_DIR) / "samples" / "bf240301.ggp", s.folder() / "bf240301.ggp");
    std::string up;  // from the centre into the upper (gravity) area
    for (int i = 0; i < 40; ++i) up += "{up}";
    const std::string mark_gravity = "m" + up + "{enter}n";
    // aa.plt with a pressure mark, then aa.pdf with a gravity mark: the
    // table of aa.plt stays (File {aa.mrk} Exists. Overwrite? n), aa.pdf's
    // takes another name; then aa.svg with the gravity mark replaces
    // aa.mrk after the question.
    // A blank name for aa.pdf's table writes none (Enter alone keeps the name).
    s.run(kMarked + save_as("aa.plt") + mark_gravity + save_as("aa.pdf") + "n {enter}");
    EXPECT_EQ(s.bottom_row(), kBrowse);
    const std::string pressure_marks = read_file_bytes(s.folder() / "aa.mrk");
    EXPECT_NE(pressure_marks.find(" mbar "), std::string::npos) << pressure_marks;
    EXPECT_TRUE(fs::exists(s.folder() / "aa.pdf"));

    Session t;
    fs::copy_file(fs::path(DATRAX_SOURCE_DIR) / "samples" / "bf240301.ggp", t.folder() / "bf240301.ggp");
    t.run(kMarked + save_as("aa.plt") + mark_gravity + save_as("aa.pdf") + "naa_pdf.mrk{enter}" + mark_gravity +
          save_as("aa.svg") + "y");
    EXPECT_EQ(t.bottom_row(), kBrowse);
    const std::string gravity_marks = read_file_bytes(t.folder() / "aa_pdf.mrk");
    EXPECT_NE(gravity_marks.find(" microgal "), std::string::npos) << gravity_marks;
    EXPECT_EQ(read_file_bytes(t.folder() / "aa.mrk"), gravity_marks);
    EXPECT_TRUE(fs::exists(t.folder() / "aa.plt") && fs::exists(t.folder() / "aa.pdf") &&
                fs::exists(t.folder() / "aa.svg"));
}

TEST(PlotSave, EarlierTableBesideAPlotWithoutMarksIsDeletedOnlyWhenAllowed) {
    const std::string earlier = "# the marks of an earlier bb.plt\n";
    {
        Session s;
        fs::copy_file(fs::path(DATRAX_SOURCE_DIR) / "samples" / "bf240301.ggp", s.folder() / "bf240301.ggp");
        testing::write_text_file("bb.mrk", earlier);
        s.run(kUnmarked + save_as("bb.plt"));
        EXPECT_EQ(s.bottom_row(), "File {bb.mrk} holds marks of an earlier plot. Delete [y/n] -->");
        EXPECT_FALSE(fs::exists(s.folder() / "bb.plt")) << "nothing in place before the question is answered";
    }
    {
        Session s;
        fs::copy_file(fs::path(DATRAX_SOURCE_DIR) / "samples" / "bf240301.ggp", s.folder() / "bf240301.ggp");
        testing::write_text_file("bb.mrk", earlier);
        s.run(kUnmarked + save_as("bb.plt") + "n");
        EXPECT_EQ(s.bottom_row(), kBrowse);
        EXPECT_TRUE(fs::exists(s.folder() / "bb.plt"));
        EXPECT_EQ(read_file_bytes(s.folder() / "bb.mrk"), earlier);
    }
    // A plot that goes to the null device asks nothing; a real one may
    // take the earlier table with it.
    Session s;
    fs::copy_file(fs::path(DATRAX_SOURCE_DIR) / "samples" / "bf240301.ggp", s.folder() / "bf240301.ggp");
    testing::write_text_file("bb.mrk", earlier);
    testing::write_text_file("nul.mrk", "# kept\n");
    s.run(kUnmarked + save_as("nul") + "x" + save_as("bb.pdf") + "y");  // x: past "Plot not written (null device)"
    EXPECT_EQ(s.bottom_row(), kBrowse);
    EXPECT_TRUE(fs::exists(s.folder() / "bb.pdf"));
    EXPECT_FALSE(fs::exists(s.folder() / "bb.mrk"));
    EXPECT_EQ(read_file_bytes(s.folder() / "nul.mrk"), "# kept\n");
}

// Every control character through every text of a saved plot that comes
// from a data file: the title, the data unit (the axis title), the file
// name (beside the plot and, as the plot's name, in the banner), and the
// mark's time and the axis numbers beside them.
TEST(PlotSave, ControlCharactersFromDataFilesNeverBecomePlotterCommands) {
    for (int code = 0; code < 128; ++code) {
        if ((code >= 32 && code != 127) || code == '\n' || code == '\r') continue;
        const char c = static_cast<char>(code);
        Session s;
        // A file name holds no NUL (the system ends a name there).
        const std::string name = std::string("c") + (code == 0 ? ' ' : c) + "IN;PG;.dat";
        std::string text = std::string("Title") + c + "IN;SP0;PG;LBpwned\n";
        text += "        60         0.1\n";
        std::string unit = std::string("nm/s") + c + "PG;";
        unit.resize(20, ' ');
        text += "(5f10.3)            " + unit + "Hour\n";
        for (int i = 1; i <= 60; ++i) text += std::to_string(100 + i % 7) + ".000" + (i % 5 == 0 ? "\n" : "    ");
        testing::write_text_file(name, text);
        const std::vector<std::string> files = {name};
        s.run(
            "dnn{enter}"
            "m{enter}n"
            "sy",
            files);
        ASSERT_EQ(s.bottom_row(), kBrowse) << "code " << code;
        std::string plot_name = name;
        plot_name.replace(plot_name.size() - 4, 4, ".plt");
        const std::string plot = read_file_bytes(s.folder() / plot_name);
        ASSERT_EQ(plot.substr(plot.size() - 5), " SP;\n") << "code " << code;
        EXPECT_EQ(testing::label_fault(plot), "") << "code " << code;
        for (const char* label : {" LBTitle IN;SP0;PG;LBpwned\x03;", " LBc IN;PG;.plt\x03;", " LBnm/s pg;\x03;"})
            EXPECT_NE(plot.find(label), std::string::npos) << "code " << code << ": " << label;
    }
}

}  // namespace
}  // namespace datrax
