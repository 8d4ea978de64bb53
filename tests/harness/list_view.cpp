#include "tests/harness/list_view.h"

#include <commctrl.h>

#include <stdexcept>

#include "tests/harness/mouse.h"

namespace harness {
namespace {

constexpr int scan_step = 2;

void require_item(HWND list, int item) {
    if (item < 0 || item >= item_count(list))
        throw std::out_of_range("list view has no item " + std::to_string(item) + " (it holds " +
                                std::to_string(item_count(list)) + ")");
}

RECT item_rect(HWND list, int item, int part) {
    RECT rect{};
    rect.left = part;
    SendMessageW(list, LVM_GETITEMRECT, WPARAM(item), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

bool hits(HWND list, POINT at, int item, UINT part) {
    LVHITTESTINFO info{};
    info.pt = at;
    const int found = int(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    return found == item && (info.flags & part) == part;
}

// Some view modes place the state image where no rule from the rectangles predicts; the hit test knows.
bool scan_for(HWND list, const RECT& area, int item, UINT part, POINT& found) {
    for (int y = area.top; y < area.bottom; y += scan_step) {
        for (int x = area.left; x < area.right; x += scan_step) {
            if (hits(list, {x, y}, item, part)) {
                found = {x, y};
                return true;
            }
        }
    }
    return false;
}

SIZE state_image_size(HWND list) {
    int width = 16, height = 16;
    if (auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_STATE, 0)))
        ImageList_GetIconSize(images, &width, &height);
    return {width, height};
}

}  // namespace

int item_count(HWND list) { return int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring item_text(HWND list, int item, int column) {
    require_item(list, item);
    std::wstring text(64, L'\0');
    for (;;) {
        LVITEMW request{};
        request.iSubItem = column;
        request.pszText = text.data();
        request.cchTextMax = int(text.size());
        const auto copied = std::size_t(SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(item), reinterpret_cast<LPARAM>(&request)));
        // A full buffer may mean the text was cut: try again with room to spare.
        if (copied + 1 < text.size()) {
            text.resize(copied);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

int state_image(HWND list, int item) {
    require_item(list, item);
    return int((SendMessageW(list, LVM_GETITEMSTATE, WPARAM(item), LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >> 12);
}

bool is_selected(HWND list, int item) {
    require_item(list, item);
    return (SendMessageW(list, LVM_GETITEMSTATE, WPARAM(item), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

POINT check_box_point(HWND list, int item) {
    require_item(list, item);
    SendMessageW(list, LVM_ENSUREVISIBLE, WPARAM(item), FALSE);
    const RECT bounds = item_rect(list, item, LVIR_BOUNDS);
    const RECT icon = item_rect(list, item, LVIR_ICON);
    // In the list, report and small-icon views the state image sits just left of the icon rectangle (which is
    // empty when there is no small image list).
    const POINT guess{icon.left - state_image_size(list).cx / 2, (bounds.top + bounds.bottom) / 2};
    if (hits(list, guess, item, LVHT_ONITEMSTATEICON)) return guess;
    POINT found{};
    if (scan_for(list, bounds, item, LVHT_ONITEMSTATEICON, found)) return found;
    throw std::runtime_error("item " + std::to_string(item) + " shows no check box to click");
}

POINT label_point(HWND list, int item) {
    require_item(list, item);
    SendMessageW(list, LVM_ENSUREVISIBLE, WPARAM(item), FALSE);
    const RECT label = item_rect(list, item, LVIR_LABEL);
    const POINT middle{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    if (hits(list, middle, item, LVHT_ONITEMLABEL)) return middle;
    POINT found{};
    if (scan_for(list, label, item, LVHT_ONITEMLABEL, found)) return found;
    throw std::runtime_error("item " + std::to_string(item) + " shows no label to click");
}

void click_check_box(HWND list, int item) { click(list, check_box_point(list, item)); }

void click_label(HWND list, int item) { click(list, label_point(list, item)); }

void double_click_label(HWND list, int item) { double_click(list, label_point(list, item)); }

}  // namespace harness
