#include "tests/harness/screenshot.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "sdk/win/unique_handle.h"

namespace harness {
namespace {

struct WindowDc {
    explicit WindowDc(HWND w) : window(w), dc(GetDC(w)) {}
    ~WindowDc() {
        if (dc) ReleaseDC(window, dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HWND window;
    HDC dc;
};

inline void delete_dc(HDC dc) noexcept { DeleteDC(dc); }
using unique_memory_dc = sonavel::unique_handle<HDC, delete_dc>;

struct Selection {
    Selection(HDC d, HGDIOBJ object) : dc(d), previous(SelectObject(d, object)) {}
    ~Selection() { SelectObject(dc, previous); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    HDC dc;
    HGDIOBJ previous;
};

struct CloseFile {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};

}  // namespace

bool save_client_bitmap(HWND window, const std::wstring& path) {
    RECT client{};
    if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0) return false;
    const int width = client.right, height = client.bottom;
    UpdateWindow(window);

    WindowDc screen(window);
    if (!screen.dc) return false;
    unique_memory_dc memory(CreateCompatibleDC(screen.dc));
    sonavel::unique_hbitmap picture(CreateCompatibleBitmap(screen.dc, width, height));
    if (!memory || !picture) return false;
    {
        Selection selected(memory.get(), picture.get());
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.dc, 0, 0, SRCCOPY)) return false;
    }

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;  // positive: rows bottom-up, which every viewer reads
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    std::vector<BYTE> pixels(std::size_t(width) * height * 4);
    // GetDIBits wants the bitmap out of any DC, hence the selection's scope above.
    if (GetDIBits(memory.get(), picture.get(), 0, UINT(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
                  DIB_RGB_COLORS) != height)
        return false;

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = DWORD(file.bfOffBits + pixels.size());
    std::unique_ptr<std::FILE, CloseFile> out(_wfopen(path.c_str(), L"wb"));
    if (!out) return false;
    const bool written = std::fwrite(&file, sizeof file, 1, out.get()) == 1 &&
                         std::fwrite(&info, sizeof info, 1, out.get()) == 1 &&
                         std::fwrite(pixels.data(), pixels.size(), 1, out.get()) == 1;
    // A full disk shows only when the buffered rest is flushed.
    return std::fclose(out.release()) == 0 && written;
}

COLORREF client_pixel(HWND window, POINT at) {
    UpdateWindow(window);
    WindowDc screen(window);
    return screen.dc ? GetPixel(screen.dc, at.x, at.y) : CLR_INVALID;
}

}  // namespace harness
