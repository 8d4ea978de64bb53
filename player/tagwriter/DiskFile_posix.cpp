#include "player/tagwriter/DiskFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "sdk/errors.h"

namespace player::tagwriter {

void throw_io_error(unsigned long code) {
    switch (code) {
    case ENOENT:
    case ENOTDIR:
        throw sonavel::exception_io_not_found();
    case EACCES:
    case EPERM:
    case EROFS:
        throw sonavel::exception_io_denied();
    case ETXTBSY:
    case EBUSY:
    case EWOULDBLOCK:
        throw sonavel::exception_io_sharing_violation();
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        throw sonavel::exception_io_device_full();
    default:
        throw sonavel::exception_io();
    }
}

namespace {
[[noreturn]] void fail() { throw_io_error(static_cast<unsigned long>(errno)); }
}  // namespace

DiskFile::DiskFile(const std::string& path, Mode mode, IoFaults* faults) : faults_(faults) {
    int flags = O_CLOEXEC;
    switch (mode) {
    case Mode::read: flags |= O_RDONLY; break;
    case Mode::update: flags |= O_RDWR; break;
    case Mode::create_new: flags |= O_RDWR | O_CREAT | O_EXCL; break;
    case Mode::replace: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    }
    fd_ = ::open(path.c_str(), flags, 0644);
    if (fd_ < 0) fail();
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
        close();
        throw sonavel::exception_io_denied();
    }
    // As on Windows, a file open for writing is ours alone until closed: another writer (another
    // instance's journal recovery among them) is refused. A file system without locks is no reason to
    // refuse a write.
    if (mode != Mode::read && ::flock(fd_, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        close();
        throw sonavel::exception_io_sharing_violation();
    }
}

DiskFile::~DiskFile() { close(); }

DiskFile::DiskFile(DiskFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)), faults_(other.faults_) {}

void DiskFile::close() noexcept {
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
}

std::uint64_t DiskFile::size() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) fail();
    return static_cast<std::uint64_t>(info.st_size);
}

std::size_t DiskFile::read_at(std::uint64_t offset, void* buffer, std::size_t count) const {
    std::size_t done = 0;
    while (done < count) {
        ssize_t n = ::pread(fd_, static_cast<char*>(buffer) + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail();
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void DiskFile::write_at(std::uint64_t offset, const void* data, std::size_t wanted) {
    std::size_t count = allowance(offset, wanted);
    std::size_t done = 0;
    while (done < count) {
        ssize_t n = ::pwrite(fd_, static_cast<const char*>(data) + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail();
        if (n == 0) throw sonavel::exception_io_device_full();
        done += static_cast<std::size_t>(n);
    }
    if (count < wanted) throw sonavel::exception_io_device_full();
}

void DiskFile::truncate(std::uint64_t size) {
    if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) fail();
}

void DiskFile::flush() {
    check_flush();
    if (::fsync(fd_) != 0) fail();
}

FileIdentity DiskFile::identity() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) fail();
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

void DiskFile::replace(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) fail();
}

unsigned long current_process_id() { return static_cast<unsigned long>(::getpid()); }

void DiskFile::remove(const std::string& path) noexcept { ::unlink(path.c_str()); }

bool DiskFile::exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

}  // namespace player::tagwriter
