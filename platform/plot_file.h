// The plot file: a sequential output file written through one large buffer,
// so that a plot of millions of pen moves costs no allocation or system call
// per record, and put in place only when complete (see AtomicFile): a plot
// that cannot be written whole never replaces an old plot of its name, and
// only close() puts it in place. A file dropped without close() (a new
// open, a reset, the end of the run) is abandoned: the old file stays as it
// was and no temporary file is left.
// Also the name rules of plot files (null device, separators).
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/atomic_file.h"

namespace datrax::platform {

class PlotFile {
public:
    PlotFile() = default;
    ~PlotFile();  // abandons a file not closed
    PlotFile(PlotFile&& other) noexcept;
    PlotFile& operator=(PlotFile&& other) noexcept;
    PlotFile(const PlotFile&) = delete;
    PlotFile& operator=(const PlotFile&) = delete;

    // Starts a new file of that name, to replace an existing one when
    // closed (a file still open is abandoned). What is written to a name of
    // the null device is discarded. False when it cannot be written (see
    // AtomicFile::open).
    bool open(std::string_view name);
    bool is_open() const { return open_; }
    // True while the open file is the null device.
    bool discards() const { return discard_; }
    // Writes what is buffered, without putting the file in place. False
    // once a write of this file has failed.
    bool flush_all();
    // Writes what is buffered and puts the file in place. False when any
    // write of this file failed: an old file of the name is then unchanged.
    bool close();
    // Drops what was written; an old file of the name stays as it was.
    void abandon();

    // Room for n more bytes (n <= capacity()); write them, then commit(n).
    char* reserve(size_t n) {
        if (kCapacity - used_ < n) flush();
        return buf_.get() + used_;
    }
    void commit(size_t n) { used_ += n; }
    void write(std::string_view s);
    static constexpr size_t capacity() { return kCapacity; }

private:
    static constexpr size_t kCapacity = size_t{1} << 18;
    void flush();

    AtomicFile file_;
    std::unique_ptr<char[]> buf_;
    size_t used_ = 0;
    bool open_ = false;
    bool discard_ = false;  // the null device
};

// True when NAME (after the separator rule) names an existing file system
// entry; names of the null device never exist.
bool plot_file_exists(std::string_view name);
// True for the names that mean "discard the plot": an empty name, "nul" and
// "/dev/null" exactly.
bool is_null_device_name(std::string_view name);
// The path opened for a plot file name: the null device for a null name,
// otherwise the name with backslashes taken as folder separators.
std::string plot_file_path(std::string_view name);

}  // namespace datrax::platform
