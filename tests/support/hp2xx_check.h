// Renders a plot file with Debian's hp2xx, an HP-GL reader written
// elsewhere, as a check that our plot files are read as intended.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>

namespace datrax::testing {

// Runs "hp2xx -q -N -m png" on the file, the PNG going beside it (hp2xx is
// run inside the file's folder: it aborts on long path names); fails when
// hp2xx is missing, exits with an error or reports one.
::testing::AssertionResult renders_with_hp2xx(const std::filesystem::path& plot_file);

}  // namespace datrax::testing
