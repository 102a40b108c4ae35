// The name the data menu's W offers for a data file.
#include "app/data_write.h"

#include <gtest/gtest.h>

namespace datrax {
namespace {

TEST(DefaultWriteName, TheDataFilesBaseNameWithWcsvBesideIt) {
    const struct {
        const char* data_file;
        const char* offered;
    } rows[] = {
        {"bf240301.ggp", "bf240301w.csv"},
        {"data/g24122.dat", "data/g24122w.csv"},
        {"noext", "noextw.csv"},
        {"dir.d/file", "dir.d/filew.csv"},
        {".hidden", ".hiddenw.csv"},
        {"dir/.hidden", "dir/.hiddenw.csv"},
        {"C:\\DATA\\G97001.DAT", "C:\\DATA\\G97001w.csv"},
        {"two.dots.txt", "two.dotsw.csv"},
    };
    for (const auto& r : rows) EXPECT_EQ(default_write_name(r.data_file), r.offered) << r.data_file;
}

}  // namespace
}  // namespace datrax
