#include "tests/harness/tree_view.h"

#include <stdexcept>

#include "tests/harness/mouse.h"

namespace harness {
namespace {

template <typename Match>
HTREEITEM find_from(HWND tree, HTREEITEM item, const Match& match) {
    for (; item; item = TreeView_GetNextSibling(tree, item)) {
        if (match(tree_item_text(tree, item))) return item;
        if (HTREEITEM found = find_from(tree, TreeView_GetChild(tree, item), match)) return found;
    }
    return nullptr;
}

POINT confirmed(HWND tree, HTREEITEM item, POINT at, UINT expected) {
    TVHITTESTINFO hit = {};
    hit.pt = at;
    TreeView_HitTest(tree, &hit);
    if (hit.hItem != item || !(hit.flags & expected))
        throw std::runtime_error("the point computed for a tree item hit-tests elsewhere");
    return at;
}

RECT label_rect(HWND tree, HTREEITEM item) {
    TreeView_EnsureVisible(tree, item);
    RECT r = {};
    if (!TreeView_GetItemRect(tree, item, &r, TRUE)) throw std::runtime_error("tree item not visible");
    return r;
}

}  // namespace

std::wstring tree_item_text(HWND tree, HTREEITEM item) {
    wchar_t text[512] = {};
    TVITEMW tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = 512;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
}

HTREEITEM find_tree_item(HWND tree, const std::wstring& text) {
    return find_from(tree, TreeView_GetRoot(tree), [&](const std::wstring& t) { return t == text; });
}

HTREEITEM find_tree_item_starting(HWND tree, const std::wstring& prefix) {
    return find_from(tree, TreeView_GetRoot(tree), [&](const std::wstring& t) { return t.rfind(prefix, 0) == 0; });
}

int tree_state_image(HWND tree, HTREEITEM item) {
    return int((TreeView_GetItemState(tree, item, TVIS_STATEIMAGEMASK) & TVIS_STATEIMAGEMASK) >> 12);
}

HTREEITEM selected_tree_item(HWND tree) { return TreeView_GetSelection(tree); }

POINT tree_label_point(HWND tree, HTREEITEM item) {
    RECT r = label_rect(tree, item);
    return confirmed(tree, item, {(r.left + r.right) / 2, (r.top + r.bottom) / 2}, TVHT_ONITEMLABEL);
}

POINT tree_state_point(HWND tree, HTREEITEM item) {
    RECT r = label_rect(tree, item);
    // The state image sits just left of the label (no normal image list).
    const int size = GetSystemMetrics(SM_CXSMICON);
    return confirmed(tree, item, {r.left - size / 2 - 1, (r.top + r.bottom) / 2}, TVHT_ONITEMSTATEICON);
}

void click_tree_label(HWND tree, HTREEITEM item) { click(tree, tree_label_point(tree, item)); }
void click_tree_state(HWND tree, HTREEITEM item) { click(tree, tree_state_point(tree, item)); }

}  // namespace harness
