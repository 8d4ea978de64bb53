#include "ui/PopupPanelBase.h"

#include <exception>
#include <vector>

#include "resources/resource.h"
#include "sdk/core_api.h"
#include "sdk/win/dpi.h"
#include "sdk/win/uwin.h"
#include "ui/GuidText.h"
#include "ui/LogLine.h"
#include "ui/ScreenClamp.h"
#include "ui/SystemErrorText.h"
#include "ui/WindowPlacement.h"

namespace quennet {
namespace {

constexpr LONG frame_bits = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;

std::vector<HWND> direct_children(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

}  // namespace

PopupPanelBase::PopupPanelBase(PopupConfig config) : Dialog(/*modal=*/false), config_(std::move(config)) {}

PopupPanelBase::~PopupPanelBase() {
    // Only a popup that outlives the list (at unload) still has its window: no message may find the
    // object after this.
    if (panel_ && frame_) panel_->close_window();
    frame_.reset();
    let_go_of_host();
}

void PopupPanelBase::show(sonavel::service_ptr_t<PopupPanelHost> host) {
    HWND owner = sonavel::core() ? sonavel::core()->get_main_window() : nullptr;
    HWND created = CreateDialogParamW(resource_module(), MAKEINTRESOURCEW(IDD_POPUP_HOST), owner, &shared_dialog_proc,
                                      reinterpret_cast<LPARAM>(static_cast<Dialog*>(this)));
    if (!created) {
        const DWORD error = GetLastError();
        log_line("Unable to show host window: " + system_error_text(error));
        return;
    }
    frame_.reset(created);

    if (!host) host = sonavel::service_impl_t<PopupPanelHost>::create_object();
    let_go_of_host();
    host_ = host;
    host_->set_popup(this);

    add_to_list();
    update_title();
    apply_styles();

    if (config_.placement.usable()) {
        const WINDOWPLACEMENT placement = to_windows(config_.placement);
        SetWindowPlacement(created, &placement);
        // Placed, the window knows the DPI of its monitor: a placement taken at another keeps its corner
        // and scales its size, so that the panel shows as much as it did.
        const unsigned dpi = sonavel::window_dpi(created);
        if (config_.placement_dpi != 0 && config_.placement_dpi != dpi) {
            config_.placement = placement_for_dpi(config_.placement, config_.placement_dpi, dpi);
            config_.placement_dpi = dpi;
            const WINDOWPLACEMENT scaled = to_windows(config_.placement);
            SetWindowPlacement(created, &scaled);
        }
    } else {
        ShowWindow(created, SW_SHOWNORMAL);
        store_placement(created);
    }

    if (!config_.panel_guid.is_null() && !create_panel(config_.panel_guid)) destroy();
}

bool PopupPanelBase::create_panel(const sonavel::guid& panel_type) {
    if (config_.panel_guid.is_null()) config_.panel_guid = panel_type;

    sonavel::service_enum_t<dockwork::window> types;
    for (dockwork::window_ptr candidate; types.next(candidate);) {
        if (candidate->get_guid() == panel_type) {
            panel_ = candidate;
            break;
        }
    }
    if (!panel_) {
        log_line("Unable to create the panel with the guid: " + guid_log_text(panel_type));
        return false;
    }

    if (!config_.panel_config.empty() && !panel_->single_instance()) {
        try {
            sonavel::stream_reader_memblock reader(config_.panel_config);
            sonavel::abort_callback_dummy abort;
            panel_->load_config(reader, config_.panel_config.size(), abort);
        } catch (const std::exception&) {
            log_line("Unable to configure the panel with the guid: " + guid_log_text(panel_type));
            return false;
        }
    }

    HWND panel_window = panel_->attach_window(window(), dockwork::window_host_ptr(host_), 0, 0, 0, 0);
    if (!panel_window) {
        log_line("Unable to create the window for the panel with the guid: " + guid_log_text(panel_type));
        return false;
    }
    RECT client{};
    GetClientRect(window(), &client);
    SetWindowPos(panel_window, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                 SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    // SWP_SHOWWINDOW sends no WM_SHOWWINDOW, and the popup's own show, which this window forwards, came
    // before the panel existed: the panel learns here that it is on screen. A popup restored hidden tells
    // it when it is shown.
    if (IsWindowVisible(window())) SendMessageW(panel_window, WM_SHOWWINDOW, TRUE, 0);
    update_title();
    return true;
}

const PopupConfig& PopupPanelBase::refresh_config() {
    if (panel_) {
        sonavel::stream_writer_buffer writer;
        sonavel::abort_callback_dummy abort;
        panel_->save_config(writer, abort);
        config_.panel_config = std::move(writer.data());
    }
    return config_;
}

void PopupPanelBase::destroy() {
    // Closing the panel or the window may come back here (a panel that closes its popup).
    if (destroying_) return;
    destroying_ = true;
    if (panel_) {
        // Hidden first, as any panel host does: the panel writes its pending edits when it is hidden.
        if (HWND panel_window = panel_->get_window();
            panel_window && (GetWindowLongW(panel_window, GWL_STYLE) & WS_VISIBLE))
            ShowWindow(panel_window, SW_HIDE);
        panel_->close_window();
    }
    frame_.reset();
    let_go_of_host();
    remove_from_list();
    destroying_ = false;
}

void PopupPanelBase::set_visible(bool visible) {
    HWND frame = window();
    if (visible) {
        if (frame) bring_into_view(frame);
        return;
    }
    config_.placement.show_state = 0;
    if (frame) ShowWindow(frame, SW_HIDE);
}

bool PopupPanelBase::visible() const noexcept { return window() && IsWindowVisible(window()); }

void PopupPanelBase::update_title() {
    if (window()) sonavel::uSetWindowText(window(), display_title().c_str());
}

std::string PopupPanelBase::display_title() const {
    if (!config_.name.empty()) return config_.name;
    if (panel_) {
        std::string name;
        panel_->get_name(name);
        return name;
    }
    return "Popup panel";
}

void PopupPanelBase::apply_styles() {
    HWND frame = window();
    if (!frame) return;
    LONG style = GetWindowLongW(frame, GWL_STYLE);
    LONG ex_style = GetWindowLongW(frame, GWL_EXSTYLE);
    if (config_.no_border) {
        style &= ~frame_bits;
        ex_style &= ~WS_EX_TOOLWINDOW;
    } else {
        style |= WS_THICKFRAME;
        if (config_.no_caption) {
            style &= ~WS_CAPTION;
            ex_style &= ~WS_EX_TOOLWINDOW;
        } else {
            ex_style |= WS_EX_TOOLWINDOW;
            style |= WS_CAPTION;
            if (config_.no_system_menu)
                style &= ~WS_SYSMENU;
            else
                style |= WS_SYSMENU;
        }
    }
    SetWindowLongW(frame, GWL_STYLE, style);
    SetWindowLongW(frame, GWL_EXSTYLE, ex_style);
    SetWindowPos(frame, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
}

INT_PTR PopupPanelBase::dialog_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_MOVE:
    case WM_SIZE:
        if (panel_) {
            fit_panel(window);
            store_placement(window);
        }
        break;
    case WM_DPICHANGED:
        if (lparam) on_dpi_changed(window, *reinterpret_cast<const RECT*>(lparam));
        SetWindowLongPtrW(window, DWLP_MSGRESULT, 0);
        return TRUE;
    case WM_CLOSE:
        if (config_.persistent) {
            config_.placement.show_state = 0;
            ShowWindow(window, SW_HIDE);
        } else {
            destroy();
        }
        break;
    case WM_SYSCOLORCHANGE:
    case WM_SHOWWINDOW:
    case WM_SETTINGCHANGE:
        for (HWND child : direct_children(window)) SendMessageW(child, message, wparam, lparam);
        break;
    case WM_DESTROY:
        // Destroyed by destroy(), or along with its owner: either way the handle is no longer ours.
        frame_.release();
        break;
    default:
        break;
    }
    return 0;
}

void PopupPanelBase::fit_panel(HWND window) {
    HWND panel_window = panel_->get_window();
    if (!panel_window) return;
    RECT client{};
    GetClientRect(window, &client);
    MoveWindow(panel_window, 0, 0, client.right - client.left, client.bottom - client.top, FALSE);
}

// The window moved to a monitor of another DPI: it takes the place Windows suggests, which keeps the
// panel's content as large as it looked, and the panel makes its fonts and layout for the new DPI, as a
// docked panel does when its parent's DPI changes.
void PopupPanelBase::on_dpi_changed(HWND window, const RECT& suggested) {
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    // Moved and sized, the panel has been fitted and the placement stored (WM_MOVE, WM_SIZE).
    HWND panel_window = panel_ ? panel_->get_window() : nullptr;
    if (panel_window && !sonavel::children_told_of_dpi_changes(window))
        SendMessageW(panel_window, WM_DPICHANGED_AFTERPARENT, 0, 0);
}

void PopupPanelBase::store_placement(HWND window) {
    config_.placement = placement_of(window);
    config_.placement_dpi = sonavel::window_dpi(window);
}

void PopupPanelBase::let_go_of_host() noexcept {
    // A panel may keep its host longer than the popup lives: it must not reach a popup that is gone.
    if (host_) host_->set_popup(nullptr);
    host_.release();
}

}  // namespace quennet
