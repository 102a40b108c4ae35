#include "session.h"

#include <unistd.h>

#include <atomic>

#include "app/main_program.h"
#include "app/state.h"
#include "console/console.h"
#include "platform/config_path.h"

namespace datrax::testing {

namespace {
std::filesystem::path make_private_folder() {
    static std::atomic<int> counter{0};
    auto dir = std::filesystem::temp_directory_path() /
               ("datrax-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}
}  // namespace

Session::Session() : window_(std::make_unique<platform::HeadlessWindow>()), folder_(make_private_folder()) {
    reset_state();
    platform::set_window(window_.get());
    platform::set_profile_file_path((folder_ / "datra.pro").string());
    old_cwd_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
}

Session::~Session() {
    std::filesystem::current_path(old_cwd_);
    platform::set_window(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

int Session::run(std::string_view keys) {
    window_->add_script(keys);
    return run_datrax();
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
