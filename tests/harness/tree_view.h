#pragma once
// Reading a tree view and clicking its items where a user would: the state image (a check box) and the
// label. The points are confirmed with TVM_HITTEST before any click (std::runtime_error otherwise).
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace harness {

// The first item, depth first, whose text is exactly `text`; null when none.
HTREEITEM find_tree_item(HWND tree, const std::wstring& text);
// The first item whose text starts with `prefix`; null when none.
HTREEITEM find_tree_item_starting(HWND tree, const std::wstring& prefix);
std::wstring tree_item_text(HWND tree, HTREEITEM item);
// 0 when the item shows no state image.
int tree_state_image(HWND tree, HTREEITEM item);
HTREEITEM selected_tree_item(HWND tree);

POINT tree_label_point(HWND tree, HTREEITEM item);
POINT tree_state_point(HWND tree, HTREEITEM item);
void click_tree_label(HWND tree, HTREEITEM item);
void click_tree_state(HWND tree, HTREEITEM item);

}  // namespace harness
