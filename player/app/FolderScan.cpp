#include "player/app/FolderScan.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "sdk/win/unique_handle.h"

namespace player {
namespace {

inline void close_find(HANDLE h) noexcept { FindClose(h); }
using unique_find = sonavel::unique_handle<HANDLE, close_find>;

void sort_names(std::vector<std::wstring>& names) {
    std::sort(names.begin(), names.end(),
              [](const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) < 0; });
}

std::wstring join(const std::wstring& folder, const std::wstring& name) {
    bool separated = !folder.empty() && (folder.back() == L'\\' || folder.back() == L'/');
    return separated ? folder + name : folder + L"\\" + name;
}

void collect(const std::wstring& folder, std::vector<FolderEntry>& out) {
    WIN32_FIND_DATAW entry;
    HANDLE first = FindFirstFileW(join(folder, L"*").c_str(), &entry);
    unique_find find(first == INVALID_HANDLE_VALUE ? nullptr : first);
    if (!find) return;
    std::vector<FolderEntry> files;
    std::vector<std::wstring> folders;
    do {
        std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        if (name.rfind(L"~tagging-", 0) == 0) {
            // A copy the tag writer was making when an earlier run of the player ended: the file it was
            // made from is whole, the copy is no track. This run's own copies are still being written.
            if (name.rfind(L"~tagging-" + std::to_wstring(GetCurrentProcessId()) + L"-", 0) != 0)
                DeleteFileW(join(folder, name).c_str());
            continue;
        }
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            folders.push_back(name);
        } else {
            files.push_back(FolderEntry{name, (std::uint64_t(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow,
                             (std::uint64_t(entry.ftLastWriteTime.dwHighDateTime) << 32) |
                                 entry.ftLastWriteTime.dwLowDateTime});
        }
    } while (FindNextFileW(find.get(), &entry));
    std::sort(files.begin(), files.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return lstrcmpiW(a.path.c_str(), b.path.c_str()) < 0; });
    sort_names(folders);
    for (auto& file : files) {
        file.path = join(folder, file.path);
        out.push_back(std::move(file));
    }
    for (const auto& name : folders) collect(join(folder, name), out);
}

}  // namespace

std::vector<FolderEntry> entries_under(const std::wstring& folder) {
    std::vector<FolderEntry> out;
    collect(folder, out);
    return out;
}

std::vector<std::wstring> files_under(const std::wstring& folder) {
    std::vector<std::wstring> out;
    for (auto& entry : entries_under(folder)) out.push_back(std::move(entry.path));
    return out;
}

}  // namespace player
