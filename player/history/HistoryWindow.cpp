#include "player/history/HistoryWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <ctime>
#include <iterator>
#include <stdexcept>

#include "player/history/HistoryWindowDetails.h"
#include "player/win/CenterOn.h"
#include "player/win/MessageLoop.h"
#include "player/win/Dpi.h"
#include "player/win/WindowFont.h"
#include "sdk/errors.h"
#include "sdk/utf8.h"
#include "sdk/win/uwin.h"

namespace player::history {
namespace {

constexpr const wchar_t* class_name = L"PlayerTagUpdateHistory";
// At 96 DPI.
constexpr int base_margin = 8;
constexpr int base_button_width = 88;
constexpr int base_details_height = 110;

struct column {
    const wchar_t* text;
    int width;
};
constexpr column columns[] = {{L"Time", 140}, {L"Origin", 220}, {L"Files", 60}, {L"Fields", 140}, {L"State", 150}};

}  // namespace

void HistoryWindow::register_class() {
    WNDCLASSEXW cls = {};
    cls.cbSize = sizeof cls;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), class_name, &cls)) return;
    cls.lpfnWndProc = HistoryWindow::window_proc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = class_name;
    if (!RegisterClassExW(&cls)) throw std::runtime_error("The history window's class could not be registered");
}

