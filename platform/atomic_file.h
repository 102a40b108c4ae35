// Writing a file without ever leaving half of it: the new contents go to a
// temporary file in the same folder, which is renamed over the old file only
// after the last byte is written and flushed. A failure (a full disk, a
// folder or file that cannot be written) leaves the old file as it was and
// no temporary file behind. Every file the program writes goes this way.
#pragma once
#include <sys/types.h>

#include <string>
#include <string_view>

namespace datrax::platform {

// The file that writing PATH really replaces: the target of a symbolic link
// (followed through chains of links), else PATH itself. Replacing the target
// in its own folder keeps the link and its target's other links intact.
std::string write_target(const std::string& path);

class AtomicFile {
public:
    AtomicFile() = default;
    ~AtomicFile();  // a file neither committed nor abandoned is abandoned
    AtomicFile(AtomicFile&& other) noexcept;
    AtomicFile& operator=(AtomicFile&& other) noexcept;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Starts the new contents of PATH. False (with a one-line reason) when
    // it cannot be written: its folder refuses a new file, or the file
    // exists and is read-only or is no regular file.
    bool open(const std::string& path, std::string& error);
    bool is_open() const { return fd_ >= 0; }
    // Appends bytes; a failure is kept and reported by commit(). Every few
    // megabytes written are handed to the disk at once, so that the flush
    // of commit() waits only for the last of a long file.
    void write(std::string_view bytes);
    // True once a write has failed (commit() will refuse).
    bool failed() const { return error_ != 0; }
    // Flushes the contents to the disk and puts them in place of the old
    // file. False (with a reason) when any step failed: the old file is then
    // unchanged and the temporary file removed.
    bool commit(std::string& error);
    // Drops the new contents; the old file stays.
    void abandon();

private:
    void start_writeback();

    int fd_ = -1;
    int error_ = 0;             // errno of the first failed write
    off_t written_ = 0;         // bytes written so far
    off_t handed_to_disk_ = 0;  // bytes whose write-back has been started
    mode_t mode_ = 0600;
    std::string target_;
    std::string temp_;
};

// Replaces the file with the contents in one step (see AtomicFile).
bool replace_file(const std::string& path, std::string_view contents, std::string& error);

}  // namespace datrax::platform
