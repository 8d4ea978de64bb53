#include "demo/driver/ScreenShot.h"

#include <algorithm>
#include <vector>

#include "sdk/win/unique_handle.h"

namespace demo {
namespace {

class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() { ReleaseDC(nullptr, dc_); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const noexcept { return dc_; }

private:
    HDC dc_;
};

inline void delete_dc(HDC dc) noexcept { DeleteDC(dc); }
using unique_memory_dc = sonavel::unique_handle<HDC, delete_dc>;

}  // namespace

bool save_screen(const RECT& area, const std::wstring& path) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    ScreenDc screen;
    unique_memory_dc memory(CreateCompatibleDC(screen.get()));
    sonavel::unique_hbitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    if (!memory || !bitmap) return false;
    HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
    SelectObject(memory.get(), old);

    BITMAPINFOHEADER header{sizeof header, width, height, 1, 24, BI_RGB};
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(std::size_t(stride) * height);
    if (!GetDIBits(memory.get(), bitmap.get(), 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
                   DIB_RGB_COLORS))
        return false;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = DWORD(file.bfOffBits + pixels.size());
    sonavel::unique_kernel_handle out(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (out.get() == INVALID_HANDLE_VALUE) {
        out.release();
        return false;
    }
    auto put = [&](const void* data, std::size_t size) {
        DWORD written = 0;
        return WriteFile(out.get(), data, DWORD(size), &written, nullptr) && written == size;
    };
    return put(&file, sizeof file) && put(&header, sizeof header) && put(pixels.data(), pixels.size());
}

bool save_window(HWND window, const std::wstring& path, int margin) {
    RECT area;
    if (!GetWindowRect(window, &area)) return false;
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    area = {std::max(area.left - margin, screen.left), std::max(area.top - margin, screen.top),
            std::min(area.right + margin, screen.right), std::min(area.bottom + margin, screen.bottom)};
    return save_screen(area, path);
}

}  // namespace demo
