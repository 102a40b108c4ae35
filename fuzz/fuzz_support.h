// What the fuzz targets share: a scratch folder of this process (removed at
// exit), a headless window that keeps failure lines off standard error, and
// a check that stops the run where a property fails.
#pragma once
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/state.h"
#include "console/console.h"
#include "platform/canvas.h"
#include "platform/headless_window.h"

namespace datrax::fuzz {

class QuietWindow : public platform::HeadlessWindow {
public:
    void console_line(std::string_view) override {}
};

inline const std::string& scratch_dir() {
    // Kept for the whole process (never destroyed), so the removal at exit
    // can still name it after the static objects are gone.
    static const std::string* const dir = [] {
        // In memory where the system offers it: the files are flushed to
        // the disk on every close, which would slow the fuzzing down.
        const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        auto* d = new std::string(std::string(base) + "/datrax-fuzz-" + std::to_string(::getpid()));
        ::mkdir(d->c_str(), 0700);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(scratch_dir(), ec);
        });
        return d;
    }();
    return *dir;
}

// The window for a run, set and measured in mode 1; keys as given.
inline QuietWindow& quiet_window(std::string_view keys = "") {
    static QuietWindow window;
    static const bool sized = [] {
        const platform::ModeSize s = platform::mode_size(1);
        window.set_size(s.width, s.height);
        return true;
    }();
    (void)sized;
    platform::set_window(&window);
    TXTSIZ(scr.MAXCOL, scr.MAXROW);
    if (!keys.empty()) window.add_script(keys);
    return window;
}

inline bool write_file(const std::string& path, std::string_view bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

inline std::string read_file(const std::string& path) {
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[4096];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.append(buf, n);
        std::fclose(f);
    }
    return bytes;
}

// A property that must hold: its failure is a finding.
inline void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

// Bytes taken from the front of the input as values of a type.
class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : p_(data), n_(size) {}
    template <typename T>
    T take() {
        T v{};
        const size_t k = n_ < sizeof v ? n_ : sizeof v;
        std::memcpy(&v, p_, k);
        p_ += k;
        n_ -= k;
        return v;
    }
    std::string_view rest() const { return {reinterpret_cast<const char*>(p_), n_}; }
    bool empty() const { return n_ == 0; }

private:
    const uint8_t* p_;
    size_t n_;
};

}  // namespace datrax::fuzz
