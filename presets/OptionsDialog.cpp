#include "presets/OptionsDialog.h"

#include <utility>

#include "panel/window/VarnelPanel.h"
#include "presets/PresetEdits.h"
#include "presets/PresetNameDialog.h"
#include "resources/resource.h"
#include "sdk/utf8.h"
#include "sdk/win/uwin.h"
#include "ui/Choosers.h"

namespace quennet {
namespace {

constexpr int appearance_buttons[] = {IDC_OPTIONS_TEXT_FONT,  IDC_OPTIONS_LIST_FONT,  IDC_OPTIONS_TEXT_COLOR,
                                      IDC_OPTIONS_LIST_COLOR, IDC_OPTIONS_BACK_COLOR, IDC_OPTIONS_LIST_BACK_COLOR};

int selection_of(HWND combo) {
    const LRESULT at = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return at == CB_ERR ? PresetFields::no_choice : int(at);
}

int entry_count(HWND combo) {
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    return count == CB_ERR ? 0 : int(count);
}

std::string entry_text(HWND combo, int at) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(at), 0);
    if (length == CB_ERR) return {};
    std::wstring text(std::size_t(length) + 1, L'\0');
    const LRESULT got = SendMessageW(combo, CB_GETLBTEXT, WPARAM(at), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == CB_ERR ? 0 : std::size_t(got));
    return sonavel::wide_to_utf8(text);
}

void add_entry(HWND dialog, int id, const char* text) {
    sonavel::uSendDlgItemMessageText(dialog, id, CB_ADDSTRING, 0, text);
}

}  // namespace

INT_PTR OptionsDialog::dialog_proc(HWND, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        on_init_dialog();
        return TRUE;
    case WM_COMMAND:
        return on_command(LOWORD(wparam), HIWORD(wparam)) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

std::string OptionsDialog::selected_preset_name() const {
    const HWND combo = item(IDC_OPTIONS_PRESET);
    const int at = selection_of(combo);
    return at == PresetFields::no_choice ? std::string() : entry_text(combo, at);
}

bool OptionsDialog::preset_name_taken(const std::string& name) const {
    return sonavel::uSendDlgItemMessageText(window(), IDC_OPTIONS_PRESET, CB_FINDSTRINGEXACT, WPARAM(-1),
                                            name.c_str()) != CB_ERR;
}

void OptionsDialog::add_preset(const std::string& name) { add_preset_entry(new_preset(read_fields(), name)); }

bool OptionsDialog::delete_selected_preset(bool reselect) {
    const HWND combo = item(IDC_OPTIONS_PRESET);
    const int at = selection_of(combo);
    if (at == PresetFields::no_choice) return false;
    const std::string name = entry_text(combo, at);
    SendMessageW(combo, CB_DELETESTRING, WPARAM(at), 0);
    erase_first_preset(preset_list, name);
    if (reselect) {
        const int next = position_after_removal(at, entry_count(combo));
        if (next != PresetFields::no_choice) SendMessageW(combo, CB_SETCURSEL, WPARAM(next), 0);
        switch_preset();
    }
    return true;
}

bool OptionsDialog::rename_selected_preset(const std::string& name) {
    const int index = find_preset(preset_list, selected_preset_name());
    const Options old = index >= 0 ? preset_list[std::size_t(index)] : Options();
    if (!delete_selected_preset(false)) return false;
    add_preset_entry(renamed_preset(old, read_fields(), name));
    return true;
}

void OptionsDialog::on_init_dialog() {
    working = panel.current();
    preset_list = panel.presets();
    for (const char* name : edge_style_names()) add_entry(window(), IDC_OPTIONS_EDGE_STYLE, name);
    for (const char* name : doubleclick_action_names()) add_entry(window(), IDC_OPTIONS_DOUBLECLICK, name);
    for (const Options& preset : preset_list) add_entry(window(), IDC_OPTIONS_PRESET, preset.name.c_str());
    // A value list gathered from a large library outgrows an edit box's default limit; a cut list would be
    // stored back cut.
    SendDlgItemMessageW(window(), IDC_OPTIONS_TAGS, EM_SETLIMITTEXT, 0, 0);
    SendDlgItemMessageW(window(), IDC_OPTIONS_SORT_ORDER, EM_SETLIMITTEXT, 0, 0);
    fill_controls();
}

bool OptionsDialog::on_command(WORD id, WORD code) {
    switch (id) {
    case IDOK:
        on_ok();
        return true;
    case IDCANCEL:
        EndDialog(window(), IDCANCEL);
        return true;
    case IDC_OPTIONS_PRESET:
        if (code == CBN_SELCHANGE) switch_preset();
        return true;
    case IDC_OPTIONS_EDGE_STYLE:
        if (code == CBN_SELCHANGE) update_enabled_controls();
        return true;
    case IDC_OPTIONS_FIELD:
        if (code == EN_KILLFOCUS) check_field_change();
        return true;
    default:
        break;
    }
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDC_OPTIONS_NEW:
        run_preset_name_dialog(IDC_OPTIONS_NEW);
        update_enabled_controls();
        return true;
    case IDC_OPTIONS_RENAME:
        run_preset_name_dialog(IDC_OPTIONS_RENAME);
        return true;
    case IDC_OPTIONS_DELETE:
        on_delete();
        return true;
    case IDC_OPTIONS_TEXT_FONT:
        choose_font(working.text_font, working.text_font_dpi, window());
        return true;
    case IDC_OPTIONS_LIST_FONT:
        choose_font(working.list_font, working.list_font_dpi, window());
        return true;
    case IDC_OPTIONS_TEXT_COLOR:
        choose_color(working.text_color, window());
        return true;
    case IDC_OPTIONS_LIST_COLOR:
        choose_color(working.list_color, window());
        return true;
    case IDC_OPTIONS_BACK_COLOR:
        choose_color(working.back_color, window());
        return true;
    case IDC_OPTIONS_LIST_BACK_COLOR:
        choose_color(working.list_back_color, window());
        return true;
    case IDC_OPTIONS_SCAN_LIBRARY:
        // Scanning the library and filtering on the focused track exclude each other.
        if (checked(IDC_OPTIONS_SCAN_LIBRARY)) set_checked(IDC_OPTIONS_FILTER_ON_FOCUSED, false);
        update_enabled_controls();
        return true;
    case IDC_OPTIONS_FILTER_ON_FOCUSED:
        if (checked(IDC_OPTIONS_FILTER_ON_FOCUSED)) set_checked(IDC_OPTIONS_SCAN_LIBRARY, false);
        update_enabled_controls();
        return true;
    case IDC_OPTIONS_GLOBAL_COLORS:
        update_enabled_controls();
        return true;
    default:
        return false;
    }
}

