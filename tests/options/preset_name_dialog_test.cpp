// New, Rename and Delete in the Options dialog: the preset-name dialog's checks and messages, the delete
// confirmation, and what reaches the panel on OK. Driven through real messages inside the modal loops.
#include <windows.h>

#include "resources/resource.h"
#include "tests/harness/message_box.h"
#include "tests/options/options_fixture.h"

namespace options_test {
namespace {

using quennet::Options;

const std::wstring empty_name = L"Please, enter a preset name.";
const std::wstring name_exists = L"The preset name already exists.";

// Types `name` into the preset-name dialog and presses OK.
DialogScript::Action enter_name(const std::string& name) {
    return [name](HWND d) {
        set_text(d, IDC_PRESET_NAME_TEXT, name);
        press(d, IDOK);
    };
}

void expect_refusal(const harness::AnsweredBox& box, const std::wstring& text) {
    EXPECT_EQ(box.caption, L"quennet");
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.button_ids(), (std::vector<int>{IDOK}));
}

using NewPreset = OptionsDialogs;

TEST_F(NewPreset, RefusesAnEmptyNameAndStaysOpenThenTakesTheControlsValues) {
    auto& panel = docked_panel(preset("", "GENRE", "Pop"));
    harness::MessageBoxAnswerer boxes({IDOK});
    std::wstring title;
    std::string proposed = "unread";
    bool combo_enabled = false;
    std::string shown;
    DialogScript script;
    script
        .in(options_title,
            [&](HWND d) {
                set_text(d, IDC_OPTIONS_TAGS, "Rock\r\nPop");
                press(d, IDC_OPTIONS_NEW);
            })
        .in(new_title,
            [&](HWND d) {
                title = harness::window_text(d);
                proposed = text(d, IDC_PRESET_NAME_TEXT);
                press(d, IDOK);
            })
        .in(new_title, enter_name("Jazz"))
        .in(options_title, [&](HWND d) {
            combo_enabled = is_enabled(d, IDC_OPTIONS_PRESET) && is_enabled(d, IDC_OPTIONS_DELETE) &&
                            is_enabled(d, IDC_OPTIONS_RENAME);
            shown = selected(d, IDC_OPTIONS_PRESET);
            press(d, IDOK);
        });
    EXPECT_TRUE(open_options(panel, script));
    EXPECT_EQ(title, L"New preset");
    EXPECT_EQ(proposed, "");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    expect_refusal(boxes.boxes()[0], empty_name);
    EXPECT_TRUE(combo_enabled);
    EXPECT_EQ(shown, "Jazz");
    ASSERT_EQ(names_of(panel.presets()), (Strings{"Jazz"}));
    EXPECT_EQ(panel.presets()[0].tags, (Strings{"Pop", "Rock"}));
    EXPECT_EQ(panel.current().name, "Jazz");
    EXPECT_EQ(panel.current().tags, (Strings{"Pop", "Rock"}));
}

TEST_F(NewPreset, RefusesANameThatDiffersOnlyInCaseAndCancelAddsNothing) {
    auto& panel = docked_panel(preset("rock", "GENRE"), {preset("rock", "GENRE")});
    harness::MessageBoxAnswerer boxes({IDOK});
    Strings listed;
    DialogScript script;
    script.in(options_title, [&](HWND d) { press(d, IDC_OPTIONS_NEW); })
        .in(new_title, enter_name("Rock"))
        .in(new_title, [&](HWND d) {
            set_text(d, IDC_PRESET_NAME_TEXT, "Other");
            press(d, IDCANCEL);
        })
        .in(options_title, [&](HWND d) {
            listed = entries(d, IDC_OPTIONS_PRESET);
            press(d, IDOK);
        });
    EXPECT_TRUE(open_options(panel, script));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    expect_refusal(boxes.boxes()[0], name_exists);
    EXPECT_EQ(listed, (Strings{"rock"}));
    EXPECT_EQ(names_of(panel.presets()), (Strings{"rock"}));
}

TEST_F(NewPreset, AcceptsANameOfSpacesAsTyped) {
    auto& panel = docked_panel(preset("", "GENRE"));
    DialogScript script;
    script.in(options_title, [&](HWND d) { press(d, IDC_OPTIONS_NEW); })
        .in(new_title, enter_name("  "))
        .in(options_title, [&](HWND d) { press(d, IDOK); });
    EXPECT_TRUE(open_options(panel, script));
    EXPECT_EQ(names_of(panel.presets()), (Strings{"  "}));
}

TEST_F(NewPreset, KeepsTheEditsOfTheShownPresetAndHasTheGlobalAppearance) {
    auto& panel = docked_panel(full_preset("A", "GENRE"), {full_preset("A", "GENRE")});
    const Options fresh;
    DialogScript script;
    script
        .in(options_title,
            [&](HWND d) {
                set_text(d, IDC_OPTIONS_PLAYLIST_NAME, "Edited");
                press(d, IDC_OPTIONS_NEW);
            })
        .in(new_title, enter_name("B"))
        .in(options_title, [&](HWND d) { press(d, IDOK); });
    EXPECT_TRUE(open_options(panel, script));
    ASSERT_EQ(names_of(panel.presets()), (Strings{"A", "B"}));
    const Options& a = panel.presets()[0];
    const Options& b = panel.presets()[1];
    EXPECT_EQ(a.playlist_name, "Edited");
    EXPECT_EQ(a.text_color, 0x000011u);
    EXPECT_EQ(b.playlist_name, "Edited");
    EXPECT_EQ(b.metadata_field, "GENRE");
    EXPECT_EQ(b.tags, a.tags);
    EXPECT_FALSE(b.global_colors_and_fonts);
    EXPECT_TRUE(same_font(b.text_font, fresh.text_font));
    EXPECT_EQ(b.back_color, fresh.back_color);
    expect_same_record(panel.current(), b);
}

using RenamePreset = OptionsDialogs;

TEST_F(RenamePreset, ProposesTheSelectedNameAndRefusesItUnchangedOrInAnotherCase) {
    auto& panel = docked_panel(preset("Rock", "GENRE", "Stoner"), {preset("Rock", "GENRE", "Stoner"), preset("Jazz", "X")});
    harness::MessageBoxAnswerer boxes({IDOK, IDOK});
    std::wstring title;
    std::string proposed;
    Strings listed;
    std::string shown;
    DialogScript script;
    script.in(options_title, [&](HWND d) { press(d, IDC_OPTIONS_RENAME); })
        .in(rename_title,
            [&](HWND d) {
                title = harness::window_text(d);
                proposed = text(d, IDC_PRESET_NAME_TEXT);
                press(d, IDOK);
            })
        .in(rename_title, enter_name("ROCK"))
        .in(rename_title, enter_name("Stone"))
        .in(options_title, [&](HWND d) {
            listed = entries(d, IDC_OPTIONS_PRESET);
            shown = selected(d, IDC_OPTIONS_PRESET);
            press(d, IDOK);
        });
    EXPECT_TRUE(open_options(panel, script));
    EXPECT_EQ(title, L"Rename preset");
    EXPECT_EQ(proposed, "Rock");
    ASSERT_EQ(boxes.boxes().size(), 2u);
    expect_refusal(boxes.boxes()[0], name_exists);
    expect_refusal(boxes.boxes()[1], name_exists);
    EXPECT_EQ(listed, (Strings{"Jazz", "Stone"}));
    EXPECT_EQ(shown, "Stone");
    ASSERT_EQ(names_of(panel.presets()), (Strings{"Jazz", "Stone"}));
    EXPECT_EQ(panel.presets()[1].tags, (Strings{"Stoner"}));
    EXPECT_EQ(panel.current().name, "Stone");
}

TEST_F(RenamePreset, KeepsThePresetsOwnFontsAndColours) {
    auto& panel = docked_panel(full_preset("A", "GENRE"), {full_preset("A", "GENRE")});
    const Options before = panel.presets()[0];
    DialogScript script;
    script.in(options_title, [&](HWND d) { press(d, IDC_OPTIONS_RENAME); })
        .in(rename_title, enter_name("Renamed"))
        .in(options_title, [&](HWND d) { press(d, IDOK); });
    EXPECT_TRUE(open_options(panel, script));
    ASSERT_EQ(names_of(panel.presets()), (Strings{"Renamed"}));
    Options expected = before;
    expected.name = "Renamed";
    expect_same_record(panel.presets()[0], expected);
    expect_same_record(panel.current(), expected);
}

TEST_F(RenamePreset, WithNothingSelectedClosesAndChangesNothing) {
    auto& panel = docked_panel(preset("Gone", "GENRE"), {preset("Jazz", "X")});
    std::string proposed = "unread";
    Strings listed;
    DialogScript script;
    script.in(options_title, [&](HWND d) { press(d, IDC_OPTIONS_RENAME); })
        .in(rename_title,
            [&](HWND d) {
                proposed = text(d, IDC_PRESET_NAME_TEXT);
                enter_name("New")(d);
            })
        .in(options_title, [&](HWND d) {
            listed = entries(d, IDC_OPTIONS_PRESET);
            press(d, IDOK);
        });
    EXPECT_TRUE(open_options(panel, script));
    EXPECT_EQ(proposed, "");
    EXPECT_EQ(listed, (Strings{"Jazz"}));
    EXPECT_EQ(names_of(panel.presets()), (Strings{"Jazz"}));
    EXPECT_EQ(panel.current().name, "Gone");
}

using DeletePreset = OptionsDialogs;

TEST_F(DeletePreset, AsksAndNoKeepsThePreset) {
    auto& panel = docked_panel(preset("A", "GENRE"), {preset("A", "GENRE")});
    harness::MessageBoxAnswerer boxes({IDNO});
    Strings listed;
    DialogScript script;
    script.in(options_title, [&](HWND d) { press(d, IDC_OPTIONS_DELETE); })
        .in(options_title, [&](HWND d) {
            listed = entries(d, IDC_OPTIONS_PRESET);
            press(d, IDOK);
        });
    EXPECT_TRUE(open_options(panel, script));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, L"Delete preset");
    EXPECT_EQ(boxes.boxes()[0].text, L"Are you sure?");
    EXPECT_EQ(boxes.boxes()[0].button_ids(), (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(listed, (Strings{"A"}));
    EXPECT_EQ(names_of(panel.presets()), (Strings{"A"}));
}

TEST_F(DeletePreset, AtTheLastPositionSelectsTheNewLastAndShowsIt) {
    auto& panel = docked_panel(preset("C", "GENRE"), {preset("A", "FA"), preset("B", "FB"), preset("C", "FC")});
    harness::MessageBoxAnswerer boxes({IDYES});
    std::string shown, field;
    DialogScript script;
    script.in(options_title, [&](HWND d) { press(d, IDC_OPTIONS_DELETE); })
        .in(options_title, [&](HWND d) {
            shown = selected(d, IDC_OPTIONS_PRESET);
            field = text(d, IDC_OPTIONS_FIELD);
            press(d, IDOK);
        });
    EXPECT_TRUE(open_options(panel, script));
    EXPECT_EQ(shown, "B");
    EXPECT_EQ(field, "FB");
    EXPECT_EQ(names_of(panel.presets()), (Strings{"A", "B"}));
    EXPECT_EQ(panel.current().name, "B");
}

TEST_F(DeletePreset, InTheMiddleSelectsTheOneNowAtItsPlace) {
    auto& panel = docked_panel(preset("B", "FB"), {preset("C", "FC"), preset("B", "FB"), preset("A", "FA")});
    harness::MessageBoxAnswerer boxes({IDYES});
    std::string shown;
    DialogScript script;
    script.in(options_title, [&](HWND d) { press(d, IDC_OPTIONS_DELETE); })
        .in(options_title, [&](HWND d) {
            shown = selected(d, IDC_OPTIONS_PRESET);
            press(d, IDOK);
        });
    EXPECT_TRUE(open_options(panel, script));
    EXPECT_EQ(shown, "C");
    EXPECT_EQ(names_of(panel.presets()), (Strings{"C", "A"}));
}

TEST_F(DeletePreset, TheOnlyPresetLeavesItsValuesAndOkKeepsItsName) {
    auto& panel = docked_panel(preset("A", "GENRE", "Pop"), {preset("A", "GENRE", "Pop")});
    harness::MessageBoxAnswerer boxes({IDYES});
    std::string field, tags;
    bool combo = true, remove = true, rename = true;
    DialogScript script;
    script.in(options_title, [&](HWND d) { press(d, IDC_OPTIONS_DELETE); })
        .in(options_title, [&](HWND d) {
            field = text(d, IDC_OPTIONS_FIELD);
            tags = text(d, IDC_OPTIONS_TAGS);
            combo = is_enabled(d, IDC_OPTIONS_PRESET);
            remove = is_enabled(d, IDC_OPTIONS_DELETE);
            rename = is_enabled(d, IDC_OPTIONS_RENAME);
            EXPECT_TRUE(entries(d, IDC_OPTIONS_PRESET).empty());
            press(d, IDOK);
        });
    EXPECT_TRUE(open_options(panel, script));
    EXPECT_EQ(field, "GENRE");
    EXPECT_EQ(tags, "Pop");
    EXPECT_FALSE(combo);
    EXPECT_FALSE(remove);
    EXPECT_FALSE(rename);
    EXPECT_TRUE(panel.presets().empty());
    EXPECT_EQ(panel.current().name, "A");
    EXPECT_EQ(panel.current().tags, (Strings{"Pop"}));
}

TEST_F(DeletePreset, WithNothingSelectedAsksAndDeletesNothing) {
    auto& panel = docked_panel(preset("Gone", "GENRE"), {preset("Jazz", "X")});
    harness::MessageBoxAnswerer boxes({IDYES});
    DialogScript script;
    script.in(options_title, [&](HWND d) { press(d, IDC_OPTIONS_DELETE); })
        .in(options_title, [&](HWND d) { press(d, IDOK); });
    EXPECT_TRUE(open_options(panel, script));
    EXPECT_EQ(boxes.answered(), 1u);
    EXPECT_EQ(names_of(panel.presets()), (Strings{"Jazz"}));
}

}  // namespace
}  // namespace options_test
