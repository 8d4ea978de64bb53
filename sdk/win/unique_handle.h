#pragma once
// One owner per handle: a move-only wrapper that closes with the right function, a typedef per kind.
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace sonavel {

template <typename H, auto Close, H Invalid = H{}>
class unique_handle {
public:
    unique_handle() noexcept = default;
    explicit unique_handle(H h) noexcept : h_(h) {}
    unique_handle(unique_handle&& o) noexcept : h_(std::exchange(o.h_, Invalid)) {}
    unique_handle& operator=(unique_handle&& o) noexcept {
        reset(std::exchange(o.h_, Invalid));
        return *this;
    }
    unique_handle(const unique_handle&) = delete;
    unique_handle& operator=(const unique_handle&) = delete;
    ~unique_handle() { reset(); }

    H get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Invalid; }
    // Gives up ownership, for handles that a window takes over.
    H release() noexcept { return std::exchange(h_, Invalid); }
    void reset(H h = Invalid) noexcept {
        H old = std::exchange(h_, h);
        if (old != Invalid) Close(old);
    }

private:
    H h_ = Invalid;
};

namespace detail {
inline void close_window(HWND h) noexcept { DestroyWindow(h); }
inline void close_font(HFONT h) noexcept { DeleteObject(h); }
inline void close_brush(HBRUSH h) noexcept { DeleteObject(h); }
inline void close_bitmap(HBITMAP h) noexcept { DeleteObject(h); }
inline void close_image_list(HIMAGELIST h) noexcept { ImageList_Destroy(h); }
inline void close_hook(HHOOK h) noexcept { UnhookWindowsHookEx(h); }
inline void close_menu(HMENU h) noexcept { DestroyMenu(h); }
inline void close_kernel(HANDLE h) noexcept { CloseHandle(h); }
inline void close_module(HMODULE h) noexcept { FreeLibrary(h); }
}  // namespace detail

using unique_hwnd = unique_handle<HWND, detail::close_window>;
using unique_hfont = unique_handle<HFONT, detail::close_font>;
using unique_hbrush = unique_handle<HBRUSH, detail::close_brush>;
using unique_hbitmap = unique_handle<HBITMAP, detail::close_bitmap>;
using unique_himagelist = unique_handle<HIMAGELIST, detail::close_image_list>;
using unique_hhook = unique_handle<HHOOK, detail::close_hook>;
using unique_hmenu = unique_handle<HMENU, detail::close_menu>;
using unique_event = unique_handle<HANDLE, detail::close_kernel>;
// A file or other kernel object (CreateFile fails with INVALID_HANDLE_VALUE: store null then).
using unique_kernel_handle = unique_handle<HANDLE, detail::close_kernel>;
using unique_hmodule = unique_handle<HMODULE, detail::close_module>;

}  // namespace sonavel
