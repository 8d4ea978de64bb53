#include "panel/window/SimilarValuesDialog.h"

#include "resources/library_values_ids.h"
#include "sdk/win/uwin.h"

namespace quennet {

SimilarValuesDialog::SimilarValuesDialog(std::string field, const sonavel::metadb_handle_list& library)
    : Dialog(/*modal=*/true),
      field_(std::move(field)),
      groups_(similar_groups(count_library_values(library, field_))) {}

INT_PTR SimilarValuesDialog::dialog_proc(HWND, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        on_init_dialog();
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDC_SIMILAR_VALUES_KEEP:
        case IDOK:
            on_keep();
            return TRUE;
        case IDCANCEL:
            EndDialog(window(), IDCANCEL);
            return TRUE;
        case IDC_SIMILAR_VALUES_LIST:
            if (HIWORD(wparam) == LBN_SELCHANGE) on_selection();
            if (HIWORD(wparam) == LBN_DBLCLK) on_keep();
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

void SimilarValuesDialog::on_init_dialog() {
    const std::string label =
        groups_.empty() ? "No values of " + field_ + " in the library differ only in case, accents, spaces or punctuation."
                        : std::to_string(groups_.size()) + (groups_.size() == 1 ? " group" : " groups") +
                              " of similar values of " + field_ +
                              ". Select the value to keep: the others of its group are merged into it.";
    sonavel::uSetDlgItemText(window(), IDC_SIMILAR_VALUES_LABEL, label.c_str());
    const HWND list = GetDlgItem(window(), IDC_SIMILAR_VALUES_LIST);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        std::size_t files = 0;
        for (const ValueCount& v : groups_[g]) files += v.files;
        lines_.push_back({g, std::string::npos});
        sonavel::uSendDlgItemMessageText(window(), IDC_SIMILAR_VALUES_LIST, LB_ADDSTRING, 0,
                                         (std::to_string(groups_[g].size()) + " values, " + thousands(files) + " files:").c_str());
        for (std::size_t v = 0; v < groups_[g].size(); ++v) {
            const ValueCount& value = groups_[g][v];
            lines_.push_back({g, v});
            const std::string text =
                "      " + value.value + "  (" + thousands(value.files) + (value.files == 1 ? " file)" : " files)");
            sonavel::uSendDlgItemMessageText(window(), IDC_SIMILAR_VALUES_LIST, LB_ADDSTRING, 0, text.c_str());
        }
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    on_selection();
}

bool SimilarValuesDialog::selected(std::size_t& group, std::size_t& value) const {
    const LRESULT line = SendDlgItemMessageW(window(), IDC_SIMILAR_VALUES_LIST, LB_GETCURSEL, 0, 0);
    if (line < 0 || std::size_t(line) >= lines_.size() || lines_[std::size_t(line)].value == std::string::npos) return false;
    group = lines_[std::size_t(line)].group;
    value = lines_[std::size_t(line)].value;
    return true;
}

void SimilarValuesDialog::on_selection() {
    std::size_t group = 0, value = 0;
    EnableWindow(GetDlgItem(window(), IDC_SIMILAR_VALUES_KEEP), selected(group, value));
}

void SimilarValuesDialog::on_keep() {
    if (!selected(kept_group_, kept_value_)) return;
    EndDialog(window(), IDOK);
}

LibraryValueChange SimilarValuesDialog::merge() const {
    LibraryValueChange change;
    change.kind = ValueChangeKind::rename;
    change.field = field_;
    if (kept_group_ >= groups_.size()) return change;
    const SimilarGroup& group = groups_[kept_group_];
    change.value = group[kept_value_].value;
    change.new_value = change.value;
    for (std::size_t v = 0; v < group.size(); ++v)
        if (v != kept_value_) change.more_values.push_back(group[v].value);
    return change;
}

}  // namespace quennet
