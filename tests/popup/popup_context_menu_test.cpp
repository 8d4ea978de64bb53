// The track context menu over real popup windows: "Default" makes windows with the component's own
// panel, and each window's entry shows its check mark and toggles its own window.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "integration/VarnelContextItem.h"
#include "integration/VarnelContextLeaf.h"
#include "integration/VarnelPanelType.h"
#include "sdk/contextmenu.h"
#include "sdk/core_api.h"
#include "tests/harness/window_query.h"
#include "tests/popup/popup_fixture.h"

namespace popup_test {
namespace {

using quennet::create_popup;
using quennet::popup_windows;
using sonavel::contextmenu_item;
using sonavel::contextmenu_item_node;

const sonavel::guid caller = contextmenu_item::caller_active_playlist_selection;

struct Entry {
    std::string text;
    bool checked = false;
    sonavel::guid id;
};

class PopupContextMenu : public PopupWindows {
protected:
    void SetUp() override {
        PopupWindows::SetUp();
        track_ = engines().add_track("C:\\Music\\a.flac", {{"GENRE", {"Rock"}}});
    }

    sonavel::service_ptr_t<contextmenu_item> item() {
        for (auto& candidate : sonavel::service_list_t<contextmenu_item>())
            if (candidate->get_item_guid(0) == quennet::VarnelContextItem::item_guid) return candidate;
        return {};
    }
    // The submenu's entries as the host shows them when the menu opens.
    std::vector<Entry> entries() {
        std::vector<Entry> out;
        auto menu = item()->instantiate_item(0, {track_}, caller);
        if (!menu) return out;
        for (std::size_t i = 0; i < menu->get_children_count(); ++i) {
            contextmenu_item_node* child = menu->get_child(i);
            Entry e;
            unsigned flags = 0;
            child->get_display_data(e.text, flags, {track_}, caller);
            e.checked = (flags & contextmenu_item_node::flag_checked) != 0;
            e.id = child->get_guid();
            out.push_back(e);
        }
        return out;
    }
    // Opens the menu and runs its entry at `index`, as a click on it does.
    void click(std::size_t index) {
        auto menu = item()->instantiate_item(0, {track_}, caller);
        ASSERT_TRUE(menu);
        ASSERT_LT(index, menu->get_children_count());
        menu->get_child(index)->execute({track_}, caller);
    }
    void run_by_identifier(const sonavel::guid& id) { item()->item_execute_simple(0, id, {track_}, caller); }

    sonavel::metadb_handle_ptr track_;
};

TEST_F(PopupContextMenu, DefaultTwiceMakesTwoWindowsNamedVarnelPanelEachWithANewPanel) {
    click(0);
    run_by_identifier(quennet::VarnelContextLeaf::default_guid);
    ASSERT_EQ(popup_windows.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(harness::window_text(frame(i)), L"Varnel panel");
        EXPECT_TRUE(IsWindowVisible(frame(i)));
        ASSERT_TRUE(popup(i).panel()) << i;
        EXPECT_EQ(popup(i).panel()->get_guid(), quennet::varnel_panel_type);
        EXPECT_FALSE(popup(i).config().persistent);
    }
    EXPECT_NE(popup(0).panel().get_ptr(), popup(1).panel().get_ptr());
    EXPECT_TRUE(logged().empty()) << logged().front();
}

TEST_F(PopupContextMenu, WindowsFollowTheSeparatorInCaseInsensitiveOrderOfName) {
    for (const char* name : {"beta", "Alpha", "alpha"}) create_popup(config_named(name));
    const auto menu = entries();
    ASSERT_EQ(menu.size(), 5u);
    EXPECT_EQ(menu[0].text, "Default");
    EXPECT_EQ(menu[1].text, "---");
    std::vector<std::string> alphas = {menu[2].text, menu[3].text};
    std::sort(alphas.begin(), alphas.end());
    EXPECT_EQ(alphas, (std::vector<std::string>{"Alpha", "alpha"}));
    EXPECT_EQ(menu[4].text, "beta");
}

TEST_F(PopupContextMenu, TwoWindowsOfTheSameNameEachToggleTheirOwnWindow) {
    create_popup(config_named("Varnel panel"));
    create_popup(config_named("Varnel panel"));
    ASSERT_EQ(popup_windows.size(), 2u);
    auto menu = entries();
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_TRUE(menu[2].checked && menu[3].checked);

    click(2);
    const bool first_hidden = !IsWindowVisible(frame(0));
    const bool second_hidden = !IsWindowVisible(frame(1));
    EXPECT_NE(first_hidden, second_hidden) << "exactly one window hid";
    menu = entries();
    EXPECT_FALSE(menu[2].checked);
    EXPECT_TRUE(menu[3].checked);

    click(3);
    EXPECT_FALSE(IsWindowVisible(frame(0)));
    EXPECT_FALSE(IsWindowVisible(frame(1)));
    menu = entries();
    EXPECT_FALSE(menu[2].checked || menu[3].checked);
}

TEST_F(PopupContextMenu, AHiddenWindowsEntryShowsAndActivatesItThenHidesItAgain) {
    quennet::PopupConfig config = config_named("Lounge");
    config.persistent = true;
    create_popup(config);
    ASSERT_EQ(popup_windows.size(), 1u);
    SendMessageW(frame(0), WM_CLOSE, 0, 0);
    ASSERT_FALSE(IsWindowVisible(frame(0)));
    auto menu = entries();
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[2].text, "Lounge");
    EXPECT_FALSE(menu[2].checked);

    click(2);
    EXPECT_TRUE(IsWindowVisible(frame(0)));
    EXPECT_EQ(GetActiveWindow(), frame(0));
    EXPECT_TRUE(entries()[2].checked);

    click(2);
    EXPECT_FALSE(IsWindowVisible(frame(0)));
    EXPECT_EQ(popup(0).config().placement.show_state, 0u);
}

TEST_F(PopupContextMenu, AWindowsEntryRunsByItsIdentifier) {
    create_popup(config_named("First"));
    create_popup(config_named("Second"));
    ASSERT_EQ(popup_windows.size(), 2u);
    sonavel::guid second = quennet::VarnelContextLeaf::window_base_guid;
    second.data4[7] = 3;
    const auto menu = entries();
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menu[3].id, second);
    run_by_identifier(second);
    EXPECT_TRUE(IsWindowVisible(frame(0)));
    EXPECT_FALSE(IsWindowVisible(frame(1)));
    EXPECT_EQ(popup_windows.size(), 2u) << "no new window";
}

TEST_F(PopupContextMenu, AWindowWithoutANameHasAnEntryWithEmptyText) {
    create_popup(config_named(""));
    ASSERT_EQ(popup_windows.size(), 1u);
    EXPECT_EQ(harness::window_text(frame(0)), L"Fake panel");
    const auto menu = entries();
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[2].text, "");
    EXPECT_TRUE(menu[2].checked);
}

TEST_F(PopupContextMenu, NoEntryWithAPanelHostTooOld) {
    create_popup(config_named("Lounge"));
    for (const char* version : {"0.3.8.7", "0.3.8"}) {
        engines().panel_host_version.set("Panoplex", version);
        EXPECT_TRUE(entries().empty()) << version;
        run_by_identifier(quennet::VarnelContextLeaf::default_guid);
        EXPECT_EQ(popup_windows.size(), 1u) << "a shortcut does nothing either";
    }
}

}  // namespace
}  // namespace popup_test
