// Files written whole or not at all: through symbolic links, never over a
// read-only file, and never leaving a cut file on a full disk.
#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/plot_file.h"
#include "support/golden_file.h"
#include "support/scratch_dir.h"

namespace datrax::platform {
namespace {

namespace fs = std::filesystem;
using testing::names_in;
using testing::read_file_bytes;

// Links to the file, absolute, relative, in a chain and dangling, are
// written through: the target changes, every link stays a link.
TEST(AtomicFile, WritesThroughSymbolicLinks) {
    testing::ScratchDir dir;
    fs::create_directory(dir.file("real"));
    const std::string target = dir.write("real/datra.pro", "old\n");
    fs::create_symlink(target, dir.file("absolute"));
    fs::create_symlink("real/datra.pro", dir.file("relative"));
    fs::create_symlink("relative", dir.file("chain"));
    fs::create_symlink("real/new.pro", dir.file("dangling"));
    std::string error;
    for (const char* link : {"absolute", "relative", "chain"}) {
        ASSERT_TRUE(replace_file(dir.file(link), link, error)) << error;
        EXPECT_TRUE(fs::is_symlink(dir.file(link)));
        EXPECT_EQ(read_file_bytes(target), link);
    }
    ASSERT_TRUE(replace_file(dir.file("dangling"), "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir.file("dangling")));
    EXPECT_EQ(read_file_bytes(dir.file("real/new.pro")), "new");
    EXPECT_EQ(names_in(dir.file("real")), (std::vector<std::string>{"datra.pro", "new.pro"}));
}

// A read-only file is not replaced (not even by root, who may rename over
// it), nor is anything that is not a regular file.
TEST(AtomicFile, RefusesReadOnlyFilesAndSpecialFiles) {
    testing::ScratchDir dir;
    const std::string name = dir.write("kept.plt", "old");
    ASSERT_EQ(::chmod(name.c_str(), 0444), 0);
    std::string error;
    EXPECT_FALSE(replace_file(name, "new", error));
    EXPECT_NE(error.find("kept.plt"), std::string::npos) << error;
    EXPECT_EQ(read_file_bytes(name), "old");
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    EXPECT_FALSE(replace_file(dir.file("fifo"), "new", error));
    EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"fifo", "kept.plt"}));

    // A replaced file keeps its permissions.
    const std::string shared = dir.write("shared", "old");
    ASSERT_EQ(::chmod(shared.c_str(), 0664), 0);
    ASSERT_TRUE(replace_file(shared, "new", error)) << error;
    struct stat st {};
    ASSERT_EQ(::stat(shared.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
}

// A file of many megabytes, handed to the disk in steps while it is
// written, comes out whole, replacing the old one only when committed.
TEST(AtomicFile, LongFileIsWrittenWhole) {
    testing::ScratchDir dir;
    const std::string name = dir.write("long.plt", "old");
    std::string contents(20 << 20, ' ');
    for (size_t i = 0; i < contents.size(); ++i) contents[i] = static_cast<char>('a' + i % 23);
    PlotFile plot;
    ASSERT_TRUE(plot.open(name));
    for (size_t at = 0; at < contents.size(); at += 1000003) plot.write(std::string_view(contents).substr(at, 1000003));
    EXPECT_TRUE(plot.flush_all());
    EXPECT_EQ(read_file_bytes(name), "old");
    EXPECT_TRUE(plot.close());
    EXPECT_TRUE(read_file_bytes(name) == contents);
    EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"long.plt"});
}

// A folder on a 64 KB file system of its own, to fill it.
class FullDisk : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "full-disk case needs root to mount a small tmpfs: not run";
        if (::mount("tmpfs", dir.path().c_str(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "full-disk case: cannot mount a tmpfs here (" << std::strerror(errno) << "): not run";
        mounted = true;
    }
    void TearDown() override {
        if (mounted) ::umount(dir.path().c_str());
    }
    testing::ScratchDir dir;
    bool mounted = false;
};

// A plot that does not fit is reported and leaves the old plot of its name
// whole and no cut file; the same for the one-step replacement.
TEST_F(FullDisk, OldFileStaysWholeAndNoCutFileIsLeft) {
    const std::string old_plot = dir.write("old.plt", "IN;SP1;PU0,0;PD10,10;SP;\n");
    const std::string big(200 * 1024, 'x');
    PlotFile plot;
    ASSERT_TRUE(plot.open(old_plot));
    plot.write(big);
    EXPECT_FALSE(plot.close());
    EXPECT_EQ(read_file_bytes(old_plot), "IN;SP1;PU0,0;PD10,10;SP;\n");

    ASSERT_TRUE(plot.open(dir.file("new.plt")));
    plot.write(big);
    EXPECT_FALSE(plot.close());

    std::string error;
    EXPECT_FALSE(replace_file(old_plot, big, error));
    EXPECT_NE(error.find("No space left"), std::string::npos) << error;
    EXPECT_EQ(read_file_bytes(old_plot), "IN;SP1;PU0,0;PD10,10;SP;\n");
    EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"old.plt"});

    // What fits is written.
    ASSERT_TRUE(plot.open(old_plot));
    plot.write("IN;\n");
    EXPECT_TRUE(plot.close());
    EXPECT_EQ(read_file_bytes(old_plot), "IN;\n");
}

// The null device discards the plot and creates nothing; names that only
// look like it are files.
TEST(PlotFile, OnlyTheNullDeviceNamesWriteNothing) {
    testing::ScratchDir dir;
    dir.enter();
    for (const char* name : {"nul", "/dev/null"}) {
        PlotFile plot;
        ASSERT_TRUE(plot.open(name)) << name;
        plot.write("IN;\n");
        EXPECT_TRUE(plot.close());
        EXPECT_TRUE(is_null_device_name(name));
    }
    EXPECT_TRUE(names_in(dir.path()).empty());
    for (const char* name : {"nul.pdf", "NUL", "Nul.plt", "sub/nul"}) EXPECT_FALSE(is_null_device_name(name)) << name;
    PlotFile plot;
    ASSERT_TRUE(plot.open("nul.pdf"));
    plot.write("%PDF-");
    EXPECT_TRUE(plot.close());
    EXPECT_EQ(read_file_bytes("nul.pdf"), "%PDF-");
}

// New files get 0666 less the umask; a replaced file keeps its own mode.
TEST(AtomicFile, NewFilesFollowTheUmask) {
    testing::ScratchDir dir;
    const mode_t old_mask = ::umask(0);
    const struct { mode_t mask, mode; } rows[] = {{077, 0600}, {022, 0644}, {002, 0664}, {0, 0666}};
    for (const auto& r : rows) {
        ::umask(r.mask);
        const std::string name = dir.file("new" + std::to_string(r.mask));
        std::string error;
        ASSERT_TRUE(replace_file(name, "x", error)) << error;
        struct stat st {};
        ASSERT_EQ(::stat(name.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, r.mode) << std::oct << r.mask;
        ::umask(077);  // a replacement keeps the mode whatever the umask says
        ASSERT_TRUE(replace_file(name, "y", error)) << error;
        ASSERT_EQ(::stat(name.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, r.mode) << std::oct << r.mask;
    }
    ::umask(old_mask);
}

}  // namespace
}  // namespace datrax::platform
