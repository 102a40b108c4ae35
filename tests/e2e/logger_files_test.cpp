// A logger's CSV file end to end: read by its time stamps, summarised in the
// data menu with its zone, and drawn on the calendar axis.
#include <gtest/gtest.h>

#include <string>

#include "app/state.h"
#include "data/calendar.h"
#include "support/sample_files.h"
#include "support/session.h"

namespace datrax {
namespace {

const std::string kBrowse = "[Mark/Forward/Back/Zoom/Yscale/Previous/Next/Save/Quit] ->";

// Two days at 15 minutes, day first, CRLF, a gap of three hours, an empty
// value, a second-sensor line one second after a reading.
std::string logger_file() {
    std::string s = "Logger 7 (site A)\r\nDate (UTC-5),Time,Pressure_cmH2O\r\n";
    char line[80];
    for (int i = 0; i < 192; ++i) {
        if (i >= 40 && i < 52) continue;
        const int day = 13 + i / 96, minutes = i % 96 * 15;
        std::snprintf(line, sizeof line, "%d/07/2016,%02d:%02d:00,%s\r\n", day, minutes / 60, minutes % 60,
                      i == 60 ? "" : std::to_string(1000 + i % 50).c_str());
        s += line;
        if (i == 100) {
            std::snprintf(line, sizeof line, "%d/07/2016,%02d:%02d:01,9.9\r\n", day, minutes / 60, minutes % 60);
            s += line;
        }
    }
    return s;
}

TEST(LoggerFiles, DayFirstCsvDrawsOnTheCalendarAxis) {
    testing::Session s;
    testing::write_text_file((s.folder() / "site_a.csv").string(), logger_file());
    // The Enter answers the notice of the second sensor's line.
    s.run(
        "dsite_a.csv{enter}{enter}"
        "cu5{enter}r"
        "dnn{enter}");
    EXPECT_EQ(dset.IFORM, 4);
    EXPECT_EQ(dset.NPTS(1), 192);
    EXPECT_EQ(dset.missing(1), 13);
    EXPECT_EQ(dset.TUNIT.str(), "min");
    EXPECT_EQ(dset.DT(1), 15.0f);
    EXPECT_EQ(dset.DUNIT(1).str(), "cmH2O");
    EXPECT_EQ(format_start(dset.start(1)), "2016-07-13 00:00:00");
    EXPECT_EQ(pp.ITUP, 5);
    EXPECT_EQ(pp.AXTITX(1).trimmed(), "date (UTC-5)");
    EXPECT_EQ(s.bottom_row(), kBrowse);
}

}  // namespace
}  // namespace datrax
