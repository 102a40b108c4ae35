// A run of pen moves handed over at once draws the screen and writes the
// plot file exactly as the same moves made one by one.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "plot_fixture.h"
#include "plotlib/device.h"
#include "plotlib/pen.h"
#include "plotlib/plotlib.h"
#include "plotlib/symbols.h"

namespace datrax::testing {
namespace {

// The first line where two plot files differ, or "" when they agree.
std::string first_difference(const std::string& a, const std::string& b) {
    size_t line = 1, start = 0;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (a[i] != b[i]) {
            const auto text = [&](const std::string& s) { return s.substr(start, s.find('\n', start) - start); };
            return "line " + std::to_string(line) + ": \"" + text(a) + "\" one by one, \"" + text(b) + "\" as a run";
        }
        if (a[i] == '\n') {
            ++line;
            start = i + 1;
        }
    }
    return a.size() == b.size() ? "" : "lengths " + std::to_string(a.size()) + " and " + std::to_string(b.size());
}

class PenRun : public PlotTest {
protected:
    // Screen and plot file at once; returns the canvas pixels and the file.
    std::pair<std::vector<uint8_t>, std::string> draw(const std::string& name, INTEGER code, INTEGER line_mode,
                                                      bool as_run) {
        reset_plotlib();  // the pen's and the mask's state from the last drawing must not differ
        screen_.canvas().set_line_style(0xFFFF);
        PLTDEV(2, 11, 1, 0, ".");
        std::filesystem::remove(folder_ / name);  // no overwrite question
        PLTDEV(12, 11, 1, 0, name);
        PLTSTY(line_mode, -1, 0, 0, 0.0f);
        PENMOV(x_[0], y_[0], 3);
        if (as_run) {
            pen_draw_run(x_.data() + 1, y_.data() + 1, 700, code);
            pen_draw_run(x_.data() + 701, y_.data() + 701, x_.size() - 701, code);
        } else {
            for (size_t i = 1; i < x_.size(); ++i) PENMOV(x_[i], y_[i], code);
        }
        std::vector<uint8_t> pixels = screen_.canvas().pixels();
        PLTCLS();
        return {pixels, file_text(name)};
    }

    void SetUp() override {
        std::mt19937 rng(7);
        std::uniform_real_distribution<float> noise(-0.6f, 0.6f);
        for (int i = 0; i < 20000; ++i) {
            x_.push_back(0.5f + 9.0f * static_cast<float>(i) / 20000.0f);
            y_.push_back(3.7f + 2.5f * std::sin(static_cast<float>(i) * 1e-3f) + noise(rng));
        }
        y_[5000] = -1.0f;  // below the paper: still written, reported on standard error
        y_[9000] = 20.0f;  // far above the page
    }

    std::vector<float> x_, y_;
};

TEST_F(PenRun, ScreenAndFileMatchTheMovesOneByOne) {
    struct Case {
        INTEGER code, line_mode;
    };
    // Solid, dotted and dashed draws, the +10 codes, a line mode replacing
    // the code, and moves (which a run makes one by one).
    for (const Case c : {Case{2, 0}, Case{5, 0}, Case{6, 0}, Case{12, 0}, Case{2, 5}, Case{4, 0}, Case{3, 0}}) {
        SCOPED_TRACE("code " + std::to_string(c.code) + ", line mode " + std::to_string(c.line_mode));
        const auto one = draw("one.plt", c.code, c.line_mode, false);
        const auto run = draw("run.plt", c.code, c.line_mode, true);
        EXPECT_TRUE(one.first == run.first);
        EXPECT_EQ(first_difference(one.second, run.second), "");
        EXPECT_GT(one.second.size(), 20000u * 18);
    }
}

}  // namespace
}  // namespace datrax::testing
