// Golden files: expected outputs kept in tests/golden/, compared byte for
// byte. A mismatch names the first differing line; the actual output is
// always written into the build tree (test_output/), and with
// DATRAX_UPDATE_GOLDEN=1 it replaces the golden file for review.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace datrax::testing {

std::string read_file_bytes(const std::filesystem::path& path);
// A file of the build tree for outputs of the tests (the folder exists).
std::filesystem::path test_output_path(std::string_view name);
std::filesystem::path golden_path(std::string_view name);

::testing::AssertionResult matches_golden(std::string_view name, std::string_view actual);

}  // namespace datrax::testing
