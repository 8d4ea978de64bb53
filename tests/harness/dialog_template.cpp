#include "tests/harness/dialog_template.h"

#include <cwchar>

namespace harness_test {
namespace {

class TemplateWriter {
public:
    void word(WORD value) { words_.push_back(value); }
    void dword(DWORD value) {
        word(LOWORD(value));
        word(HIWORD(value));
    }
    void text(const wchar_t* value) {
        words_.insert(words_.end(), value, value + std::wcslen(value));
        word(0);
    }
    void rect(const RECT& at) {
        for (LONG v : {at.left, at.top, at.right - at.left, at.bottom - at.top}) word(WORD(SHORT(v)));
    }
    // Every item template starts on a DWORD boundary.
    void align() {
        if (words_.size() % 2) word(0);
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    std::vector<WORD> words_;
};

INT_PTR CALLBACK inert_procedure(HWND, UINT message, WPARAM, LPARAM) noexcept { return message == WM_INITDIALOG; }

}  // namespace

sonavel::unique_hwnd create_dialog(HWND owner, const wchar_t* caption, const std::vector<DialogItem>& items) {
    TemplateWriter t;
    t.dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SETFONT | DS_MODALFRAME);
    t.dword(0);
    t.word(WORD(items.size()));
    t.rect({20, 20, 220, 120});
    t.word(0);  // no menu
    t.word(0);  // the dialog class
    t.text(caption);
    t.word(8);
    t.text(L"MS Shell Dlg");
    for (const auto& item : items) {
        t.align();
        t.dword(WS_CHILD | WS_VISIBLE | item.style);
        t.dword(0);
        t.rect(item.at);
        t.word(item.id);
        t.text(item.window_class);
        t.text(item.text);
        t.word(0);  // no creation data
    }
    return sonavel::unique_hwnd(
        CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t.get(), owner, inert_procedure, 0));
}

}  // namespace harness_test
