#include "tests/options/options_fixture.h"

#include <cstring>

#include "presets/OptionsDialog.h"
#include "tests/presets/preset_test_support.h"
#include "resources/resource.h"
#include "sdk/utf8.h"
#include "sdk/win/uwin.h"

namespace options_test {

std::string text(HWND dialog, int id) { return sonavel::uGetDlgItemText(dialog, id); }

void set_text(HWND dialog, int id, const std::string& value) { sonavel::uSetDlgItemText(dialog, id, value.c_str()); }

void type_and_leave(HWND dialog, int id, const std::string& value) {
    SetFocus(GetDlgItem(dialog, id));
    set_text(dialog, id, value);
    SendMessageW(dialog, WM_NEXTDLGCTL, 0, FALSE);
}

void press(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

bool is_checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

bool is_enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

namespace {
std::string entry_at(HWND combo, LRESULT at) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(at), 0);
    std::wstring entry(std::size_t(length < 0 ? 0 : length) + 1, L'\0');
    const LRESULT got = SendMessageW(combo, CB_GETLBTEXT, WPARAM(at), reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(got < 0 ? 0 : std::size_t(got));
    return sonavel::wide_to_utf8(entry);
}
}  // namespace

Strings entries(HWND dialog, int combo) {
    const HWND box = GetDlgItem(dialog, combo);
    Strings out;
    const LRESULT count = SendMessageW(box, CB_GETCOUNT, 0, 0);
    for (LRESULT at = 0; at < count; ++at) out.push_back(entry_at(box, at));
    return out;
}

std::string selected(HWND dialog, int combo) {
    const HWND box = GetDlgItem(dialog, combo);
    const LRESULT at = SendMessageW(box, CB_GETCURSEL, 0, 0);
    return at == CB_ERR ? std::string() : entry_at(box, at);
}

bool has_selection(HWND dialog, int combo) { return SendDlgItemMessageW(dialog, combo, CB_GETCURSEL, 0, 0) != CB_ERR; }

void choose(HWND dialog, int combo, const std::string& entry) {
    const Strings all = entries(dialog, combo);
    for (std::size_t at = 0; at < all.size(); ++at) {
        if (all[at] != entry) continue;
        const HWND box = GetDlgItem(dialog, combo);
        SendMessageW(box, CB_SETCURSEL, at, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
        return;
    }
    ADD_FAILURE() << "no entry " << entry;
}

Strings names_of(const std::vector<quennet::Options>& presets) {
    Strings names;
    for (const auto& preset : presets) names.push_back(preset.name);
    return names;
}

void expect_same_record(const quennet::Options& a, const quennet::Options& b) {
    EXPECT_EQ(a.tags, b.tags);
    preset_test::expect_same_stored_fields(a, b);
}

bool OptionsDialogs::open_options(quennet::VarnelPanel& panel, DialogScript& script) {
    bool result = false;
    script.run([&] { result = quennet::OptionsDialog(panel).create(IDD_OPTIONS, panel.get_window()); });
    return result;
}

quennet::Options OptionsDialogs::full_preset(const std::string& name, const std::string& field) {
    quennet::Options options = preset(name, field, name + " one;" + name + " two");
    options.sort_list = false;
    options.filter_on_focused_tags = true;
    options.doubleclick_action = quennet::Options::add_to_playlist;
    options.scan_fields = name + " scan";
    options.playlist_name = name + " list";
    options.filter_fields = name + " filter";
    options.edge_style = quennet::Options::edge_grey;
    options.sort_order = name + " order";
    options.same_value_fields = name + " same";
    options.global_colors_and_fonts = false;
    options.text_font.height = -21;
    options.text_font.face_name[0] = u'T';
    options.list_font.height = -22;
    options.list_font.face_name[0] = u'L';
    options.text_color = 0x000011;
    options.list_color = 0x000022;
    options.back_color = 0x000033;
    options.list_back_color = 0x000044;
    return options;
}

}  // namespace options_test
