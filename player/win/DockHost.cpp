#include "player/win/DockHost.h"

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
    container_.reset(CreateWindowExW(WS_EX_CONTROLPARENT, container_class, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                     area.left, area.top, area.right - area.left, area.bottom - area.top, parent,
                                     nullptr, wc.hInstance, nullptr));

    sonavel::abort_callback_dummy abort;
    if (!config.empty()) {
        sonavel::stream_reader_memblock reader(config);
        panel_->load_config(reader, config.size(), abort);
    }
    host_ = sonavel::service_impl_t<DockHost>::create();
    RECT client;
    GetClientRect(container_.get(), &client);
    HWND window = panel_->attach_window(container_.get(), host_, 0, 0, client.right, client.bottom);
    if (!window) throw sonavel::exception_bug_check();
    SetWindowPos(window, nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER);
    ShowWindow(window, SW_SHOW);
}

DockedPanel::~DockedPanel() {
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

LRESULT CALLBACK DockedPanel::container_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_SIZE) {
        // The panel fills its container.
        if (HWND child = GetWindow(window, GW_CHILD)) {
            SetWindowPos(child, nullptr, 0, 0, LOWORD(lparam), HIWORD(lparam), SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace player