namespace {

std::string state_text(const UpdateSummary& update) {
    std::string state;
    if (update.undone_by != 0) state = "Taken back";
    if (!update.finished) state += std::string(state.empty() ? "" : ", ") + "interrupted";
    return state;
}

void set_cell(HWND list, int row, int column, const std::string& text) {
    std::wstring wide = sonavel::utf8_to_wide(text);
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(list, LVM_SETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

std::string local_time_text(std::int64_t seconds) {
    std::time_t t = std::time_t(seconds);
    // Main thread only: the C library's shared result is read at once.
    const std::tm* local = std::localtime(&t);
    char text[32] = {};
    if (local) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
    return text;
}

HistoryWindow::HistoryWindow(HWND owner, HistoryStore& store, std::string bound_text,
                             std::function<bool(std::int64_t)> undo)
    : store_(store), bound_text_(std::move(bound_text)), undo_(std::move(undo)) {
    register_class();
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font_.reset(CreateFontIndirectW(&metrics.lfMessageFont));
    window_.reset(CreateWindowExW(0, class_name, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  scaled_for_screen(760), scaled_for_screen(520),
                                  owner, nullptr, GetModuleHandleW(nullptr), this));
    if (!window_) throw std::runtime_error("The history window could not be created");
    MessageLoop::close_on_escape(window_.get());
    create_controls();
    refresh();
    layout();
    if (owner) center_on(window_.get(), owner);
    ShowWindow(window_.get(), SW_SHOW);
}

HistoryWindow::~HistoryWindow() {
    // The main window may have taken its owned windows with it already.
    if (!IsWindow(window_.get())) window_.release();
}

void HistoryWindow::create_controls() {
    const HWND w = window_.get();
    const HINSTANCE module = GetModuleHandleW(nullptr);
    bound_ = CreateWindowExW(0, L"STATIC", sonavel::utf8_to_wide(bound_text_).c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT,
                             0, 0, 0, 0, w, HMENU(INT_PTR(id_bound)), module, nullptr);
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, 0, 0,
                            0, w, HMENU(INT_PTR(id_list)), module, nullptr);
    undo_button_ = CreateWindowExW(0, L"BUTTON", L"&Undo", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0,
                                   0, w, HMENU(INT_PTR(id_undo)), module, nullptr);
    close_button_ = CreateWindowExW(0, L"BUTTON", L"Close", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0,
                                    0, 0, w, HMENU(INT_PTR(id_close)), module, nullptr);
    details_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                               0, 0, 0, 0, w, HMENU(INT_PTR(id_details)), module, nullptr);
    for (HWND control : {bound_, list_, details_, undo_button_, close_button_})
        if (font_) SendMessageW(control, WM_SETFONT, WPARAM(font_.get()), FALSE);
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (int i = 0; i < int(std::size(columns)); ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(columns[i].text);
        column.cx = sonavel::scale_to_dpi(columns[i].width, sonavel::window_dpi(w));
        // The time as wide as it shows, with the list's padding.
        if (i == 0)
            column.cx = std::max<int>(column.cx, text_extent(list_, font_.get(), L"2026-12-07 23:59:59").cx +
                                                     sonavel::scale_to_dpi(16, sonavel::window_dpi(w)));
        column.iSubItem = i;
        SendMessageW(list_, LVM_INSERTCOLUMNW, WPARAM(i), reinterpret_cast<LPARAM>(&column));
    }
}

void HistoryWindow::layout() {
    RECT client;
    GetClientRect(window_ ? window_.get() : GetParent(list_), &client);
    const int width = client.right, height = client.bottom;
    const unsigned dpi = sonavel::window_dpi(list_);
    const int margin = sonavel::scale_to_dpi(base_margin, dpi);
    const int bound_height = sonavel::line_height(bound_, font_.get()) + sonavel::scale_to_dpi(2, dpi);
    const SIZE button = button_size(list_, font_.get(), L"Close");
    const int button_width = std::max<int>(button.cx, sonavel::scale_to_dpi(base_button_width, dpi));
    const int button_height = button.cy;
    MoveWindow(bound_, margin, margin, width - 2 * margin, bound_height, TRUE);
    const int list_top = margin + bound_height + margin / 2;
    const int buttons_top = height - margin - button_height;
    // The details take their height, but never more than half the room the list shares with them.
    const int room = std::max(0, buttons_top - margin - list_top);
    const int details_height = std::min(sonavel::scale_to_dpi(base_details_height, dpi), room / 2);
    const int details_top = std::max(list_top, buttons_top - margin - details_height);
    MoveWindow(list_, margin, list_top, width - 2 * margin, std::max(0, details_top - margin / 2 - list_top), TRUE);
    MoveWindow(details_, margin, details_top, width - 2 * margin, std::max(0, buttons_top - margin - details_top), TRUE);
    MoveWindow(undo_button_, width - 2 * (margin + button_width), buttons_top, button_width, button_height, TRUE);
    MoveWindow(close_button_, width - margin - button_width, buttons_top, button_width, button_height, TRUE);
}

std::int64_t HistoryWindow::chosen() const {
    const int row = int(SendMessageW(list_, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
    return row >= 0 && std::size_t(row) < rows_.size() ? rows_[std::size_t(row)].id : 0;
}

void HistoryWindow::refresh() {
    const std::int64_t keep = chosen();
    rows_ = store_.recent(shown_updates);
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const UpdateSummary& update = rows_[i];
        std::wstring time = sonavel::utf8_to_wide(local_time_text(update.time));
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = int(i);
        item.pszText = time.data();
        const int row = int(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        set_cell(list_, row, 1, update.origin);
        set_cell(list_, row, 2, std::to_string(update.files));
        set_cell(list_, row, 3, update.fields);
        set_cell(list_, row, 4, state_text(update));
        if (update.id == keep) {
            ListView_SetItemState(list_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        }
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    update_button();
    details_of_ = -1;
    show_details();
}

void HistoryWindow::show_details() {
    const std::int64_t update = chosen();
    if (update == details_of_) return;
    details_of_ = update;
    std::string text;
    if (update != 0) {
        for (const auto& line : describe_changes(store_.changes(update))) text += line + "\r\n";
        if (text.empty()) text = "No field was changed.";
    } else {
        text = "Choose an update to see what it changed.";
    }
    SetWindowTextW(details_, sonavel::utf8_to_wide(text).c_str());
}

void HistoryWindow::update_button() {
    const int row = int(SendMessageW(list_, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
    const bool undoable = row >= 0 && std::size_t(row) < rows_.size() && rows_[std::size_t(row)].undone_by == 0;
    EnableWindow(undo_button_, undoable);
}

void HistoryWindow::undo_chosen() {
    const std::int64_t update = chosen();
    if (update == 0) return;
    if (!undo_(update))
        sonavel::uMessageBox(window_.get(), "This update cannot be taken back now: it was taken back already, or another tag update is running.", "Tag update history",
                             MB_OK | MB_ICONINFORMATION);
    refresh();
}

LRESULT CALLBACK HistoryWindow::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<HistoryWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (!self) return DefWindowProcW(window, message, wparam, lparam);
    // Nothing may unwind into the system's window code.
    try {
        return self->on_message(window, message, wparam, lparam);
    } catch (const std::exception& e) {
        sonavel::uMessageBox(window, sonavel::message_of(e).c_str(), "Tag update history", MB_OK | MB_ICONERROR);
        return 0;
    }
}

LRESULT HistoryWindow::on_message(HWND w, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_SIZE:
        if (list_) layout();
        return 0;
    case WM_DPICHANGED:
        renew_children_font(w, font_);
        move_to_suggested(w, lparam);
        if (list_) layout();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wparam) == id_undo && HIWORD(wparam) == BN_CLICKED) undo_chosen();
        if (LOWORD(wparam) == id_close && HIWORD(wparam) == BN_CLICKED) ShowWindow(w, SW_HIDE);
        return 0;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lparam);
        if (header.idFrom == id_list && header.code == LVN_ITEMCHANGED) {
            update_button();
            show_details();
        }
        return 0;
    }
    case WM_CLOSE:
        // Kept for the next opening: closing only hides it.
        ShowWindow(w, SW_HIDE);
        return 0;
    default:
        return DefWindowProcW(w, message, wparam, lparam);
    }
}

}  // namespace player::history
