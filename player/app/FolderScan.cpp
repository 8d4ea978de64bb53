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

void collect(const std::wstring& folder, std::vector<std::wstring>& out) {
    WIN32_FIND_DATAW entry;
    HANDLE first = FindFirstFileW(join(folder, L"*").c_str(), &entry);
    unique_find find(first == INVALID_HANDLE_VALUE ? nullptr : first);
    if (!find) return;
    std::vector<std::wstring> files, folders;
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
        (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? folders : files).push_back(name);
    } while (FindNextFileW(find.get(), &entry));
    sort_names(files);
    sort_names(folders);
    for (const auto& name : files) out.push_back(join(folder, name));
    for (const auto& name : folders) collect(join(folder, name), out);
}

}  // namespace

std::vector<std::wstring> files_under(const std::wstring& folder) {
    std::vector<std::wstring> out;
    collect(folder, out);
    return out;
}

}  // namespace player
