// The plot file: a sequential output file written through one large buffer,
// so that a plot of millions of pen moves costs no allocation or system call
// per record. Also the name rules of plot files (null device, separators).
#pragma once
#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace datrax::platform {

class PlotFile {
public:
    PlotFile() = default;
    ~PlotFile();
    PlotFile(PlotFile&& other) noexcept;
    PlotFile& operator=(PlotFile&& other) noexcept;
    PlotFile(const PlotFile&) = delete;
    PlotFile& operator=(const PlotFile&) = delete;

    // Creates the file, or replaces the contents of an existing one. A name
    // of the null device is opened as /dev/null. False when it cannot be opened.
    bool open(std::string_view name);
    bool is_open() const { return file_ != nullptr; }
    // Flushes and closes. False when any write of this file failed.
    bool close();

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

    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> buf_;
    size_t used_ = 0;
    bool failed_ = false;
};

// True when NAME (after the separator rule) names an existing file system
// entry; names of the null device never exist.
bool plot_file_exists(std::string_view name);
// True for the names that mean "discard the plot": base "nul" (any case),
// any extension, no folder.
bool is_null_device_name(std::string_view name);
// The path opened for a plot file name: the null device for a null name,
// otherwise the name with backslashes taken as folder separators.
std::string plot_file_path(std::string_view name);

}  // namespace datrax::platform
