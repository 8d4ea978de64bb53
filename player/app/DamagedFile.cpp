#include "player/app/DamagedFile.h"

#include <windows.h>

namespace player {

std::wstring set_aside_damaged(const std::wstring& path) {
    for (int n = 1; n < 100; ++n) {
        std::wstring aside = path + L".damaged" + (n == 1 ? L"" : L"-" + std::to_wstring(n));
        if (MoveFileExW(path.c_str(), aside.c_str(), MOVEFILE_WRITE_THROUGH)) return aside;
        DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return {};
    }
    return {};
}

}  // namespace player
