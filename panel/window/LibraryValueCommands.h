#pragma once
// The "Library values" submenu of the panel's menu: built for the value the menu was opened on, and its
// commands run (the preview dialog, then the write). Main thread.
#include <windows.h>

#include <string>

namespace quennet {

class VarnelPanel;

// The value of the row under the cursor, else of the first selected row; empty when there is none.
std::string value_under_menu(HWND list);

// Appends a separator and the submenu to `menu` for `value`.
void append_library_values_menu(HMENU menu, const std::string& value);

// Runs a command of the submenu on `value` (ids of LibraryValueCommand; others do nothing).
void run_library_value_command(VarnelPanel& panel, unsigned id, const std::string& value);

}  // namespace quennet
