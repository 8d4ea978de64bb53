#include "panel/window/LibraryValueDialog.h"

#include "resources/library_values_ids.h"
#include "sdk/win/uwin.h"

namespace quennet {
namespace {

struct SeparatorBox {
    int id;
    char separator;
};
constexpr SeparatorBox separator_boxes[] = {
    {IDC_LIBRARY_VALUE_SLASH, '/'}, {IDC_LIBRARY_VALUE_SEMICOLON, ';'}, {IDC_LIBRARY_VALUE_COMMA, ','}};

const char* caption_of(ValueChangeKind kind) {
    switch (kind) {
    case ValueChangeKind::rename:
        return "Rename value in the library";
    case ValueChangeKind::remove:
        return "Remove value from the library";
    case ValueChangeKind::split:
        return "Split value in the library";
    }
    return "Library values";
}

const char* button_of(ValueChangeKind kind) {
    switch (kind) {
    case ValueChangeKind::rename:
        return "Rename";
    case ValueChangeKind::remove:
        return "Remove";
    case ValueChangeKind::split:
        return "Split";
    }
    return "OK";
}

}  // namespace

INT_PTR LibraryValueDialog::dialog_proc(HWND, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        on_init_dialog();
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wparam);
        const int code = HIWORD(wparam);
        if (id == IDOK) {
            on_ok();
            return TRUE;
        }
        if (id == IDCANCEL) {
            EndDialog(window(), IDCANCEL);
            return TRUE;
        }
        if (!filling_ && ((id == IDC_LIBRARY_VALUE_NEW && code == EN_CHANGE) ||
                          (id != IDC_LIBRARY_VALUE_NEW && code == BN_CLICKED))) {
            preview();
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

void LibraryValueDialog::on_init_dialog() {
    filling_ = true;
    carriers_ = carrying_tracks(library_, change_);
    sonavel::uSetWindowText(window(), caption_of(change_.kind));
    sonavel::uSetDlgItemText(window(), IDOK, button_of(change_.kind));
    show_kind_controls();
    if (change_.kind == ValueChangeKind::rename) {
        sonavel::uSetDlgItemText(window(), IDC_LIBRARY_VALUE_NEW,
                                 (change_.new_value.empty() ? change_.value : change_.new_value).c_str());
        SendDlgItemMessageW(window(), IDC_LIBRARY_VALUE_NEW, EM_SETSEL, 0, -1);
    }
    if (change_.kind == ValueChangeKind::split) {
        for (const SeparatorBox& box : separator_boxes) {
            const bool checked = change_.separators.find(box.separator) != std::string::npos;
            CheckDlgButton(window(), box.id, checked ? BST_CHECKED : BST_UNCHECKED);
            // A separator the value does not hold splits nothing: not offered.
            EnableWindow(GetDlgItem(window(), box.id), change_.value.find(box.separator) != std::string::npos);
        }
    }
    filling_ = false;
    preview();
    if (change_.kind == ValueChangeKind::rename) SetFocus(GetDlgItem(window(), IDC_LIBRARY_VALUE_NEW));
}

void LibraryValueDialog::show_kind_controls() {
    const bool rename = change_.kind == ValueChangeKind::rename;
    const bool split = change_.kind == ValueChangeKind::split;
    ShowWindow(GetDlgItem(window(), IDC_LIBRARY_VALUE_LABEL), rename ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(window(), IDC_LIBRARY_VALUE_NEW), rename ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(window(), IDC_LIBRARY_VALUE_SPLIT_LABEL), split ? SW_SHOW : SW_HIDE);
    for (const SeparatorBox& box : separator_boxes) ShowWindow(GetDlgItem(window(), box.id), split ? SW_SHOW : SW_HIDE);
}

void LibraryValueDialog::preview() {
    if (change_.kind == ValueChangeKind::rename)
        change_.new_value = sonavel::uGetDlgItemText(window(), IDC_LIBRARY_VALUE_NEW);
    if (change_.kind == ValueChangeKind::split) {
        change_.separators.clear();
        for (const SeparatorBox& box : separator_boxes)
            if (IsDlgButtonChecked(window(), box.id) == BST_CHECKED) change_.separators += box.separator;
    }
    const std::string refused = refusal(change_);
    plan_ = refused.empty() ? plan_library_change(carriers_, change_, 5, /*with_records=*/false) : LibraryChangePlan{};
    const std::size_t files = plan_.writes.tracks.size();

    std::string summary = refused.empty() ? change_summary(change_, files) : refused;
    std::string names;
    if (refused.empty() && files == 0) summary = "No file of the library carries '" + change_.value + "'.";
    for (const std::string& name : plan_.sample_paths) names += name + "\r\n";
    if (files > plan_.sample_paths.size()) names += "and " + thousands(files - plan_.sample_paths.size()) + " more";
    sonavel::uSetDlgItemText(window(), IDC_LIBRARY_VALUE_SUMMARY, summary.c_str());
    sonavel::uSetDlgItemText(window(), IDC_LIBRARY_VALUE_NOTE, merge_note(change_, plan_.carrying_both).c_str());
    sonavel::uSetDlgItemText(window(), IDC_LIBRARY_VALUE_FILES, names.c_str());
    EnableWindow(GetDlgItem(window(), IDOK), refused.empty() && files > 0);
}

void LibraryValueDialog::on_ok() {
    preview();
    if (!refusal(change_).empty() || plan_.writes.tracks.empty()) return;
    // The records are composed now, from the library as it is.
    plan_ = plan_library_change(library_, change_);
    if (plan_.writes.tracks.empty()) return preview();
    EndDialog(window(), IDOK);
}

}  // namespace quennet
