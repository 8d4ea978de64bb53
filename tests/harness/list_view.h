#pragma once
// Reading a list view and clicking its items where a user would: the check box and the label.
//
// The points are computed from the item's rectangles and confirmed with LVM_HITTEST before any click, so a
// wrong guess fails loudly (std::runtime_error) instead of clicking beside the item. Items outside the visible
// area are scrolled into view first.
#include <windows.h>

#include <string>

namespace harness {

int item_count(HWND list);
std::wstring item_text(HWND list, int item, int column = 0);
// 0 when the item shows no state image; with LVS_EX_CHECKBOXES 1 is unchecked and 2 checked.
int state_image(HWND list, int item);
bool is_selected(HWND list, int item);

// Client points of the item's check box and label, confirmed by hit testing.
POINT check_box_point(HWND list, int item);
POINT label_point(HWND list, int item);

void click_check_box(HWND list, int item);
void click_label(HWND list, int item);
void double_click_label(HWND list, int item);

}  // namespace harness
