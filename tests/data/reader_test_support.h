// Shared set-up of the reader tests: a fresh state with a headless window,
// a scratch folder as the working folder (for the tests that open files),
// and builders for file contents.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "app/state.h"
#include "data/rdfile.h"
#include "records/line_source.h"
#include "support/scratch_dir.h"
#include "support/session.h"

namespace datrax {

class ReaderTest : public ::testing::Test {
protected:
    ReaderTest() { dir.enter(); }

    // Names the content in slot k and reads it from memory; returns the status.
    INTEGER read(std::string_view name, std::string_view content, INTEGER k = 1, std::string_view keys = "") {
        dset.FNAME(k) = name;
        if (!keys.empty()) screen.keys(keys);
        TextLines in(content, name);
        INTEGER status = 0;
        read_data(in, k, status);
        return status;
    }
    // Reads the named file into slot k; returns the status.
    INTEGER read_named(std::string_view name, INTEGER k = 1, std::string_view keys = "") {
        dset.FNAME(k) = name;
        if (!keys.empty()) screen.keys(keys);
        INTEGER status = 0;
        RDFILE(dset.FNAME, k, status);
        return status;
    }
    std::string message_row() const { return screen.row(scr.MAXROW); }

    testing::Screen screen;
    testing::ScratchDir dir;
};

// Line 2 of a DATRA file: the count in I10, the interval text in 12 columns.
inline std::string datra_counts(long n, std::string_view dt) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%10ld%12.*s\n", n, static_cast<int>(dt.size()), dt.data());
    return buf;
}

// Line 3 of a DATRA file: format, data unit and time unit in 20 columns each.
inline std::string datra_texts(std::string_view format, std::string_view dunit, std::string_view tunit) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "%-20.*s%-20.*s%.*s\n", static_cast<int>(format.size()), format.data(),
                  static_cast<int>(dunit.size()), dunit.data(), static_cast<int>(tunit.size()), tunit.data());
    return buf;
}

// One GGP data line: date, time and two values in the fixed columns.
inline std::string ggp_line(std::string_view date, std::string_view time, double v1, double v2) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.*s %6.*s%10.4f%10.4f\n", static_cast<int>(date.size()), date.data(),
                  static_cast<int>(time.size()), time.data(), v1, v2);
    return buf;
}

}  // namespace datrax
