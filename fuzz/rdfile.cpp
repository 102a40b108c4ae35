// The data-file reader on arbitrary bytes. The first byte chooses the file
// name (VELK gravity, VELK pressure or another name) and the slot.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/state.h"
#include "console/console.h"
#include "data/rdfile.h"
#include "platform/canvas.h"
#include "platform/headless_window.h"
#include "platform/run_stop.h"

using namespace datrax;

namespace {

// Keeps the reader's failure lines off standard error.
class QuietWindow : public platform::HeadlessWindow {
public:
    void console_line(std::string_view) override {}
};

const char* const kNames[] = {"g24123.dat", "p24123.dat", "xx240101.ggp"};

std::string& scratch_dir() {
    static std::string dir;
    return dir;
}

void remove_scratch_dir() {
    for (const char* n : kNames) ::unlink((scratch_dir() + "/" + n).c_str());
    ::rmdir(scratch_dir().c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const std::string& dir = [] () -> std::string& {
        scratch_dir() = "/tmp/datrax-fuzz-" + std::to_string(::getpid());
        ::mkdir(scratch_dir().c_str(), 0700);
        std::atexit(remove_scratch_dir);
        return scratch_dir();
    }();
    const std::string name = kNames[data[0] % 3];
    const std::string path = dir + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data + 1, 1, size - 1, f);
    std::fclose(f);

    static QuietWindow window;
    static const bool window_ready = [] {
        const platform::ModeSize s = platform::mode_size(1);
        window.set_size(s.width, s.height);
        return true;
    }();
    (void)window_ready;
    platform::set_window(&window);
    TXTSIZ(scr.MAXCOL, scr.MAXROW);
    window.add_script("{enter}{enter}{enter}");
    if (::chdir(dir.c_str()) != 0) return 0;

    const INTEGER k = 1 + (data[0] >> 7);
    dset.FNAME(k) = name;
    INTEGER status = 0;
    try {
        RDFILE(dset.FNAME, k, status);
    } catch (const RunStop&) {
    }
    platform::set_window(nullptr);
    return 0;
}
