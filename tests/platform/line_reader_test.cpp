#include "platform/line_reader.h"

#include <gtest/gtest.h>

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

// Lines that straddle the buffer refills come out whole; a line beyond the
// limit is cut and the next line is read normally.
TEST(LineReader, LongFilesAndOverlongLines) {
    testing::ScratchDir dir;
    std::string bytes;
    std::vector<std::string> expected;
    for (int i = 0; bytes.size() < 3 * LineReader::kMaxLine; ++i) {
        expected.push_back(std::string(static_cast<size_t>(i % 997), static_cast<char>('a' + i % 26)));
        bytes += expected.back() + (i % 3 ? "\n" : "\r\n");
    }
    EXPECT_EQ(read_all(dir.write("long", bytes)), expected);

    const std::string huge(LineReader::kMaxLine + 12345, 'h');
    const auto lines = read_all(dir.write("huge", "first\n" + huge + "\nlast\n"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], huge.substr(0, LineReader::kMaxLine));
    EXPECT_EQ(lines[2], "last");
    EXPECT_EQ(read_all(dir.write("huge2", huge)).size(), 1u);
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
