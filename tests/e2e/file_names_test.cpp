// Long file names and names in other folders, end to end: given on the
// command line, typed, stepped through a series, saved as plots.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/main_program.h"
#include "app/state.h"
#include "support/session.h"

namespace datrax {
namespace {

using testing::Session;

void write_file(const std::string& name, const std::string& content) { std::ofstream(name) << content; }

std::string read_file(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A GGP month of N hourly lines whose gravity values start at FIRST.
std::string ggp_month(const std::string& yyyymm, int n, double first) {
    std::string text = "Filename : x\n77777777\n";
    for (int i = 0; i < n; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "%s%02d %02d0000 %9.4f %9.4f\n", yyyymm.c_str(), 1 + i / 24, i % 24, first + i,
                      1000.0 + i);
        text += line;
    }
    return text + "99999999\n";
}

const char kBrowse[] = "[Mark/Forward/Back/Zoom/Yscale/Previous/Next/Save/Quit] ->";

// `datrax` opened on a 60-character path, then Next: the next file of that
// folder is read, and the header shows the end of the long name.
TEST(FileNames, CommandLinePathOfSixtyCharactersStepsInItsFolder) {
    Session s;
    const std::string folder = "station_bf/gravity_records_of_2024/hourly_means";
    std::filesystem::create_directories(folder);
    const std::string first = folder + "/bf240301.ggp";
    ASSERT_EQ(first.size(), 60u);
    write_file(first, ggp_month("202403", 5, 10.0));
    write_file(folder + "/bf240401.ggp", ggp_month("202404", 7, 20.0));
    write_file("bf240401.ggp", ggp_month("202404", 2, 90.0));  // the same base name in the working folder

    const std::string files[] = {first};
    s.window().add_script(
        "dnn{enter}"
        "n"
        "q"
        "r");
    EXPECT_EQ(run_datrax(files), 0);
    EXPECT_EQ(dset.FNAME(1).trimmed(), folder + "/bf240401.ggp");
    EXPECT_EQ(dset.FNAME(2).trimmed(), folder + "/bf240401.ggp");
    EXPECT_EQ(dset.NPTS(1), 7);
    EXPECT_EQ(Y(1, 1), 20.0f);
    EXPECT_EQ(gp.PLTNAM(1).trimmed(), folder + "/bf240401.plt");
    EXPECT_EQ(dset.TITLE(1).trimmed(), std::string("...rds_of_2024/hourly_means/bf240401.ggp"))
        << "a title keeps to its place";
    EXPECT_EQ(s.window().title(), "bf240401.ggp - DATRAX 1.1");
    EXPECT_EQ(s.row(0), " MAIN MENU - Style 1 Ndsets 1 File 1 " + folder + "/bf240401.ggp");
}

// A typed name longer than 40 characters opens that file, not the one its
// first 40 characters name; a stepped name that is missing leaves the slot.
TEST(FileNames, TypedLongNameAndAGapInTheSeries) {
    Session s;
    const std::string name = "measurements/xx240301_bf_station_gravity.dat";
    std::filesystem::create_directories("measurements");
    ASSERT_EQ(name.size(), 44u);
    write_file(name, "1 10\n2 20\n3 30\n");
    write_file(name.substr(0, 40), "1 99\n");  // what a cut name would open
    s.run("d" + name +
          "{enter}y"
          "dnn{enter}"
          "n");
    EXPECT_EQ(dset.FNAME(1).trimmed(), name);
    EXPECT_EQ(dset.NPTS(1), 3);
    EXPECT_EQ(s.row(s.canvas().rows() - 2), "File not found: measurements/xx240401_bf_station_gravity.dat");
    EXPECT_EQ(dset.FNAME(1).trimmed(), name) << "the plot still shows the file it holds";
    EXPECT_EQ(s.bottom_row(), kBrowse);
}

// A typed plot name keeps its extension and so its kind, and a long one is
// written whole.
TEST(FileNames, TypedPlotNamesKeepTheirExtensionAndLength) {
    Session s;
    write_file("grav.dat", "1 10\n2 20\n3 30\n");
    const std::string pdf = "station_bf_march_2024_gravity_residual_v2.pdf";
    const std::string plt = std::string(120, 'p') + ".plt";
    s.run(
        "dgrav.dat{enter}y"
        "dnn{enter}"
        "sn" +
        pdf +
        "{enter}"
        "sn" +
        plt + "{enter}");
    EXPECT_EQ(s.bottom_row(), kBrowse);
    EXPECT_EQ(read_file(pdf).substr(0, 5), "%PDF-");
    EXPECT_FALSE(std::filesystem::exists("station_bf_march_2024_gravity_residu.plt"));
    EXPECT_NE(read_file(plt).find("IN;"), std::string::npos);
}

}  // namespace
}  // namespace datrax
