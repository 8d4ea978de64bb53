#include "player/app/DroppedFiles.h"

#include <algorithm>

namespace player {

std::vector<std::wstring> dropped_paths(HDROP drop) {
    std::vector<std::wstring> paths;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(std::size_t(DragQueryFileW(drop, i, nullptr, 0)) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), UINT(path.size())));
        if (!path.empty()) paths.push_back(path);
    }
    return paths;
}

std::vector<std::wstring> folders_to_add(const std::vector<std::wstring>& paths) {
    std::vector<std::wstring> folders;
    for (const auto& path : paths) {
        DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) continue;
        std::wstring folder = path;
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            std::size_t slash = path.find_last_of(L"\\/");
            if (slash == std::wstring::npos) continue;
            folder = path.substr(0, slash);
        }
        while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
        bool known = std::any_of(folders.begin(), folders.end(),
                                 [&](const std::wstring& f) { return lstrcmpiW(f.c_str(), folder.c_str()) == 0; });
        if (!known) folders.push_back(folder);
    }
    return folders;
}

}  // namespace player
