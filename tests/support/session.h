// Runs DATRAX sessions in-process through the headless window.
#pragma once
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/headless_window.h"
#include "support/scratch_dir.h"

namespace datrax::testing {

// A fresh program state, a headless window and a private profile folder.
class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    platform::HeadlessWindow& window() { return *window_; }
    platform::Canvas& canvas() { return window_->canvas(); }
    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path profile_path() const { return folder_ / "datra.pro"; }

    // Runs the main program with the key script (and FILES named on its
    // command line); returns its exit status.
    int run(std::string_view keys, std::span<const std::string> files = {});
    // Row r of the text grid, trailing blanks trimmed.
    std::string row(int r) const { return window_->canvas().row_text(r); }
    std::string screen() const { return window_->screen_text(); }
    // The bottom row of the text grid.
    std::string bottom_row() const { return row(window_->canvas().rows() - 1); }

private:
    std::unique_ptr<platform::HeadlessWindow> window_;
    ScratchDir scratch_;  // the working folder of the test, removed afterwards
    std::filesystem::path folder_{scratch_.path()};
};

// A headless window for routine-level tests: fresh state, window set, text
// grid measured (mode 1 by default), keys queued.
class Screen {
public:
    explicit Screen(int mode = 1);
    ~Screen();
    platform::HeadlessWindow& window() { return window_; }
    platform::Canvas& canvas() { return window_.canvas(); }
    void keys(std::string_view script) { window_.add_script(script); }
    std::string row(int r) const { return window_.canvas().row_text(r); }

private:
    platform::HeadlessWindow window_;
};

}  // namespace datrax::testing
