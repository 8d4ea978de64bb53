#include "demo/driver/RemoteListView.h"

#include <commctrl.h>

#include <stdexcept>
#include <vector>

namespace demo {
namespace {

constexpr SIZE_T buffer_size = 64 * 1024;
constexpr std::size_t text_offset = 1024;  // item structures first, texts after them

}  // namespace

RemoteListView::RemoteListView(HWND list) : list_(list) {
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!process_) throw std::runtime_error("cannot open the list view's process");
    buffer_ = VirtualAllocEx(process_.get(), nullptr, buffer_size, MEM_COMMIT, PAGE_READWRITE);
    if (!buffer_) throw std::runtime_error("cannot reserve memory in the list view's process");
}

RemoteListView::~RemoteListView() { VirtualFreeEx(process_.get(), buffer_, 0, MEM_RELEASE); }

int RemoteListView::count() const { return int(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring RemoteListView::text(int item, int column) const {
    auto* remote_text = static_cast<char*>(buffer_) + text_offset;
    LVITEMW request{};
    request.iSubItem = column;
    request.pszText = reinterpret_cast<wchar_t*>(remote_text);
    request.cchTextMax = int((buffer_size - text_offset) / sizeof(wchar_t));
    WriteProcessMemory(process_.get(), buffer_, &request, sizeof request, nullptr);
    auto length = std::size_t(SendMessageW(list_, LVM_GETITEMTEXTW, WPARAM(item), LPARAM(buffer_)));
    std::wstring out(length, L'\0');
    if (length) ReadProcessMemory(process_.get(), remote_text, out.data(), length * sizeof(wchar_t), nullptr);
    return out;
}

int RemoteListView::state_image(int item) const {
    return int((SendMessageW(list_, LVM_GETITEMSTATE, WPARAM(item), LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >> 12);
}

bool RemoteListView::selected(int item) const {
    return (SendMessageW(list_, LVM_GETITEMSTATE, WPARAM(item), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

int RemoteListView::find(const std::wstring& wanted, int column) const {
    for (int i = 0, n = count(); i < n; ++i)
        if (text(i, column) == wanted) return i;
    return -1;
}

RECT RemoteListView::rect(int item, int part) const {
    RECT out{};
    out.left = part;
    WriteProcessMemory(process_.get(), buffer_, &out, sizeof out, nullptr);
    SendMessageW(list_, LVM_GETITEMRECT, WPARAM(item), LPARAM(buffer_));
    ReadProcessMemory(process_.get(), buffer_, &out, sizeof out, nullptr);
    return out;
}

bool RemoteListView::hits(POINT client, int item, UINT part) const {
    LVHITTESTINFO info{};
    info.pt = client;
    WriteProcessMemory(process_.get(), buffer_, &info, sizeof info, nullptr);
    int found = int(SendMessageW(list_, LVM_HITTEST, 0, LPARAM(buffer_)));
    ReadProcessMemory(process_.get(), buffer_, &info, sizeof info, nullptr);
    return found == item && (info.flags & part) == part;
}

POINT RemoteListView::to_screen(POINT client) const {
    ClientToScreen(list_, &client);
    return client;
}

POINT RemoteListView::label_point(int item) const {
    SendMessageW(list_, LVM_ENSUREVISIBLE, WPARAM(item), FALSE);
    RECT label = rect(item, LVIR_LABEL);
    POINT middle{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    if (!hits(middle, item, LVHT_ONITEMLABEL)) throw std::runtime_error("row " + std::to_string(item) + ": no label to click");
    return to_screen(middle);
}

POINT RemoteListView::check_box_point(int item) const {
    SendMessageW(list_, LVM_ENSUREVISIBLE, WPARAM(item), FALSE);
    RECT bounds = rect(item, LVIR_BOUNDS);
    RECT icon = rect(item, LVIR_ICON);
    POINT guess{icon.left - 8, (bounds.top + bounds.bottom) / 2};
    if (hits(guess, item, LVHT_ONITEMSTATEICON)) return to_screen(guess);
    for (int y = bounds.top; y < bounds.bottom; y += 2)
        for (int x = bounds.left; x < bounds.right; x += 2)
            if (hits({x, y}, item, LVHT_ONITEMSTATEICON)) return to_screen({x, y});
    throw std::runtime_error("row " + std::to_string(item) + ": no check box to click");
}

}  // namespace demo
