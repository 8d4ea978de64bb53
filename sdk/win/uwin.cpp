#include "sdk/win/uwin.h"

#include <commdlg.h>
#include <shellapi.h>

#include "sdk/utf8.h"

namespace sonavel {
namespace {
// Null pointers stay null: several calls give them a meaning of their own.
struct wide_arg {
    explicit wide_arg(const char* text) : present(text != nullptr), value(text ? utf8_to_wide(text) : std::wstring()) {}
    const wchar_t* get() const { return present ? value.c_str() : nullptr; }
    bool present;
    std::wstring value;
};
}  // namespace

int uMessageBox(HWND parent, const char* text, const char* caption, UINT type) {
    return MessageBoxW(parent, wide_arg(text).get(), wide_arg(caption).get(), type);
}

std::string uGetWindowText(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring text(std::size_t(length) + 1, L'\0');
    int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(std::size_t(got > 0 ? got : 0));
    return wide_to_utf8(text);
}

bool uSetWindowText(HWND window, const char* text) { return SetWindowTextW(window, wide_arg(text).get()) != FALSE; }

std::string uGetDlgItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    return item ? uGetWindowText(item) : std::string();
}

bool uSetDlgItemText(HWND dialog, int id, const char* text) {
    return SetDlgItemTextW(dialog, id, wide_arg(text).get()) != FALSE;
}

LRESULT uSendDlgItemMessageText(HWND dialog, int id, UINT message, WPARAM wparam, const char* text) {
    wide_arg wide(text);
    return SendDlgItemMessageW(dialog, id, message, wparam, reinterpret_cast<LPARAM>(wide.get()));
}

bool uAppendMenu(HMENU menu, UINT flags, UINT_PTR id, const char* text) {
    return AppendMenuW(menu, flags, id, wide_arg(text).get()) != FALSE;
}

HINSTANCE uShellExecute(HWND parent, const char* operation, const char* file, const char* parameters,
                        const char* directory, int show) {
    return ShellExecuteW(parent, wide_arg(operation).get(), wide_arg(file).get(), wide_arg(parameters).get(),
                         wide_arg(directory).get(), show);
}

bool uChooseColor(COLORREF& colour, HWND parent, COLORREF* custom_colours) {
    COLORREF fallback[16] = {};
    CHOOSECOLORW choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = parent;
    choose.rgbResult = colour;
    choose.lpCustColors = custom_colours ? custom_colours : fallback;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&choose)) return false;
    colour = choose.rgbResult;
    return true;
}

}  // namespace sonavel