void OptionsDialog::on_ok() {
    check_field_change();
    read_controls(working);
    update_preset(preset_list, working);
    // Copied first and then moved in, which cannot fail half-way: the panel gets both or neither.
    Options current = working;
    std::vector<Options> presets = preset_list;
    panel.current() = std::move(current);
    panel.presets() = std::move(presets);
    EndDialog(window(), IDOK);
}

void OptionsDialog::on_delete() {
    if (sonavel::uMessageBox(window(), "Are you sure?", "Delete preset", MB_YESNO) != IDYES) return;
    if (delete_selected_preset(true)) update_enabled_controls();
}

void OptionsDialog::run_preset_name_dialog(int mode) {
    PresetNameDialog(*this, mode).create(IDD_PRESET_NAME, window());
}

PresetFields OptionsDialog::read_fields() const {
    PresetFields fields;
    const HWND dialog = window();
    fields.metadata_field = sonavel::uGetDlgItemText(dialog, IDC_OPTIONS_FIELD);
    fields.tags = sonavel::uGetDlgItemText(dialog, IDC_OPTIONS_TAGS);
    fields.sort_list = checked(IDC_OPTIONS_SORT_LIST);
    fields.scan_library = checked(IDC_OPTIONS_SCAN_LIBRARY);
    fields.filter_on_focused_tags = checked(IDC_OPTIONS_FILTER_ON_FOCUSED);
    fields.global_colors_and_fonts = checked(IDC_OPTIONS_GLOBAL_COLORS);
    fields.edge_style = selection_of(item(IDC_OPTIONS_EDGE_STYLE));
    fields.doubleclick_action = selection_of(item(IDC_OPTIONS_DOUBLECLICK));
    fields.scan_fields = sonavel::uGetDlgItemText(dialog, IDC_OPTIONS_SCAN_FIELDS);
    fields.playlist_name = sonavel::uGetDlgItemText(dialog, IDC_OPTIONS_PLAYLIST_NAME);
    fields.filter_fields = sonavel::uGetDlgItemText(dialog, IDC_OPTIONS_FILTER_FIELDS);
    fields.sort_order = sonavel::uGetDlgItemText(dialog, IDC_OPTIONS_SORT_ORDER);
    fields.same_value_fields = sonavel::uGetDlgItemText(dialog, IDC_OPTIONS_SAME_VALUE_FIELDS);
    return fields;
}

