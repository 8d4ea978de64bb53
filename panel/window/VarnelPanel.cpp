#include "panel/window/VarnelPanel.h"

#include <commctrl.h>

#include <exception>

#include "panel/model/CheckStates.h"
#include "panel/model/FillEvent.h"
#include "panel/model/LibraryScan.h"
#include "panel/model/LivePanels.h"
#include "panel/model/PendingStatus.h"
#include "panel/model/ValueCountTip.h"
#include "panel/window/DoubleClickQuery.h"
#include "panel/window/KeyboardHook.h"
#include "panel/window/PanelLayout.h"
#include "panel/window/PanelMenu.h"
#include "presets/PresetStore.h"
#include "resources/resource.h"
#include "sdk/core_api.h"
#include "sdk/win/dpi.h"
#include "sdk/win/uwin.h"
#include "ui/PopupPanelBase.h"
#include "ui/VarnelPanelHost.h"

namespace quennet {

namespace {

const std::string filter_placeholder(filter_values_placeholder);
const std::string add_placeholder(add_values_placeholder);

panoplex::fonts::common_callback* as_font_callback(VarnelPanel* panel) { return panel; }
panoplex::colours::common_callback* as_colour_callback(VarnelPanel* panel) { return panel; }

}  // namespace

VarnelPanel::VarnelPanel() : Dialog(/*modal=*/true) {}

VarnelPanel::~VarnelPanel() {
    // The panel host closes the window before it lets go of the panel; should it not, nothing may be left
    // pointing at this object. Host services may be gone by now: what cannot be unregistered is gone too.
    try {
        if (HWND w = Dialog::window()) DestroyWindow(w);
        release_window_state();
    } catch (...) {
    }
}

bool VarnelPanel::short_name(std::string& out) const {
    out = "Varnel";
    return true;
}

bool VarnelPanel::description(std::string& out) const {
    out = "Panel for tagging files";
    return true;
}

void VarnelPanel::load_config(sonavel::stream_reader& reader, std::size_t, sonavel::abort_callback& abort) {
    read_store(reader, abort, current_, presets_);
    update_library_registration();
}

void VarnelPanel::save_config(sonavel::stream_writer& writer, sonavel::abort_callback& abort) const {
    write_store(writer, abort, current_, presets_);
}

HWND__* VarnelPanel::attach_window(HWND__* parent, const dockwork::window_host_ptr& host, int x, int y, int cx,
                                   int cy) {
    if (HWND existing = Dialog::window()) {
        // A move between hosts is no hide for the panel: its rows and unapplied edits go with it.
        moving_ = true;
        ShowWindow(existing, SW_HIDE);
        moving_ = false;
        SetParent(existing, parent);
        if (host_.is_valid()) host_->relinquish_window(existing);
        host_ = host;
        SetWindowPos(existing, nullptr, x, y, cx, cy, SWP_NOZORDER);
        return existing;
    }
    host_ = host;
    return CreateDialogParamW(resource_module(), MAKEINTRESOURCEW(IDD_PANEL), parent, &Dialog::shared_dialog_proc,
                              reinterpret_cast<LPARAM>(this));
}

void VarnelPanel::close_window() {
    // The window goes even when the host cannot take back a registration.
    std::exception_ptr failure;
    try {
        release_window_state();
    } catch (...) {
        failure = std::current_exception();
    }
    if (HWND w = Dialog::window()) DestroyWindow(w);
    if (failure) std::rethrow_exception(failure);
}

void VarnelPanel::release_window_state() {
    // Every step runs even when one before it fails: the panel must leave live_panels whatever the host
    // services say. The first failure is passed on at the end.
    std::exception_ptr failure;
    auto step = [&failure](const auto& undo) {
        try {
            undo();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    };
    if (global_callbacks_registered_) {
        global_callbacks_registered_ = false;
        step([this] {
            sonavel::standard_api_create_t<panoplex::fonts::manager>()->deregister_common_callback(
                as_font_callback(this));
        });
        step([this] {
            sonavel::standard_api_create_t<panoplex::colours::manager>()->deregister_common_callback(
                as_colour_callback(this));
        });
    }
    tooltip_.reset();
    suggestions_.reset();
    // Leaves live_panels with its model; its edits no longer count in the host's status line.
    const bool had_model = model_.has_value();
    model_.reset();
    if (had_model) show_pending_status();
    if (live_panels().empty()) remove_keyboard_hook();
    if (library_registered_) {
        library_registered_ = false;
        step([this] { sonavel::standard_api_create_t<sonavel::library_service>()->unregister_callback(this); });
    }
    if (failure) std::rethrow_exception(failure);
}

void VarnelPanel::size_limits(dockwork::size_limits& out) const {
    MINMAXINFO info{};
    info.ptMaxTrackSize = {0x7FFFFFFF, 0x7FFFFFFF};
    if (HWND w = Dialog::window()) SendMessageW(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    out.min_height = unsigned(info.ptMinTrackSize.y);
    out.max_height = unsigned(info.ptMaxTrackSize.y);
    out.min_width = unsigned(info.ptMinTrackSize.x);
    out.max_width = unsigned(info.ptMaxTrackSize.x);
}

void VarnelPanel::on_items_added(const sonavel::metadb_handle_list& tracks) {
    if (model_) rescan_added_tracks(current_, model_->filler(), tracks);
}

void VarnelPanel::on_items_modified(const sonavel::metadb_handle_list& tracks) {
    if (model_) rescan_added_tracks(current_, model_->filler(), tracks);
}

void VarnelPanel::post(UINT message) const {
    if (HWND w = Dialog::window()) PostMessageW(w, message, 0, 0);
}

void VarnelPanel::layout() {
    if (HWND w = Dialog::window()) layout_panel(w);
}

void VarnelPanel::apply_appearance(bool redraw) {
    const HWND w = Dialog::window();
    if (!w) return;
    appearance_.apply(w, current_, suggestions_ ? suggestions_->list() : nullptr);
    // Check images, column and edit row follow the fonts, which follow the display scaling.
    if (model_) model_->values().fit_to_display();
    layout();
    update_controls();
    if (redraw) {
        InvalidateRect(w, nullptr, TRUE);
        UpdateWindow(w);
    }
}

void VarnelPanel::update_controls() {
    if (model_) model_->update_controls();
}

void VarnelPanel::set_filter_text(const std::string& text) {
    if (model_) model_->values().set_filter_text(text);
}

void VarnelPanel::set_add_text(const std::string& text) {
    if (model_) model_->values().set_add_text(text);
}

void VarnelPanel::update_library_registration() {
    const bool wanted = model_ && model_->shown() && current_.scan_library;
    if (wanted == library_registered_) return;
    auto library = sonavel::standard_api_create_t<sonavel::library_service>();
    if (wanted)
        library->register_callback(this);
    else
        library->unregister_callback(this);
    library_registered_ = wanted;
}

void VarnelPanel::preset_changed() {
    apply_appearance(true);
    update_library_registration();
}

void VarnelPanel::pending_changed() {
    if (!model_) return;
    const ValueList& values = model_->values();
    const bool typed = !values.pending_tracks().empty() && !values.typed_values().empty();
    const HFONT font = typed ? appearance_.pending_text_font() : appearance_.text_font();
    const HWND add = model_->controls().add_edit;
    if (font && reinterpret_cast<HFONT>(SendMessageW(add, WM_GETFONT, 0, 0)) != font)
        SendMessageW(add, WM_SETFONT, WPARAM(font), TRUE);
}

INT_PTR VarnelPanel::dialog_proc(HWND w, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        return on_init_dialog(w);
    case WM_SIZE:
        layout();
        return 0;
    case WM_CLOSE:
        close_popup_window();
        return 0;
    case WM_SHOWWINDOW:
        on_show(wparam != 0);
        return 0;
    case WM_NOTIFY:
        return on_notify(w, *reinterpret_cast<const NMHDR*>(lparam));
    case WM_COMMAND:
        on_command(LOWORD(wparam), HIWORD(wparam));
        return 0;
    case WM_CONTEXTMENU:
        show_panel_menu(*this);
        return 1;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(appearance_.edit_colours(reinterpret_cast<HDC>(wparam), current_));
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(appearance_.dialog_background(current_));
    case global_colours_changed:
    case global_fonts_changed:
        on_global_change();
        return 0;
    case WM_DPICHANGED_AFTERPARENT:
        apply_appearance(true);
        return 0;
    case WM_DESTROY:
        // Also when the window goes with its parent rather than through close_window.
        release_window_state();
        return 0;
    default:
        return 0;
    }
}

INT_PTR VarnelPanel::on_init_dialog(HWND w) {
    // Check boxes with our three state images on the list.
    model_.emplace(resource_module(), ValueListControls::of(w), current_, presets_, static_cast<PanelView*>(this));
    model_->values().reset_filter_text();
    model_->values().reset_add_text();
    layout();
    apply_appearance(false);
    model_->values().set_pending(false);
    update_controls();
    tooltip_.emplace(model_->values().list(), [this](int row) { return value_tip(row); });
    suggestions_.emplace(model_->controls().add_edit, [this] { return known_values(current_); });
    install_keyboard_hook();
    sonavel::standard_api_create_t<panoplex::fonts::manager>()->register_common_callback(as_font_callback(this));
    sonavel::standard_api_create_t<panoplex::colours::manager>()->register_common_callback(as_colour_callback(this));
    global_callbacks_registered_ = true;
    return 0;
}

void VarnelPanel::on_show(bool show) {
    if (!model_ || moving_) return;
    if (show && !model_->shown()) {
        model_->request_fill(panel_shown);
        model_->set_shown(true);
        update_library_registration();
    } else if (!show && model_->shown()) {
        model_->commit_if_pending(model(), std::string());
        // The large-update question runs a message loop, in which the window may have been closed.
        if (model_) model_->set_shown(false);
        update_library_registration();
    }
}

INT_PTR VarnelPanel::on_notify(HWND w, const NMHDR& header) {
    if (!model_ || header.idFrom != IDC_PANEL_VALUE_LIST) return 0;
    ValueList& values = model_->values();
    switch (header.code) {
    case LVN_ITEMCHANGING: {
        const bool refuse = values.on_item_changing(reinterpret_cast<const NMLISTVIEW&>(header));
        if (refuse) SetWindowLongPtrW(w, DWLP_MSGRESULT, 1);
        return refuse ? TRUE : FALSE;
    }
    case LVN_ITEMCHANGED:
        values.on_item_changed(reinterpret_cast<const NMLISTVIEW&>(header));
        return 0;
    case NM_CLICK:
        values.on_click(reinterpret_cast<const NMITEMACTIVATE&>(header));
        return 0;
    case NM_DBLCLK:
        on_double_click(current_, values.list(), reinterpret_cast<const NMITEMACTIVATE&>(header));
        return 0;
    case NM_CUSTOMDRAW:
        if (header.hwndFrom != values.list()) return 0;
        SetWindowLongPtrW(w, DWLP_MSGRESULT, draw_row(reinterpret_cast<const NMLVCUSTOMDRAW&>(header)));
        return TRUE;
    default:
        return 0;
    }
}

LRESULT VarnelPanel::draw_row(const NMLVCUSTOMDRAW& draw) {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT || !model_) return CDRF_DODEFAULT;
    // A change not written yet shows in italics. Every row gets its font named: a list view that does not
    // restore the font after a row would otherwise draw the rows below an edited one in italics too.
    const bool edited = model_->values().row_edited(int(draw.nmcd.dwItemSpec));
    const HFONT font = edited ? appearance_.pending_font() : appearance_.list_font();
    if (!font) return CDRF_DODEFAULT;
    SelectObject(draw.nmcd.hdc, font);
    return CDRF_NEWFONT;
}

void VarnelPanel::on_command(WORD id, WORD code) {
    if (!model_) return;
    ValueList& values = model_->values();
    const HWND w = Dialog::window();
    if (id == IDC_PANEL_FILTER) {
        switch (code) {
        case EN_SETFOCUS:
            if (sonavel::uGetDlgItemText(w, id) == filter_placeholder) set_filter_text(std::string());
            break;
        case EN_KILLFOCUS:
            if (sonavel::uGetDlgItemText(w, id).empty()) set_filter_text(filter_placeholder);
            break;
        case EN_CHANGE:
            if (values.filter_text_guard()) break;
            // Narrowing the rows would lose the edits: they are written first.
            if (model_->has_pending_edits())
                model_->commit_if_pending(nullptr, std::string());
            else
                model_->rebuild_now();
            break;
        default:
            break;
        }
    } else if (id == IDC_PANEL_ADD) {
        switch (code) {
        case EN_SETFOCUS:
            if (sonavel::uGetDlgItemText(w, id) == add_placeholder) set_add_text(std::string());
            if (suggestions_) suggestions_->on_focus_gained();
            break;
        case EN_KILLFOCUS:
            if (sonavel::uGetDlgItemText(w, id).empty()) set_add_text(add_placeholder);
            break;
        case EN_CHANGE:
            if (!values.add_text_guard()) values.set_pending(true);
            if (!values.add_text_guard() && suggestions_) suggestions_->on_text_changed();
            break;
        default:
            break;
        }
    }
}

bool VarnelPanel::in_popup_window() const {
    return host_.is_valid() && host_->type_guid() == VarnelPanelHost::host_type;
}

PopupPanelBase* VarnelPanel::hosting_popup() const {
    if (!in_popup_window()) return nullptr;
    auto* popup_host = dynamic_cast<PopupPanelHost*>(host_.get_ptr());
    return popup_host ? popup_host->popup() : nullptr;
}

void VarnelPanel::close_popup_window() {
    // Elsewhere the host decides what closing means.
    if (PopupPanelBase* popup = hosting_popup()) popup->destroy();
}

std::string VarnelPanel::value_tip(int row) {
    if (!model_ || model_->busy() || model_->fill_running() || model_->values().update_running()) return {};
    const ValueList& values = model_->values();
    return value_count_tip(current_, list_item_text(values.list(), row), values.selection_count());
}

void VarnelPanel::on_global_change() {
    current_.apply_global_colors_and_fonts();
    if (model_) model_->rebuild_now();
    apply_appearance(true);
}

}  // namespace quennet
