#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

namespace datrax::platform {

namespace {

// Links in a chain before we give up as the system does (ELOOP).
constexpr int kMaxLinks = 40;

// Bytes written between two starts of write-back: large enough to cost no
// noticeable system time, small enough for the disk to keep pace with the
// writer.
constexpr off_t kWritebackStep = off_t{8} << 20;

std::string reason(const std::string& what, const std::string& path, int err) {
    return what + " " + path + ": " + std::strerror(err);
}

// A new file gets what the user's umask allows of read and write for all,
// as every program that creates documents does.
mode_t new_file_mode() {
    const mode_t mask = ::umask(0);  // the only way to read it: set and put back
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

std::string write_target(const std::string& path) {
    namespace fs = std::filesystem;
    fs::path p = path;
    for (int i = 0; i < kMaxLinks; ++i) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec))) break;
        const fs::path link = fs::read_symlink(p, ec);
        if (ec) break;
        p = link.is_absolute() ? link : p.parent_path() / link;
    }
    return p.string();
}

AtomicFile::~AtomicFile() { abandon(); }

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      error_(other.error_),
      written_(other.written_),
      handed_to_disk_(other.handed_to_disk_),
      mode_(other.mode_),
      target_(std::move(other.target_)),
      temp_(std::move(other.temp_)) {}

AtomicFile& AtomicFile::operator=(AtomicFile&& other) noexcept {
    if (this != &other) {
        abandon();
        fd_ = std::exchange(other.fd_, -1);
        error_ = other.error_;
        written_ = other.written_;
        handed_to_disk_ = other.handed_to_disk_;
        mode_ = other.mode_;
        target_ = std::move(other.target_);
        temp_ = std::move(other.temp_);
    }
    return *this;
}

bool AtomicFile::open(const std::string& path, std::string& error) {
    abandon();
    target_ = write_target(path);
    mode_ = new_file_mode();
    struct stat st {};
    if (::stat(target_.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            error = "cannot write " + path + ": not a regular file";
            return false;
        }
        // Renaming over a read-only file would replace it: refused as a
        // write into it is, for root as well.
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(target_.c_str(), W_OK) != 0) {
            error = reason("cannot write", path, EACCES);
            return false;
        }
        mode_ = st.st_mode & 07777;  // the replacement keeps the old file's permissions
    }
    temp_ = target_ + ".XXXXXX";
    fd_ = ::mkstemp(temp_.data());
    if (fd_ < 0) {
        error = reason("cannot create", temp_, errno);
        temp_.clear();
        return false;
    }
    error_ = 0;
    written_ = 0;
    handed_to_disk_ = 0;
    return true;
}

void AtomicFile::write(std::string_view bytes) {
    while (fd_ >= 0 && error_ == 0 && !bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno != EINTR) error_ = errno;
            continue;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
        written_ += n;
    }
    if (fd_ >= 0 && error_ == 0 && written_ - handed_to_disk_ >= kWritebackStep) start_writeback();
}

void AtomicFile::start_writeback() {
    // Only a hint: the disk starts on these pages while the writer goes
    // on; commit() still waits for every byte and reports any failure.
    ::sync_file_range(fd_, handed_to_disk_, written_ - handed_to_disk_, SYNC_FILE_RANGE_WRITE);
    handed_to_disk_ = written_;
}

bool AtomicFile::commit(std::string& error) {
    if (fd_ < 0) {
        error = "cannot write " + target_ + ": not open";
        return false;
    }
    if (error_ == 0 && ::fchmod(fd_, mode_) != 0) error_ = errno;
    if (error_ == 0 && ::fsync(fd_) != 0) error_ = errno;
    if (::close(fd_) != 0 && error_ == 0) error_ = errno;
    fd_ = -1;
    if (error_ == 0 && ::rename(temp_.c_str(), target_.c_str()) != 0) error_ = errno;
    if (error_ != 0) {
        error = reason("cannot write", target_, error_);
        ::unlink(temp_.c_str());
    }
    temp_.clear();
    return error_ == 0;
}

void AtomicFile::abandon() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
    ::unlink(temp_.c_str());
    temp_.clear();
}

bool replace_file(const std::string& path, std::string_view contents, std::string& error) {
    AtomicFile file;
    if (!file.open(path, error)) return false;
    file.write(contents);
    return file.commit(error);
}

}  // namespace datrax::platform
