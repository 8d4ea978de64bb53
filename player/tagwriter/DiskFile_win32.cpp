#include "player/tagwriter/DiskFile.h"

#include <windows.h>
#include <winternl.h>

#include <utility>

#include "sdk/errors.h"
#include "sdk/utf8.h"

namespace player::tagwriter {

void throw_io_error(unsigned long code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        throw sonavel::exception_io_not_found();
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        throw sonavel::exception_io_denied();
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        throw sonavel::exception_io_sharing_violation();
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        throw sonavel::exception_io_device_full();
    default:
        throw sonavel::exception_io();
    }
}

namespace {

[[noreturn]] void fail() { throw_io_error(GetLastError()); }

[[noreturn]] void fail(NTSTATUS status) { throw_io_error(RtlNtStatusToDosError(status)); }

constexpr NTSTATUS status_end_of_file = static_cast<NTSTATUS>(0xC0000011L);

// Reads and writes at an offset on a synchronous handle, without an OVERLAPPED structure: some systems
// make a server round trip of every ReadFile or WriteFile that carries one, and none of these.
extern "C" NTSTATUS NTAPI NtReadFile(HANDLE file, HANDLE event, PIO_APC_ROUTINE apc, PVOID apc_context,
                                     PIO_STATUS_BLOCK io, PVOID buffer, ULONG length, PLARGE_INTEGER offset,
                                     PULONG key);
extern "C" NTSTATUS NTAPI NtWriteFile(HANDLE file, HANDLE event, PIO_APC_ROUTINE apc, PVOID apc_context,
                                      PIO_STATUS_BLOCK io, const VOID* buffer, ULONG length,
                                      PLARGE_INTEGER offset, PULONG key);

LARGE_INTEGER at(std::uint64_t offset) {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    return position;
}

}  // namespace

DiskFile::DiskFile(const std::string& path, Mode mode, IoFaults* faults) : faults_(faults) {
    DWORD access = GENERIC_READ, share = FILE_SHARE_READ, disposition = OPEN_EXISTING;
    switch (mode) {
    case Mode::read: share |= FILE_SHARE_WRITE | FILE_SHARE_DELETE; break;
    case Mode::update: access |= GENERIC_WRITE; break;
    case Mode::create_new: access |= GENERIC_WRITE; disposition = CREATE_NEW; break;
    case Mode::replace: access |= GENERIC_WRITE; disposition = CREATE_ALWAYS; break;
    }
    HANDLE handle = CreateFileW(sonavel::utf8_to_wide(path).c_str(), access, share, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) fail();
    handle_ = handle;
    // Some systems let a privileged user open a read-only file for writing; the attribute still says no.
    FILE_BASIC_INFO info{};
    if (mode == Mode::update && GetFileInformationByHandleEx(handle, FileBasicInfo, &info, sizeof info) &&
        (info.FileAttributes & FILE_ATTRIBUTE_READONLY)) {
        close();
        throw sonavel::exception_io_denied();
    }
}

DiskFile::~DiskFile() { close(); }

DiskFile::DiskFile(DiskFile&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)), faults_(other.faults_) {}

void DiskFile::close() noexcept {
    if (handle_) CloseHandle(std::exchange(handle_, nullptr));
}

std::uint64_t DiskFile::size() const {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle_, &size)) fail();
    return static_cast<std::uint64_t>(size.QuadPart);
}

std::size_t DiskFile::read_at(std::uint64_t offset, void* buffer, std::size_t count) const {
    std::size_t done = 0;
    while (done < count) {
        LARGE_INTEGER position = at(offset + done);
        IO_STATUS_BLOCK io{};
        NTSTATUS status = NtReadFile(handle_, nullptr, nullptr, nullptr, &io, static_cast<char*>(buffer) + done,
                                     static_cast<ULONG>(count - done), &position, nullptr);
        if (status == status_end_of_file) break;
        if (!NT_SUCCESS(status)) fail(status);
        if (io.Information == 0) break;
        done += io.Information;
    }
    return done;
}

void DiskFile::write_at(std::uint64_t offset, const void* data, std::size_t wanted) {
    std::size_t count = allowance(offset, wanted);
    std::size_t done = 0;
    while (done < count) {
        LARGE_INTEGER position = at(offset + done);
        IO_STATUS_BLOCK io{};
        NTSTATUS status = NtWriteFile(handle_, nullptr, nullptr, nullptr, &io, static_cast<const char*>(data) + done,
                                      static_cast<ULONG>(count - done), &position, nullptr);
        if (!NT_SUCCESS(status)) fail(status);
        if (io.Information == 0) throw sonavel::exception_io_device_full();
        done += io.Information;
    }
    if (count < wanted) throw sonavel::exception_io_device_full();
}

void DiskFile::truncate(std::uint64_t size) {
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
    if (!SetFileInformationByHandle(handle_, FileEndOfFileInfo, &end, sizeof end)) fail();
}

void DiskFile::flush() {
    check_flush();
    if (!FlushFileBuffers(handle_)) fail();
}

FileIdentity DiskFile::identity() const {
    // The file's index on its volume. GetFileInformationByHandle would add the volume's serial number, at
    // the price of a volume query per file on some systems; the journal names the path, and so the volume.
    IO_STATUS_BLOCK io{};
    FILE_INTERNAL_INFORMATION info{};
    if (!NT_SUCCESS(NtQueryInformationFile(handle_, &io, &info, sizeof info, FileInternalInformation)))
        throw sonavel::exception_io();
    return {0, static_cast<std::uint64_t>(info.IndexNumber.QuadPart)};
}

void DiskFile::replace(const std::string& from, const std::string& to) {
    if (!MoveFileExW(sonavel::utf8_to_wide(from).c_str(), sonavel::utf8_to_wide(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        fail();
}

unsigned long current_process_id() { return GetCurrentProcessId(); }

void DiskFile::remove(const std::string& path) noexcept { DeleteFileW(sonavel::utf8_to_wide(path).c_str()); }

bool DiskFile::exists(const std::string& path) {
    return GetFileAttributesW(sonavel::utf8_to_wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace player::tagwriter
