#pragma once
// UTF-8 wrappers of the wide Windows calls that take or return text.
#include <windows.h>

#include <string>

namespace sonavel {

int uMessageBox(HWND parent, const char* text, const char* caption, UINT type);
std::string uGetWindowText(HWND window);
bool uSetWindowText(HWND window, const char* text);
std::string uGetDlgItemText(HWND dialog, int id);
bool uSetDlgItemText(HWND dialog, int id, const char* text);
// Sends a message whose lParam is a text (for example CB_ADDSTRING, LB_ADDSTRING).
LRESULT uSendDlgItemMessageText(HWND dialog, int id, UINT message, WPARAM wparam, const char* text);
bool uAppendMenu(HMENU menu, UINT flags, UINT_PTR id, const char* text);
HINSTANCE uShellExecute(HWND parent, const char* operation, const char* file, const char* parameters,
                        const char* directory, int show);
// Shows the colour chooser starting at `colour`; true and the new colour when the user chose one.
bool uChooseColor(COLORREF& colour, HWND parent, COLORREF* custom_colours);

}  // namespace sonavel