void OptionsDialog::show_fields(const PresetFields& fields) {
    const HWND dialog = window();
    sonavel::uSetDlgItemText(dialog, IDC_OPTIONS_TAGS, fields.tags.c_str());
    sonavel::uSetDlgItemText(dialog, IDC_OPTIONS_FIELD, fields.metadata_field.c_str());
    set_checked(IDC_OPTIONS_SORT_LIST, fields.sort_list);
    set_checked(IDC_OPTIONS_SCAN_LIBRARY, fields.scan_library);
    set_checked(IDC_OPTIONS_FILTER_ON_FOCUSED, fields.filter_on_focused_tags);
    set_checked(IDC_OPTIONS_GLOBAL_COLORS, fields.global_colors_and_fonts);
    // A position outside the list (a damaged store) leaves no selection, and the value stays as it is.
    SendDlgItemMessageW(dialog, IDC_OPTIONS_EDGE_STYLE, CB_SETCURSEL, WPARAM(fields.edge_style), 0);
    SendDlgItemMessageW(dialog, IDC_OPTIONS_DOUBLECLICK, CB_SETCURSEL, WPARAM(fields.doubleclick_action), 0);
    sonavel::uSetDlgItemText(dialog, IDC_OPTIONS_SCAN_FIELDS, fields.scan_fields.c_str());
    sonavel::uSetDlgItemText(dialog, IDC_OPTIONS_PLAYLIST_NAME, fields.playlist_name.c_str());
    sonavel::uSetDlgItemText(dialog, IDC_OPTIONS_FILTER_FIELDS, fields.filter_fields.c_str());
    sonavel::uSetDlgItemText(dialog, IDC_OPTIONS_SORT_ORDER, fields.sort_order.c_str());
    sonavel::uSetDlgItemText(dialog, IDC_OPTIONS_SAME_VALUE_FIELDS, fields.same_value_fields.c_str());
}

void OptionsDialog::read_controls(Options& options) const { store_fields(read_fields(), options); }

void OptionsDialog::fill_controls() {
    show_fields(fields_of(working));
    select_preset_entry(working.name);
    update_enabled_controls();
}

void OptionsDialog::update_enabled_controls() {
    enable(IDC_OPTIONS_SCAN_FIELDS, checked(IDC_OPTIONS_SCAN_LIBRARY));
    enable(IDC_OPTIONS_FILTER_FIELDS, checked(IDC_OPTIONS_FILTER_ON_FOCUSED));
    enable(IDC_OPTIONS_TAGS, !checked(IDC_OPTIONS_FILTER_ON_FOCUSED));
    const bool any_preset = entry_count(item(IDC_OPTIONS_PRESET)) > 0;
    enable(IDC_OPTIONS_DELETE, any_preset);
    enable(IDC_OPTIONS_RENAME, any_preset);
    enable(IDC_OPTIONS_PRESET, any_preset);
    const bool own_appearance = !checked(IDC_OPTIONS_GLOBAL_COLORS);
    for (int id : appearance_buttons) enable(id, own_appearance);
    // Keyboard users keep a focus when the control that had it was just disabled (Delete of the last preset).
    const HWND focus = GetFocus();
    if (focus && GetParent(focus) == window() && !IsWindowEnabled(focus))
        SendMessageW(window(), WM_NEXTDLGCTL, 0, FALSE);
}

void OptionsDialog::switch_preset() {
    // The controls belong to the preset named like the working copy: keep its edits before showing another.
    const int shown = find_preset(preset_list, working.name);
    if (shown >= 0) read_controls(preset_list[std::size_t(shown)]);
    if (selection_of(item(IDC_OPTIONS_PRESET)) == PresetFields::no_choice) return;
    const int next = find_preset(preset_list, selected_preset_name());
    if (next < 0) return;
    working = preset_list[std::size_t(next)];
    fill_controls();
}

void OptionsDialog::check_field_change() {
    const std::string field = sonavel::uGetDlgItemText(window(), IDC_OPTIONS_FIELD);
    if (field == working.metadata_field) return;
    // The values of one field mean nothing for another.
    sonavel::uSetDlgItemText(window(), IDC_OPTIONS_TAGS, "");
    working.metadata_field = field;
}

void OptionsDialog::select_preset_entry(const std::string& name) {
    // Byte for byte, as presets are found: a combo box's own search also takes entries that merely begin
    // with the name, or differ in case, and would show one preset's name over another's values.
    const HWND combo = item(IDC_OPTIONS_PRESET);
    const int count = entry_count(combo);
    for (int at = 0; at < count; ++at) {
        if (entry_text(combo, at) == name) {
            SendMessageW(combo, CB_SETCURSEL, WPARAM(at), 0);
            return;
        }
    }
}

void OptionsDialog::add_preset_entry(Options preset) {
    const LRESULT at = sonavel::uSendDlgItemMessageText(window(), IDC_OPTIONS_PRESET, CB_ADDSTRING, 0,
                                                        preset.name.c_str());
    preset_list.push_back(std::move(preset));
    if (at >= 0) SendDlgItemMessageW(window(), IDC_OPTIONS_PRESET, CB_SETCURSEL, WPARAM(at), 0);
    switch_preset();
}

bool OptionsDialog::checked(int id) const { return IsDlgButtonChecked(window(), id) == BST_CHECKED; }

void OptionsDialog::set_checked(int id, bool on) { CheckDlgButton(window(), id, on ? BST_CHECKED : BST_UNCHECKED); }

void OptionsDialog::enable(int id, bool on) { EnableWindow(item(id), on ? TRUE : FALSE); }

}  // namespace quennet
