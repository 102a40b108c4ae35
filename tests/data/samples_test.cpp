// The files of samples/ read as the formats they stand for, and their
// series step from one file to the next.
#include <filesystem>

#include "data/file_series.h"
#include "reader_test_support.h"

namespace datrax {
namespace {

class Samples : public ::testing::Test {
protected:
    Samples() : old_(std::filesystem::current_path()) {
        std::filesystem::current_path(std::filesystem::path(DATRAX_SOURCE_DIR) / "samples");
    }
    ~Samples() override { std::filesystem::current_path(old_); }

    testing::Screen screen;
    std::filesystem::path old_;
};

TEST_F(Samples, EveryFileReadsInItsFormat) {
    struct Case {
        const char* name;
        INTEGER iform;
        INTEGER npts;
        const char* tunit;
    } cases[] = {
        {"d24122.dat", 1, 2880, "min"}, {"g24123.dat", 2, 86400, "sec"}, {"p24123.dat", 2, 8640, "sec"},
        {"bf240301.ggp", 3, 744, "hr"}, {"bf240401.ggp", 3, 720, "hr"},  {"pl240301.txt", 4, 720, "no unit"},
    };
    for (const auto& c : cases) {
        dset.FNAME(1) = c.name;
        INTEGER status = 0;
        RDFILE(dset.FNAME, 1, status);
        EXPECT_EQ(status, 0) << c.name;
        EXPECT_EQ(dset.IFORM, c.iform) << c.name;
        EXPECT_EQ(dset.NPTS(1), c.npts) << c.name;
        EXPECT_EQ(dset.TUNIT.str(), c.tunit) << c.name;
    }
}

TEST_F(Samples, SeriesStepByDayAndByMonth) {
    dset.FNAME(1) = "g24122.dat";
    INTEGER status = 0;
    RDFILE(dset.FNAME, 1, status);
    for (const char* expected : {"g24123.dat", "g24124.dat"}) {
        NEWFIL('n', dset.FNAME, 1, status);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(dset.FNAME(1), expected);
    }
    dset.FNAME(1) = "bf240501.ggp";
    RDFILE(dset.FNAME, 1, status);
    for (const char* expected : {"bf240401.ggp", "bf240301.ggp"}) {
        NEWFIL('p', dset.FNAME, 1, status);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(dset.FNAME(1), expected);
    }
}

}  // namespace
}  // namespace datrax
