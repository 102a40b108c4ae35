#include "platform/line_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/files.h"
#include "support/scratch_dir.h"

namespace datrax::platform {
namespace {

std::vector<std::string> read_all(const std::string& name) {
    LineReader r;
    EXPECT_TRUE(r.open(name));
    std::vector<std::string> lines;
    std::string_view line;
    while (r.next_line(line)) lines.emplace_back(line);
    return lines;
}

TEST(LineReader, LineEnds) {
    testing::ScratchDir dir;
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a\nb\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\r\n\r\n\n", {"a\r", "", ""}},  // one carriage return is stripped
        {"\n\n", {"", ""}},
        {std::string("x\0y\n", 4), {std::string("x\0y", 3)}},  // a NUL byte is an ordinary byte
    };
    for (const auto& c : cases) EXPECT_EQ(read_all(dir.write("f", c.bytes)), c.lines) << c.bytes;
}

// Lines that straddle the buffer refills, and lines far longer than the
// first buffer, come out whole: a long line is never cut.
TEST(LineReader, LongFilesAndLongLines) {
    testing::ScratchDir dir;
    constexpr size_t kMiB = size_t{1} << 20;
    std::string bytes;
    std::vector<std::string> expected;
    for (int i = 0; bytes.size() < 3 * kMiB; ++i) {
        expected.push_back(std::string(static_cast<size_t>(i % 997), static_cast<char>('a' + i % 26)));
        bytes += expected.back() + (i % 3 ? "\n" : "\r\n");
    }
    EXPECT_EQ(read_all(dir.write("long", bytes)), expected);

    std::string huge(5 * kMiB + 12345, 'h');
    huge[3 * kMiB] = 'x';
    EXPECT_EQ(read_all(dir.write("huge", "first\n" + huge + "\nlast\n")),
              (std::vector<std::string>{"first", huge, "last"}));
    EXPECT_EQ(read_all(dir.write("huge2", huge)), std::vector<std::string>{huge});
}

// Blocks taken in turn with lines, as the two-thread readers take them:
// every line comes once, in order, and a block is still intact after the
// next block has been read (the threads convert it meanwhile).
TEST(LineReader, BlocksStayWhileTheNextIsRead) {
    testing::ScratchDir dir;
    std::string bytes;
    for (int i = 0; bytes.size() < (5 << 20); ++i) bytes += std::to_string(i) + std::string(i % 90u, '.') + "\n";
    bytes += std::string(3 << 20, 'L') + "\nend";  // a line longer than the buffer, no final line end
    LineReader r;
    ASSERT_TRUE(r.open(dir.write("blocks", bytes)));
    std::string got, before_copy;
    std::string_view before, line;
    for (;;) {
        const std::string_view block = r.next_block();
        EXPECT_EQ(before, before_copy);  // the block before, after this one was read
        before = block;
        before_copy = block;
        if (!block.empty()) {
            got += block;
        } else if (r.next_line(line)) {
            got += std::string(line) + "\n";
        } else {
            break;
        }
    }
    EXPECT_EQ(got, bytes + "\n");
}

// A line beyond the reader's limit stops the reading with a failure: the
// lines before it are read, nothing of it or after it is handed out.
TEST(LineReader, LineBeyondTheLimitFails) {
    testing::ScratchDir dir;
    for (const std::string& tail : {std::string(101, 'z') + "\nnext\n", std::string(101, 'z')}) {
        LineReader r(100);
        ASSERT_TRUE(r.open(dir.write("f", "ok\n" + std::string(100, 'y') + "\n" + tail)));
        std::string_view line;
        ASSERT_TRUE(r.next_line(line));
        EXPECT_EQ(line, "ok");
        ASSERT_TRUE(r.next_line(line));
        EXPECT_EQ(line.size(), 100u);
        EXPECT_FALSE(r.next_line(line));
        EXPECT_EQ(r.failure(), LineReader::Failure::LineTooLong);
        EXPECT_FALSE(r.next_line(line));
        EXPECT_TRUE(r.open(dir.file("f")));  // a new open starts afresh
        EXPECT_EQ(r.failure(), LineReader::Failure::None);
    }
}

// Only regular files are read: a FIFO without a writer, a device that never
// ends and a folder are refused at once instead of hanging the program.
TEST(LineReader, RefusesWhatIsNotARegularFile) {
    testing::ScratchDir dir;
    const std::string fifo = dir.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& name : {fifo, std::string("/dev/zero"), std::string("/dev/urandom"), dir.path()}) {
        LineReader r;
        EXPECT_FALSE(r.open(name)) << name;
        EXPECT_EQ(r.failure(), LineReader::Failure::NotRegular) << name;
        EXPECT_FALSE(r.is_open());
    }
    LineReader r;
    EXPECT_FALSE(r.open(dir.file("missing")));
    EXPECT_EQ(r.failure(), LineReader::Failure::None);
}

// A file that grows while it is read ends where it ended when opened.
TEST(LineReader, GrowingFileEndsAtItsSizeWhenOpened) {
    testing::ScratchDir dir;
    const std::string name = dir.write("grows", "a\nb\n");
    LineReader r;
    ASSERT_TRUE(r.open(name));
    std::FILE* f = std::fopen(name.c_str(), "ab");
    ASSERT_NE(f, nullptr);
    std::fputs("c\nd\n", f);
    std::fclose(f);
    std::vector<std::string> lines;
    std::string_view line;
    while (r.next_line(line)) lines.emplace_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(r.failure(), LineReader::Failure::None);
}

TEST(Files, ExistenceAndDeletion) {
    testing::ScratchDir dir;
    const std::string name = dir.write("data.dat", "1 2\n");
    EXPECT_TRUE(file_exists(name));
    EXPECT_FALSE(file_exists(dir.path()));  // a folder is not a file
    EXPECT_FALSE(file_exists(""));
    std::string backslashed = name;
    backslashed[backslashed.rfind('/')] = '\\';
    EXPECT_TRUE(file_exists(backslashed));
    LineReader r;
    EXPECT_TRUE(r.open(backslashed));
    EXPECT_FALSE(r.open(dir.file("missing")));
    EXPECT_TRUE(delete_file(name));
    EXPECT_FALSE(file_exists(name));
    EXPECT_FALSE(delete_file(name));
}

}  // namespace
}  // namespace datrax::platform
