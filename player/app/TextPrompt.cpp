#include "player/app/TextPrompt.h"

#include <cwctype>
#include <vector>

#include "sdk/utf8.h"

namespace player {
namespace {

enum : WORD { id_label = 100, id_text = 101 };

// An in-memory dialog template: DLGTEMPLATE, then each DLGITEMTEMPLATE on a DWORD boundary.
class DialogTemplate {
public:
    DialogTemplate(const wchar_t* title, short width, short height, WORD items) {
        DLGTEMPLATE head = {};
        head.style = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        head.cdit = items;
        head.cx = width;
        head.cy = height;
        add(&head, sizeof head);
        word(0);  // no menu
        word(0);  // the standard class
        text(title);
        word(9);
        text(L"MS Shell Dlg");
    }
    void item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD class_atom, const wchar_t* caption) {
        while (bytes_.size() % 4) bytes_.push_back(0);
        DLGITEMTEMPLATE item = {};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = id;
        add(&item, sizeof item);
        word(0xFFFF);
        word(class_atom);
        text(caption);
        word(0);  // no creation data
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

private:
    void add(const void* data, std::size_t size) {
        auto* p = static_cast<const unsigned char*>(data);
        bytes_.insert(bytes_.end(), p, p + size);
    }
    void word(WORD value) { add(&value, sizeof value); }
    void text(const wchar_t* s) { add(s, (wcslen(s) + 1) * sizeof(wchar_t)); }

    // DWORD-aligned storage for the template.
    std::vector<unsigned char> bytes_;
};

constexpr WORD button_atom = 0x0080, edit_atom = 0x0081, static_atom = 0x0082;

INT_PTR CALLBACK prompt_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lparam);
        auto* text = reinterpret_cast<std::wstring*>(lparam);
        SetDlgItemTextW(dialog, id_text, text->c_str());
        SendDlgItemMessageW(dialog, id_text, EM_SETSEL, 0, -1);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
        if (LOWORD(wparam) == IDOK) {
            auto* out = reinterpret_cast<std::wstring*>(GetWindowLongPtrW(dialog, DWLP_USER));
            HWND edit = GetDlgItem(dialog, id_text);
            out->resize(std::size_t(GetWindowTextLengthW(edit)) + 1);
            out->resize(std::size_t(GetWindowTextW(edit, out->data(), int(out->size()))));
        }
        EndDialog(dialog, LOWORD(wparam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

std::string ask_text(HWND owner, const std::wstring& title, const std::wstring& label, const std::string& initial) {
    DialogTemplate dialog(title.c_str(), 200, 62, 4);
    dialog.item(SS_LEFT | SS_NOPREFIX, 7, 7, 186, 9, id_label, static_atom, label.c_str());
    dialog.item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 19, 186, 13, id_text, edit_atom, L"");
    dialog.item(BS_DEFPUSHBUTTON | WS_TABSTOP, 89, 41, 50, 14, IDOK, button_atom, L"OK");
    dialog.item(BS_PUSHBUTTON | WS_TABSTOP, 143, 41, 50, 14, IDCANCEL, button_atom, L"Cancel");
    std::wstring typed = sonavel::utf8_to_wide(initial);
    if (DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.get(), owner, prompt_proc,
                                reinterpret_cast<LPARAM>(&typed)) != IDOK)
        return {};
    // Leading and trailing blanks are no part of a name.
    std::size_t first = typed.find_first_not_of(L" \t"), last = typed.find_last_not_of(L" \t");
    if (first == std::wstring::npos) return {};
    return sonavel::wide_to_utf8(typed.substr(first, last - first + 1));
}

std::string ask_field_name(HWND owner) {
    std::wstring field = sonavel::utf8_to_wide(ask_text(owner, L"Column of another field", L"Field name (for example COMPOSER):"));
    // Tags keep field names in capitals.
    for (auto& c : field) c = wchar_t(std::towupper(c));
    return sonavel::wide_to_utf8(field);
}

}  // namespace player
