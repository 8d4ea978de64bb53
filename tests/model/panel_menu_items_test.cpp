// What the panel's menu offers for the panel's state.
#include <gtest/gtest.h>

#include "panel/model/PanelMenuItems.h"
#include "tests/model/model_fixture.h"

namespace model_test {
namespace {

using quennet::PanelMenuItem;

class PanelMenuItems : public ModelTest {
protected:
    static quennet::Options named(const std::string& name) {
        quennet::Options options;
        options.name = name;
        return options;
    }
    static std::vector<std::string> texts(const std::vector<PanelMenuItem>& items) {
        std::vector<std::string> out;
        for (const auto& item : items) out.push_back(item.id == 0 ? "-" : item.text);
        return out;
    }
    static const PanelMenuItem& item(const std::vector<PanelMenuItem>& items, unsigned id) {
        for (const auto& i : items)
            if (i.id == id) return i;
        throw std::runtime_error("no item " + std::to_string(id));
    }
};

TEST_F(PanelMenuItems, PendingEditsLeaveOnlyApplyRevertPresetsAndHelp) {
    quennet::PanelMenuState state;
    state.pending = true;
    const auto items = quennet::panel_menu_items(named("b"), {named("b"), named("A")}, state);
    EXPECT_EQ(texts(items), (std::vector<std::string>{"Apply", "Revert", "-", "A", "b", "-", "Help"}));
    EXPECT_EQ(items[0].id, 1u);
    EXPECT_EQ(items[3].id, 12u);
    EXPECT_EQ(items[4].id, 13u);
    EXPECT_TRUE(items[4].checked);
    EXPECT_FALSE(items[3].checked);
}

TEST_F(PanelMenuItems, WithoutPresetsOneSeparatorPrecedesTheSwitches) {
    const auto items = quennet::panel_menu_items(named(""), {}, {});
    EXPECT_EQ(texts(items), (std::vector<std::string>{"Options...", "-", "Scan library", "Filter on focused tags",
                                                      "Tag with same value from library", "-", "Sort list",
                                                      "Synchronize", "Refresh", "-", "Help"}));
}

TEST_F(PanelMenuItems, ThePresetCheckComparesBytesWhileTheOrderIgnoresCase) {
    const auto items = quennet::panel_menu_items(named("Rock"), {named("rock"), named("Blues"), named("Rock")}, {});
    EXPECT_EQ(items[2].text, "Blues");
    ASSERT_EQ(items[3].text.size(), 4u);
    int checked = 0;
    for (const auto& i : items)
        if (i.id >= 12 && i.checked) {
            ++checked;
            EXPECT_EQ(i.text, "Rock");
        }
    EXPECT_EQ(checked, 1);
}

TEST_F(PanelMenuItems, SwitchesShowThePresetsFlagsAndGreyWhatCannotRun) {
    quennet::Options current = named("p");
    current.filter_on_focused_tags = true;
    current.sort_list = false;
    quennet::PanelMenuState state;
    state.tracks_selected = true;
    auto items = quennet::panel_menu_items(current, {}, state);
    const auto& filter = item(items, quennet::command_filter_on_focused_tags);
    EXPECT_TRUE(filter.checked) << "the check shows even while greyed";
    EXPECT_TRUE(filter.greyed) << "no filter fields";
    EXPECT_TRUE(item(items, quennet::command_synchronize).greyed);
    EXPECT_FALSE(item(items, quennet::command_sort_list).checked);
    EXPECT_TRUE(item(items, quennet::command_tag_with_same_value).greyed) << "no same-value fields";

    current.filter_fields = "ARTIST";
    current.same_value_fields = "%album%";
    current.filter_on_focused_tags = false;
    current.scan_library = true;
    items = quennet::panel_menu_items(current, {}, state);
    EXPECT_FALSE(item(items, quennet::command_filter_on_focused_tags).greyed);
    EXPECT_TRUE(item(items, quennet::command_scan_library).checked);
    EXPECT_FALSE(item(items, quennet::command_synchronize).greyed);
    EXPECT_FALSE(item(items, quennet::command_tag_with_same_value).greyed);
    state.tracks_selected = false;
    items = quennet::panel_menu_items(current, {}, state);
    EXPECT_TRUE(item(items, quennet::command_tag_with_same_value).greyed) << "nothing selected";
}

TEST_F(PanelMenuItems, WindowPropertiesOnlyInAPopupWindow) {
    quennet::PanelMenuState state;
    auto items = quennet::panel_menu_items(named(""), {}, state);
    EXPECT_THROW(item(items, quennet::command_window_properties), std::runtime_error);
    state.in_popup_window = true;
    items = quennet::panel_menu_items(named(""), {}, state);
    EXPECT_EQ(item(items, quennet::command_window_properties).text, "Window properties ...");
    state.pending = true;
    items = quennet::panel_menu_items(named(""), {}, state);
    EXPECT_THROW(item(items, quennet::command_window_properties), std::runtime_error);
}

}  // namespace
}  // namespace model_test
