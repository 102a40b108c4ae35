// A plot file is put in place only by close(): every other way it can be
// dropped leaves the old file of its name byte for byte and no temporary file.
#include "platform/plot_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/golden_file.h"
#include "support/scratch_dir.h"

namespace datrax::platform {
namespace {

namespace fs = std::filesystem;
using testing::read_file_bytes;

std::vector<std::string> names_in(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(PlotFile, DroppedWithoutCloseLeavesTheOldFile) {
    const std::string old_bytes = " IN;\n PU   100,   200;\n SP;\n";
    struct Way {
        const char* name;
        std::function<void(std::optional<PlotFile>&, const std::string& other)> drop;
    };
    const Way ways[] = {
        {"destroyed (the end of the run)", [](std::optional<PlotFile>& f, const std::string&) { f.reset(); }},
        {"abandoned", [](std::optional<PlotFile>& f, const std::string&) { f->abandon(); }},
        {"assigned over", [](std::optional<PlotFile>& f, const std::string&) { *f = PlotFile(); }},
        {"opened again", [](std::optional<PlotFile>& f, const std::string& other) { f->open(other); }},
    };
    for (const Way& way : ways) {
        testing::ScratchDir dir;
        const std::string target = dir.write("g.plt", old_bytes);
        std::optional<PlotFile> file(std::in_place);
        ASSERT_TRUE(file->open(target));
        file->write(" IN;\n PU     0,     0;\n");
        EXPECT_TRUE(file->flush_all());  // every byte is out, still not in place
        way.drop(file, dir.file("other.plt"));
        EXPECT_EQ(read_file_bytes(target), old_bytes) << way.name;
        if (file) file.reset();  // the other file, never closed, leaves nothing either
        EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"g.plt"}) << way.name;
    }
}

TEST(PlotFile, OnlyCloseReplacesTheOldFile) {
    testing::ScratchDir dir;
    const std::string target = dir.write("g.plt", "old\n");
    PlotFile file;
    ASSERT_TRUE(file.open(target));
    file.write("new\n");
    EXPECT_FALSE(file.discards());
    EXPECT_TRUE(file.close());
    EXPECT_EQ(read_file_bytes(target), "new\n");
    EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"g.plt"});
}

}  // namespace
}  // namespace datrax::platform
