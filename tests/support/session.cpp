#include "session.h"

#include <unistd.h>

#include <atomic>

#include "app/main_program.h"
#include "app/state.h"
#include "console/console.h"
#include "platform/config_path.h"

namespace datrax::testing {

Session::Session() : window_(std::make_unique<platform::HeadlessWindow>()) {
    reset_state();
    platform::set_window(window_.get());
    platform::set_profile_file_path((folder_ / "datra.pro").string());
    scratch_.enter();
}

Session::~Session() { platform::set_window(nullptr); }

int Session::run(std::string_view keys, std::span<const std::string> files) {
    window_->add_script(keys);
    return run_datrax(files);
}

Screen::Screen(int mode) {
    reset_state();
    platform::set_window(&window_);
    const platform::ModeSize size = platform::mode_size(mode);
    window_.set_size(size.width, size.height);
    TXTSIZ(scr.MAXCOL, scr.MAXROW);
}

Screen::~Screen() { platform::set_window(nullptr); }

}  // namespace datrax::testing
