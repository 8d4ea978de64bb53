// The Options dialog on a docked panel: what it shows, what OK hands back and Cancel does not, and how its
// controls depend on each other. Driven through real messages inside its modal loop.
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "panel/model/PanelMenuItems.h"
#include "panel/window/PanelMenu.h"
#include "resources/resource.h"
#include "tests/harness/message_box.h"
#include "tests/options/options_fixture.h"

namespace options_test {
namespace {

using quennet::Options;

using OptionsDialogShows = OptionsDialogs;

TEST_F(OptionsDialogShows, ThePanelsCurrentRecordInItsControls) {
    Options current = full_preset("Moods", "MOOD");
    current.filter_on_focused_tags = false;
    current.scan_library = true;
    auto& panel = docked_panel(current, {preset("Zeta", "Z"), current, preset("Alpha", "A")});
    std::wstring title;
    Strings presets, edges, actions;
    std::string shown_preset, tags, field, edge, action;
    bool sort_list = true, scan = false, filter = true, global = true;
    DialogScript script;
    script.in(options_title, [&](HWND d) {
        title = harness::window_text(d);
        presets = entries(d, IDC_OPTIONS_PRESET);
        shown_preset = selected(d, IDC_OPTIONS_PRESET);
        edges = entries(d, IDC_OPTIONS_EDGE_STYLE);
        actions = entries(d, IDC_OPTIONS_DOUBLECLICK);
        edge = selected(d, IDC_OPTIONS_EDGE_STYLE);
        action = selected(d, IDC_OPTIONS_DOUBLECLICK);
        tags = text(d, IDC_OPTIONS_TAGS);
        field = text(d, IDC_OPTIONS_FIELD);
        sort_list = is_checked(d, IDC_OPTIONS_SORT_LIST);
        scan = is_checked(d, IDC_OPTIONS_SCAN_LIBRARY);
        filter = is_checked(d, IDC_OPTIONS_FILTER_ON_FOCUSED);
        global = is_checked(d, IDC_OPTIONS_GLOBAL_COLORS);
        EXPECT_EQ(text(d, IDC_OPTIONS_SCAN_FIELDS), "Moods scan");
        EXPECT_EQ(text(d, IDC_OPTIONS_FILTER_FIELDS), "Moods filter");
        EXPECT_EQ(text(d, IDC_OPTIONS_SAME_VALUE_FIELDS), "Moods same");
        EXPECT_EQ(text(d, IDC_OPTIONS_PLAYLIST_NAME), "Moods list");
        EXPECT_EQ(text(d, IDC_OPTIONS_SORT_ORDER), "Moods order");
        press(d, IDCANCEL);
    });
    EXPECT_FALSE(open_options(panel, script));
    EXPECT_EQ(title, L"Varnel Panel Options");
    EXPECT_EQ(presets, (Strings{"Alpha", "Moods", "Zeta"}));
    EXPECT_EQ(shown_preset, "Moods");
    EXPECT_EQ(edges, (Strings{"None", "Grey", "Sunken"}));
    EXPECT_EQ(actions, (Strings{"Add to playlist", "Replace playlist"}));
    EXPECT_EQ(edge, "Grey");
    EXPECT_EQ(action, "Add to playlist");
    EXPECT_EQ(tags, "Moods one\r\nMoods two");
    EXPECT_EQ(field, "MOOD");
    EXPECT_FALSE(sort_list);
    EXPECT_TRUE(scan);
    EXPECT_FALSE(filter);
    EXPECT_FALSE(global);
}

TEST_F(OptionsDialogShows, NoOtherPresetForACurrentRecordWhosePresetIsGone) {
    // The current record still carries the name of a deleted preset; another preset's name begins
    // with it. Showing that one's name over the current values would let Rename and Delete act on it.
    auto& panel = docked_panel(preset("Rock", "GENRE", "Stoner"), {preset("Rock Classics", "STYLE"), preset("rock", "X")});
    bool selection = true;
    std::string field;
    DialogScript script;
    script.in(options_title, [&](HWND d) {
        selection = has_selection(d, IDC_OPTIONS_PRESET);
        field = text(d, IDC_OPTIONS_FIELD);
        press(d, IDCANCEL);
    });
    open_options(panel, script);
    EXPECT_FALSE(selection);
    EXPECT_EQ(field, "GENRE");
}

using OptionsDialogHandsBack = OptionsDialogs;

TEST_F(OptionsDialogHandsBack, NothingOnCancelEvenAfterEditsAndPresetChanges) {
    auto& panel = docked_panel(full_preset("A", "GENRE"), {full_preset("A", "GENRE"), full_preset("B", "MOOD")});
    const Options before = panel.current();
    const std::vector<Options> presets_before = panel.presets();
    harness::MessageBoxAnswerer boxes({IDYES});
    DialogScript script;
    script
        .in(options_title,
            [&](HWND d) {
                type_and_leave(d, IDC_OPTIONS_FIELD, "STYLE");
                set_text(d, IDC_OPTIONS_TAGS, "x\r\ny");
                press(d, IDC_OPTIONS_SORT_LIST);
                press(d, IDC_OPTIONS_GLOBAL_COLORS);
                set_text(d, IDC_OPTIONS_PLAYLIST_NAME, "changed");
                press(d, IDC_OPTIONS_NEW);
            })
        .in(new_title,
            [&](HWND d) {
                set_text(d, IDC_PRESET_NAME_TEXT, "C");
                press(d, IDOK);
            })
        .in(options_title, [&](HWND d) { press(d, IDC_OPTIONS_DELETE); })
        .in(options_title,
            [&](HWND d) {
                choose(d, IDC_OPTIONS_PRESET, "B");
                press(d, IDC_OPTIONS_RENAME);
            })
        .in(rename_title,
            [&](HWND d) {
                set_text(d, IDC_PRESET_NAME_TEXT, "D");
                press(d, IDOK);
            })
        .in(options_title, [&](HWND d) {
            EXPECT_EQ(entries(d, IDC_OPTIONS_PRESET), (Strings{"A", "D"}));
            press(d, IDCANCEL);
        });
    EXPECT_FALSE(open_options(panel, script));
    EXPECT_EQ(boxes.answered(), 1u);
    expect_same_record(panel.current(), before);
    ASSERT_EQ(panel.presets().size(), presets_before.size());
    for (std::size_t i = 0; i < presets_before.size(); ++i) expect_same_record(panel.presets()[i], presets_before[i]);
}

TEST_F(OptionsDialogHandsBack, NothingWhenClosedWithTheCloseBox) {
    auto& panel = docked_panel(preset("A", "GENRE", "Pop"), {preset("A", "GENRE", "Pop")});
    DialogScript script;
    script.in(options_title, [&](HWND d) {
        set_text(d, IDC_OPTIONS_TAGS, "Other");
        SendMessageW(d, WM_CLOSE, 0, 0);
    });
    EXPECT_FALSE(open_options(panel, script));
    EXPECT_EQ(panel.current().tags, (Strings{"Pop"}));
    EXPECT_EQ(panel.presets()[0].tags, (Strings{"Pop"}));
}

TEST_F(OptionsDialogHandsBack, EveryControlOnOkToTheCurrentRecordAndItsPreset) {
    auto& panel = docked_panel(preset("A", "GENRE", "Pop"), {preset("A", "GENRE", "Pop"), preset("B", "MOOD", "Calm")});
    DialogScript script;
    script.in(options_title, [&](HWND d) {
        type_and_leave(d, IDC_OPTIONS_FIELD, "STYLE");
        set_text(d, IDC_OPTIONS_TAGS, "Rock\r\nJazz");
        press(d, IDC_OPTIONS_SORT_LIST);
        press(d, IDC_OPTIONS_SCAN_LIBRARY);
        set_text(d, IDC_OPTIONS_SCAN_FIELDS, "GENRE;MOOD");
        set_text(d, IDC_OPTIONS_FILTER_FIELDS, "ARTIST");
        set_text(d, IDC_OPTIONS_SAME_VALUE_FIELDS, "ALBUM");
        press(d, IDC_OPTIONS_GLOBAL_COLORS);
        choose(d, IDC_OPTIONS_EDGE_STYLE, "None");
        choose(d, IDC_OPTIONS_DOUBLECLICK, "Add to playlist");
        set_text(d, IDC_OPTIONS_PLAYLIST_NAME, "Styles");
        set_text(d, IDC_OPTIONS_SORT_ORDER, "%artist%\r\n%title%");
        press(d, IDOK);
    });
    EXPECT_TRUE(open_options(panel, script));
    const Options& current = panel.current();
    EXPECT_EQ(current.name, "A");
    EXPECT_EQ(current.metadata_field, "STYLE");
    EXPECT_EQ(current.tags, (Strings{"Rock", "Jazz"}));
    EXPECT_FALSE(current.sort_list);
    EXPECT_TRUE(current.scan_library);
    EXPECT_FALSE(current.filter_on_focused_tags);
    EXPECT_EQ(current.scan_fields, "GENRE;MOOD");
    EXPECT_EQ(current.filter_fields, "ARTIST");
    EXPECT_EQ(current.same_value_fields, "ALBUM");
    EXPECT_FALSE(current.global_colors_and_fonts);
    EXPECT_EQ(current.edge_style, Options::edge_none);
    EXPECT_EQ(current.doubleclick_action, Options::add_to_playlist);
    EXPECT_EQ(current.playlist_name, "Styles");
    EXPECT_EQ(current.sort_order, "%artist%\r\n%title%");
    ASSERT_EQ(names_of(panel.presets()), (Strings{"A", "B"}));
    expect_same_record(panel.presets()[0], current);
    EXPECT_EQ(panel.presets()[1].metadata_field, "MOOD");
}

TEST_F(OptionsDialogHandsBack, TheControlsOfAPanelWithoutPresetsWithAnEmptyName) {
    auto& panel = docked_panel(preset("", "GENRE"));
    bool combo = true, remove = true, rename = true, add = false;
    DialogScript script;
    script.in(options_title, [&](HWND d) {
        combo = is_enabled(d, IDC_OPTIONS_PRESET);
        remove = is_enabled(d, IDC_OPTIONS_DELETE);
        rename = is_enabled(d, IDC_OPTIONS_RENAME);
        add = is_enabled(d, IDC_OPTIONS_NEW);
        set_text(d, IDC_OPTIONS_TAGS, "Pop");
        press(d, IDOK);
    });
    EXPECT_TRUE(open_options(panel, script));
    EXPECT_FALSE(combo);
    EXPECT_FALSE(remove);
    EXPECT_FALSE(rename);
    EXPECT_TRUE(add);
    EXPECT_EQ(panel.current().name, "");
    EXPECT_EQ(panel.current().tags, (Strings{"Pop"}));
    EXPECT_TRUE(panel.presets().empty());
}

TEST_F(OptionsDialogHandsBack, ValuesOnePerLineTrimmedWithoutBlankLinesSortedWhenAsked) {
    auto& panel = docked_panel(preset("", "GENRE"));
    DialogScript script;
    script.in(options_title, [&](HWND d) {
        set_text(d, IDC_OPTIONS_TAGS, "b\r\n\r\na\r\n b \r\n   \r\n Nordic Folk\t\r\nb\r\n");
        press(d, IDOK);
    });
    open_options(panel, script);
    EXPECT_EQ(panel.current().tags, (Strings{"a", "b", "Nordic Folk"}));

    DialogScript unsorted;
    unsorted.in(options_title, [&](HWND d) {
        press(d, IDC_OPTIONS_SORT_LIST);
        set_text(d, IDC_OPTIONS_TAGS, "b\r\n\r\na\r\n");
        press(d, IDOK);
    });
    open_options(panel, unsorted);
    EXPECT_FALSE(panel.current().sort_list);
    EXPECT_EQ(panel.current().tags, (Strings{"b", "a"}));
}

TEST_F(OptionsDialogHandsBack, AValueFromAFileLeftAsShownKeepsItsSpaces) {
    // The selection brought " Acoustic" from a file: OK must not turn it into a value no file carries.
    auto& panel = docked_panel(preset("", "GENRE", " Acoustic;Jazz"));
    DialogScript script;
    script.in(options_title, [&](HWND d) { press(d, IDOK); });
    open_options(panel, script);
    EXPECT_EQ(panel.current().tags, (Strings{" Acoustic", "Jazz"}));
}

TEST_F(OptionsDialogHandsBack, ALongValueListWhole) {
    // A library scan gathers thousands of values: far more text than an edit box takes by default.
    std::string values;
    for (int i = 0; i < 6000; ++i) values += (i ? ";" : "") + std::string("Value number ") + std::to_string(10000 + i);
    auto& panel = docked_panel(preset("", "GENRE", values));
    ASSERT_EQ(panel.current().tags.size(), 6000u);
    DialogScript script;
    script.in(options_title, [&](HWND d) {
        const int end = GetWindowTextLengthW(GetDlgItem(d, IDC_OPTIONS_TAGS));
        SendDlgItemMessageW(d, IDC_OPTIONS_TAGS, EM_SETSEL, WPARAM(end), end);
        SendDlgItemMessageW(d, IDC_OPTIONS_TAGS, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\r\nTyped"));
        press(d, IDOK);
    });
    open_options(panel, script);
    ASSERT_EQ(panel.current().tags.size(), 6001u);
    EXPECT_EQ(panel.current().tags.front(), "Typed");
    EXPECT_EQ(panel.current().tags.back(), "Value number 15999");
}

TEST_F(OptionsDialogHandsBack, ADamagedEdgeStyleUnchangedWithNothingSelected) {
    Options current = preset("", "GENRE");
    current.edge_style = 7;
    auto& panel = docked_panel(current);
    bool selection = true;
    DialogScript script;
    script.in(options_title, [&](HWND d) {
        selection = has_selection(d, IDC_OPTIONS_EDGE_STYLE);
        press(d, IDOK);
    });
    open_options(panel, script);
    EXPECT_FALSE(selection);
    EXPECT_EQ(panel.current().edge_style, 7);
}

using OptionsDialogEdits = OptionsDialogs;

TEST_F(OptionsDialogEdits, BelongToTheShownPresetWhenAnotherIsSelected) {
    auto& panel = docked_panel(preset("A", "GENRE", "Pop"), {preset("A", "GENRE", "Pop"), preset("B", "MOOD", "Calm")});
    std::string field_of_b, playlist_of_a_again;
    DialogScript script;
    script.in(options_title, [&](HWND d) {
        set_text(d, IDC_OPTIONS_PLAYLIST_NAME, "Edited");
        choose(d, IDC_OPTIONS_PRESET, "B");
        field_of_b = text(d, IDC_OPTIONS_FIELD);
        EXPECT_EQ(text(d, IDC_OPTIONS_PLAYLIST_NAME), "");
        choose(d, IDC_OPTIONS_PRESET, "A");
        playlist_of_a_again = text(d, IDC_OPTIONS_PLAYLIST_NAME);
        choose(d, IDC_OPTIONS_PRESET, "B");
        press(d, IDOK);
    });
    EXPECT_TRUE(open_options(panel, script));
    EXPECT_EQ(field_of_b, "MOOD");
    EXPECT_EQ(playlist_of_a_again, "Edited");
    EXPECT_EQ(panel.current().name, "B");
    EXPECT_EQ(panel.current().metadata_field, "MOOD");
    EXPECT_EQ(panel.presets()[0].playlist_name, "Edited");
}

TEST_F(OptionsDialogEdits, ChangingTheFieldEmptiesTheValuesOnLeavingTheBox) {
    auto& panel = docked_panel(preset("A", "GENRE", "Pop;Rock"), {preset("A", "GENRE", "Pop;Rock")});
    std::string tags_after_leaving = "unread";
    DialogScript script;
    script.in(options_title, [&](HWND d) {
        type_and_leave(d, IDC_OPTIONS_FIELD, "MOOD");
        tags_after_leaving = text(d, IDC_OPTIONS_TAGS);
        press(d, IDOK);
    });
    open_options(panel, script);
    EXPECT_EQ(tags_after_leaving, "");
    EXPECT_EQ(panel.current().metadata_field, "MOOD");
    EXPECT_TRUE(panel.current().tags.empty());
    EXPECT_TRUE(panel.presets()[0].tags.empty());
}

TEST_F(OptionsDialogEdits, ChangingTheFieldAndPressingEnterInTheBoxEmptiesTheValues) {
    auto& panel = docked_panel(preset("A", "GENRE", "Pop;Rock"));
    DialogScript script;
    script.in(options_title, [&](HWND d) {
        SetFocus(GetDlgItem(d, IDC_OPTIONS_FIELD));
        set_text(d, IDC_OPTIONS_FIELD, "MOOD");
        // Enter in a single-line box is the default button's command, without a focus change.
        SendMessageW(d, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(open_options(panel, script));
    EXPECT_EQ(panel.current().metadata_field, "MOOD");
    EXPECT_TRUE(panel.current().tags.empty());
}

TEST_F(OptionsDialogEdits, ScanAndFilterExcludeEachOtherAndEnableTheirBoxes) {
    Options current = preset("", "GENRE");
    auto& panel = docked_panel(current);
    DialogScript script;
    script.in(options_title, [&](HWND d) {
        EXPECT_FALSE(is_enabled(d, IDC_OPTIONS_SCAN_FIELDS));
        EXPECT_FALSE(is_enabled(d, IDC_OPTIONS_FILTER_FIELDS));
        EXPECT_TRUE(is_enabled(d, IDC_OPTIONS_TAGS));

        press(d, IDC_OPTIONS_FILTER_ON_FOCUSED);
        EXPECT_TRUE(is_checked(d, IDC_OPTIONS_FILTER_ON_FOCUSED));
        EXPECT_TRUE(is_enabled(d, IDC_OPTIONS_FILTER_FIELDS));
        EXPECT_FALSE(is_enabled(d, IDC_OPTIONS_TAGS));

        press(d, IDC_OPTIONS_SCAN_LIBRARY);
        EXPECT_TRUE(is_checked(d, IDC_OPTIONS_SCAN_LIBRARY));
        EXPECT_FALSE(is_checked(d, IDC_OPTIONS_FILTER_ON_FOCUSED));
        EXPECT_TRUE(is_enabled(d, IDC_OPTIONS_SCAN_FIELDS));
        EXPECT_FALSE(is_enabled(d, IDC_OPTIONS_FILTER_FIELDS));
        EXPECT_TRUE(is_enabled(d, IDC_OPTIONS_TAGS));

        press(d, IDC_OPTIONS_FILTER_ON_FOCUSED);
        EXPECT_FALSE(is_checked(d, IDC_OPTIONS_SCAN_LIBRARY));
        EXPECT_FALSE(is_enabled(d, IDC_OPTIONS_SCAN_FIELDS));
        EXPECT_FALSE(is_enabled(d, IDC_OPTIONS_TAGS));
        press(d, IDOK);
    });
    open_options(panel, script);
    EXPECT_TRUE(panel.current().filter_on_focused_tags);
    EXPECT_FALSE(panel.current().scan_library);
}

TEST_F(OptionsDialogEdits, GlobalColorsAndFontsDisableTheSixAppearanceButtons) {
    auto& panel = docked_panel(preset("", "GENRE"));
    const int buttons[] = {IDC_OPTIONS_TEXT_FONT,  IDC_OPTIONS_LIST_FONT,  IDC_OPTIONS_TEXT_COLOR,
                           IDC_OPTIONS_LIST_COLOR, IDC_OPTIONS_BACK_COLOR, IDC_OPTIONS_LIST_BACK_COLOR};
    DialogScript script;
    script.in(options_title, [&](HWND d) {
        EXPECT_TRUE(is_checked(d, IDC_OPTIONS_GLOBAL_COLORS));
        for (int id : buttons) EXPECT_FALSE(is_enabled(d, id)) << id;
        press(d, IDC_OPTIONS_GLOBAL_COLORS);
        for (int id : buttons) EXPECT_TRUE(is_enabled(d, id)) << id;
        press(d, IDC_OPTIONS_GLOBAL_COLORS);
        for (int id : buttons) EXPECT_FALSE(is_enabled(d, id)) << id;
        press(d, IDCANCEL);
    });
    open_options(panel, script);
}

using OptionsDialogChoosers = OptionsDialogs;

TEST_F(OptionsDialogChoosers, TheTextFontChooserOpensAndCancelKeepsTheFont) {
    auto& panel = docked_panel(full_preset("A", "GENRE"));
    const Options before = panel.current();
    bool chooser_seen = false;
    DialogScript script;
    script.in(options_title, [&](HWND d) { press(d, IDC_OPTIONS_TEXT_FONT); })
        .in(chooser_over(options_title), "the font chooser",
            [&](HWND chooser) {
                chooser_seen = true;
                press(chooser, IDCANCEL);
            })
        .in(options_title, [&](HWND d) { press(d, IDOK); });
    EXPECT_TRUE(open_options(panel, script));
    EXPECT_TRUE(chooser_seen);
    EXPECT_TRUE(same_font(panel.current().text_font, before.text_font));
    EXPECT_TRUE(same_font(panel.current().list_font, before.list_font));
}

// The colour chooser's boxes for red, green and blue.
constexpr int chooser_red = 706, chooser_green = 707, chooser_blue = 708;

void choose_colour_in(HWND chooser, int red, int green, int blue) {
    set_text(chooser, chooser_red, std::to_string(red));
    set_text(chooser, chooser_green, std::to_string(green));
    set_text(chooser, chooser_blue, std::to_string(blue));
    press(chooser, IDOK);
}

TEST_F(OptionsDialogChoosers, AChosenColourReachesThePanelOnOk) {
    auto& panel = docked_panel(full_preset("A", "GENRE"), {full_preset("A", "GENRE")});
    DialogScript script;
    script.in(options_title, [&](HWND d) { press(d, IDC_OPTIONS_BACK_COLOR); })
        .in(chooser_over(options_title), "the colour chooser", [&](HWND c) { choose_colour_in(c, 1, 2, 3); })
        .in(options_title, [&](HWND d) { press(d, IDC_OPTIONS_LIST_COLOR); })
        .in(chooser_over(options_title), "the colour chooser", [&](HWND c) { press(c, IDCANCEL); })
        .in(options_title, [&](HWND d) { press(d, IDOK); });
    EXPECT_TRUE(open_options(panel, script));
    EXPECT_EQ(panel.current().back_color, RGB(1, 2, 3));
    EXPECT_EQ(panel.current().list_color, 0x000022u);
    EXPECT_EQ(panel.presets()[0].back_color, RGB(1, 2, 3));
}

// The colour chooser's "Add to Custom Colors" button and its box of custom colours.
constexpr int chooser_add_custom = 712, chooser_custom_colours = 721;

// A click on the first of the chooser's custom colours, which makes it the chosen colour.
void click_first_custom_colour(HWND chooser) {
    RECT box{};
    GetWindowRect(GetDlgItem(chooser, chooser_custom_colours), &box);
    MapWindowPoints(nullptr, chooser, reinterpret_cast<POINT*>(&box), 2);
    const LPARAM at = MAKELPARAM(box.left + 4, box.top + 4);
    SendMessageW(chooser, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(chooser, WM_LBUTTONUP, 0, at);
}

TEST_F(OptionsDialogChoosers, TheColourChooserOpensWithBlackCustomColoursEveryTime) {
    auto& panel = docked_panel(full_preset("A", "GENRE"), {full_preset("A", "GENRE")});
    DialogScript script;
    script.in(options_title, [&](HWND d) { press(d, IDC_OPTIONS_BACK_COLOR); })
        .in(chooser_over(options_title), "the colour chooser",
            [&](HWND c) {
                set_text(c, chooser_red, "10");
                set_text(c, chooser_green, "20");
                set_text(c, chooser_blue, "30");
                press(c, chooser_add_custom);
                press(c, IDOK);
            })
        .in(options_title, [&](HWND d) { press(d, IDC_OPTIONS_TEXT_COLOR); })
        .in(chooser_over(options_title), "the colour chooser",
            [&](HWND c) {
                click_first_custom_colour(c);
                press(c, IDOK);
            })
        .in(options_title, [&](HWND d) { press(d, IDOK); });
    EXPECT_TRUE(open_options(panel, script));
    EXPECT_EQ(panel.current().back_color, RGB(10, 20, 30));
    EXPECT_EQ(panel.current().text_color, 0u) << "the custom colour added before is not offered again";
}

int CALLBACK keep_face(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM found) {
    if (font->lfFaceName[0] != L'@' && (type & TRUETYPE_FONTTYPE))
        *reinterpret_cast<std::wstring*>(found) = font->lfFaceName;
    return 1;
}

// The face name of the last screen font family the system lists: one the chooser does not show first.
std::wstring last_screen_font() {
    std::wstring last;
    LOGFONTW any{};
    any.lfCharSet = DEFAULT_CHARSET;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &any, keep_face, reinterpret_cast<LPARAM>(&last), 0);
    ReleaseDC(nullptr, screen);
    return last;
}

TEST_F(OptionsDialogChoosers, TheFontChooserStartsAtThePresetsFont) {
    const std::wstring face = last_screen_font();
    ASSERT_FALSE(face.empty());
    Options preset = full_preset("A", "GENRE");
    std::fill(std::begin(preset.text_font.face_name), std::end(preset.text_font.face_name), u'\0');
    std::copy(face.begin(), face.end(), preset.text_font.face_name);
    auto& panel = docked_panel(preset, {preset});
    constexpr int chooser_face = 1136;  // the chooser's font name box
    std::wstring face_shown;
    DialogScript script;
    script.in(options_title, [&](HWND d) { press(d, IDC_OPTIONS_TEXT_FONT); })
        .in(chooser_over(options_title), "the font chooser",
            [&](HWND c) {
                wchar_t text[64] = {};
                GetDlgItemTextW(c, chooser_face, text, 64);
                face_shown = text;
                press(c, IDCANCEL);
            })
        .in(options_title, [&](HWND d) { press(d, IDOK); });
    EXPECT_TRUE(open_options(panel, script));
    EXPECT_EQ(face_shown, face);
    EXPECT_TRUE(same_font(panel.current().text_font, preset.text_font));
}

TEST_F(OptionsDialogChoosers, AChosenColourIsDroppedBySelectingAnotherPresetAndBack) {
    auto& panel = docked_panel(full_preset("A", "GENRE"), {full_preset("A", "GENRE"), full_preset("B", "MOOD")});
    DialogScript script;
    script.in(options_title, [&](HWND d) { press(d, IDC_OPTIONS_TEXT_COLOR); })
        .in(chooser_over(options_title), "the colour chooser", [&](HWND c) { choose_colour_in(c, 9, 8, 7); })
        .in(options_title, [&](HWND d) {
            choose(d, IDC_OPTIONS_PRESET, "B");
            choose(d, IDC_OPTIONS_PRESET, "A");
            press(d, IDOK);
        });
    EXPECT_TRUE(open_options(panel, script));
    EXPECT_EQ(panel.current().text_color, 0x000011u);
}

}  // namespace
}  // namespace options_test

namespace options_test {
namespace {

using OptionsFromTheMenu = OptionsDialogs;

TEST_F(OptionsFromTheMenu, OkRefillsTheListAndAppliesTheNewLook) {
    playlist({{"Rock"}}, {0});
    auto& panel = docked_panel(preset("A", "GENRE"), {preset("A", "GENRE")});
    const HWND list = GetDlgItem(panel.get_window(), IDC_PANEL_VALUE_LIST);
    DialogScript script;
    script.in(options_title, [&](HWND d) {
        set_text(d, IDC_OPTIONS_TAGS, "Jazz");
        choose(d, IDC_OPTIONS_EDGE_STYLE, "None");
        press(d, IDC_OPTIONS_SCAN_LIBRARY);
        press(d, IDOK);
    });
    script.run([&] { quennet::run_panel_command(panel, quennet::command_options); });
    settle();
    EXPECT_EQ(rows(list), (std::vector<std::wstring>{L"Jazz", L"Rock"}));
    EXPECT_EQ(GetWindowLongPtrW(list, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), 0);
    EXPECT_TRUE(panel.registered_for_library()) << "the library registration follows the preset";
}

TEST_F(OptionsFromTheMenu, CancelChangesNothing) {
    playlist({{"Rock"}}, {0});
    auto& panel = docked_panel(preset("A", "GENRE"), {preset("A", "GENRE")});
    const unsigned fills = panel.model()->fills_started();
    DialogScript script;
    script.in(options_title, [&](HWND d) {
        set_text(d, IDC_OPTIONS_TAGS, "Jazz");
        press(d, IDCANCEL);
    });
    script.run([&] { quennet::run_panel_command(panel, quennet::command_options); });
    settle();
    EXPECT_EQ(panel.model()->fills_started(), fills);
    EXPECT_EQ(panel.current().tags, (std::vector<std::string>{"Rock"}));
}

}  // namespace
}  // namespace options_test
