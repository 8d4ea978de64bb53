#include "player/app/StagedCopy.h"

#include <windows.h>

#include "sdk/errors.h"

namespace player {
namespace {

// Same folder (so the final move is a rename on one volume) and same extension (TagLib picks the format
// by it); one name per process and thread, as each thread writes one file at a time.
std::wstring copy_name(const std::wstring& original) {
    std::size_t slash = original.find_last_of(L"\\/");
    std::size_t name_at = slash == std::wstring::npos ? 0 : slash + 1;
    return original.substr(0, name_at) + staged_copy_prefix + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(GetCurrentThreadId()) + L"-" + original.substr(name_at);
}

}  // namespace

StagedCopy::StagedCopy(std::wstring original) : original_(std::move(original)), copy_(copy_name(original_)) {
    DWORD attributes = GetFileAttributesW(original_.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        throw sonavel::exception_io_data();
    if (!CopyFileW(original_.c_str(), copy_.c_str(), FALSE)) {
        DeleteFileW(copy_.c_str());
        throw sonavel::exception_io_data();
    }
}

StagedCopy::~StagedCopy() {
    if (!committed_) DeleteFileW(copy_.c_str());
}

void StagedCopy::commit() {
    if (!MoveFileExW(copy_.c_str(), original_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw sonavel::exception_io_data();
    committed_ = true;
}

}  // namespace player
