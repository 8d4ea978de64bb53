#pragma once
// Scoped GDI use: a window's device context released, a memory context deleted, an object selected into
// a context put back, each when the scope ends.
#include <windows.h>

#include "sdk/win/unique_handle.h"

namespace player {

class window_dc {
public:
    explicit window_dc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    ~window_dc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    window_dc(const window_dc&) = delete;
    window_dc& operator=(const window_dc&) = delete;
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

namespace detail {
inline void delete_dc(HDC dc) noexcept { DeleteDC(dc); }
inline void delete_pen(HPEN pen) noexcept { DeleteObject(pen); }
}  // namespace detail
using unique_memory_dc = sonavel::unique_handle<HDC, detail::delete_dc>;
using unique_hpen = sonavel::unique_handle<HPEN, detail::delete_pen>;

class selected_object {
public:
    selected_object(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
    ~selected_object() { SelectObject(dc_, old_); }
    selected_object(const selected_object&) = delete;
    selected_object& operator=(const selected_object&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace player
