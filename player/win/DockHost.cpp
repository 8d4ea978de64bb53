#include "player/win/DockHost.h"

#include <algorithm>

#include "player/win/GdiScope.h"
#include "player/win/WindowFont.h"
#include "sdk/core_api.h"

namespace player {
namespace {
constexpr wchar_t container_class[] = L"StandInPlayerDockContainer";
}

bool DockHost::change_visibility(HWND__* window, bool visible) {
    if (!window) return false;
    ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
    return true;
}

DockedPanel::DockedPanel(HWND parent, const sonavel::guid& type, const std::vector<std::uint8_t>& config, RECT area) {
    for (auto& candidate : sonavel::service_list_t<dockwork::window>()) {
        if (candidate->get_guid() == type) {
            panel_ = candidate;
            break;
        }
    }
    if (!panel_) throw sonavel::exception_service_not_found();

    WNDCLASSEXW wc = {sizeof wc};
    wc.lpfnWndProc = container_proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = container_class;
    RegisterClassExW(&wc);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    container_.reset(CreateWindowExW(WS_EX_CONTROLPARENT, container_class, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                     area.left, area.top, area.right - area.left, area.bottom - area.top, parent,
                                     nullptr, wc.hInstance, nullptr));
    SetWindowLongPtrW(container_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    sonavel::abort_callback_dummy abort;
    if (!config.empty()) {
        sonavel::stream_reader_memblock reader(config);
        panel_->load_config(reader, config.size(), abort);
    }
    host_ = sonavel::service_impl_t<DockHost>::create();
    RECT client;
    GetClientRect(container_.get(), &client);
    const int top = caption_height();
    HWND window = panel_->attach_window(container_.get(), host_, 0, top, client.right, client.bottom - top);
    if (!window) throw sonavel::exception_bug_check();
    SetWindowPos(window, nullptr, 0, top, client.right, std::max(0L, client.bottom - top), SWP_NOZORDER);
    ShowWindow(window, SW_SHOW);
}

DockedPanel::~DockedPanel() {
    if (container_) SetWindowLongPtrW(container_.get(), GWLP_USERDATA, 0);
    if (!panel_) return;
    // A panel writes what it has pending when it is hidden: closing it while shown would drop that.
    if (HWND window = panel_->get_window(); window && (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE))
        ShowWindow(window, SW_HIDE);
    panel_->close_window();
}

void DockedPanel::show(bool visible) {
    if (HWND window = panel_->get_window()) ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
    ShowWindow(container_.get(), visible ? SW_SHOW : SW_HIDE);
}

std::vector<std::uint8_t> DockedPanel::save_config() const {
    sonavel::stream_writer_buffer writer;
    sonavel::abort_callback_dummy abort;
    panel_->save_config(writer, abort);
    return writer.data();
}

int DockedPanel::caption_height() { return GetSystemMetrics(SM_CYSMCAPTION) + 2; }

RECT DockedPanel::close_box() const {
    RECT client;
    GetClientRect(container_.get(), &client);
    const int h = caption_height();
    return {client.right - h, 0, client.right, h};
}

void DockedPanel::set_caption(const std::wstring& text) {
    if (text == caption_) return;
    caption_ = text;
    SetWindowTextW(container_.get(), text.c_str());
    redraw_caption();
}

void DockedPanel::redraw_caption() {
    RECT strip;
    GetClientRect(container_.get(), &strip);
    strip.bottom = caption_height();
    InvalidateRect(container_.get(), &strip, TRUE);
}

void DockedPanel::paint_caption(HDC dc) {
    RECT strip;
    GetClientRect(container_.get(), &strip);
    strip.bottom = caption_height();
    HWND focus = GetFocus();
    const bool focused = focus && IsChild(container_.get(), focus);
    sonavel::unique_hbrush back(CreateSolidBrush(GetSysColor(focused ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION)));
    FillRect(dc, &strip, back.get());
    sonavel::unique_hfont font = message_font();
    selected_object with_font(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(focused ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT text = strip;
    text.left += 4;
    text.right = close_box().left - 2;
    DrawTextW(dc, caption_.c_str(), int(caption_.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    // The close box: a button face with a cross, drawn by hand (the system's glyph font may be missing).
    RECT box = close_box();
    InflateRect(&box, -2, -2);
    DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONPUSH | (close_box_pushed_ ? DFCS_PUSHED : 0));
    unique_hpen pen(CreatePen(PS_SOLID, 2, GetSysColor(COLOR_BTNTEXT)));
    selected_object with_pen(dc, pen.get());
    InflateRect(&box, -4, -4);
    if (close_box_pushed_) OffsetRect(&box, 1, 1);
    MoveToEx(dc, box.left, box.top, nullptr);
    LineTo(dc, box.right, box.bottom);
    MoveToEx(dc, box.right - 1, box.top, nullptr);
    LineTo(dc, box.left - 1, box.bottom);
}

// The close box acts as a push button: only a press that starts on it can close the panel, and only when
// the button comes up over it; the press follows the pointer off and back on while the mouse is held.
void DockedPanel::press_close_box(POINT at) {
    RECT box = close_box();
    if (!PtInRect(&box, at)) return;
    close_box_held_ = true;
    SetCapture(container_.get());
    show_close_box_pushed(true);
}

void DockedPanel::track_close_box(POINT at) {
    RECT box = close_box();
    if (close_box_held_) show_close_box_pushed(PtInRect(&box, at) != FALSE);
}

void DockedPanel::release_close_box(POINT at) {
    if (!close_box_held_) return;
    RECT box = close_box();
    const bool over = PtInRect(&box, at) != FALSE;
    // Cleared first: giving the capture back sends WM_CAPTURECHANGED, which would cancel.
    close_box_held_ = false;
    show_close_box_pushed(false);
    if (GetCapture() == container_.get()) ReleaseCapture();
    if (over && on_close) on_close();
}

void DockedPanel::cancel_close_box() {
    close_box_held_ = false;
    show_close_box_pushed(false);
}

void DockedPanel::show_close_box_pushed(bool pushed) {
    if (pushed == close_box_pushed_) return;
    close_box_pushed_ = pushed;
    RECT box = close_box();
    InvalidateRect(container_.get(), &box, TRUE);
}

LRESULT CALLBACK DockedPanel::container_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<DockedPanel*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_SIZE: {
        // The panel fills its container below the caption.
        const int top = caption_height();
        if (HWND child = GetWindow(window, GW_CHILD))
            SetWindowPos(child, nullptr, 0, top, LOWORD(lparam), std::max(0, int(HIWORD(lparam)) - top),
                         SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (self) self->paint_caption(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (self) self->press_close_box({short(LOWORD(lparam)), short(HIWORD(lparam))});
        return 0;
    case WM_MOUSEMOVE:
        if (self) self->track_close_box({short(LOWORD(lparam)), short(HIWORD(lparam))});
        return 0;
    case WM_LBUTTONUP:
        if (self) self->release_close_box({short(LOWORD(lparam)), short(HIWORD(lparam))});
        return 0;
    case WM_CAPTURECHANGED:
        if (self && HWND(lparam) != window) self->cancel_close_box();
        return 0;
    case WM_CANCELMODE:
        if (self && GetCapture() == window) ReleaseCapture();
        return DefWindowProcW(window, message, wparam, lparam);
    default:
        return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace player
