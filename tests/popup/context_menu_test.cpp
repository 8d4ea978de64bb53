// "Tag in varnel panel" as the host's context menu asks for it: who is offered the entry, and how the
// submenu orders and names the popup windows' entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "integration/VarnelContextItem.h"
#include "integration/VarnelContextLeaf.h"
#include "integration/VarnelContextPopup.h"
#include "integration/VarnelPanelType.h"
#include "sdk/contextmenu.h"
#include "tests/host/component_host.h"

namespace {

using sonavel::contextmenu_item;
using sonavel::contextmenu_item_node;

struct Entry {
    std::string text;
    unsigned flags = 0;
    contextmenu_item_node::node_type type = contextmenu_item_node::type_command;
    sonavel::guid id;
};

std::vector<Entry> children_of(contextmenu_item_node& node) {
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < node.get_children_count(); ++i) {
        contextmenu_item_node* child = node.get_child(i);
        Entry e;
        EXPECT_TRUE(child->get_display_data(e.text, e.flags, {}, contextmenu_item::caller_active_playlist_selection));
        e.type = child->get_type();
        e.id = child->get_guid();
        entries.push_back(e);
    }
    return entries;
}

std::vector<std::string> texts(const std::vector<Entry>& entries) {
    std::vector<std::string> out;
    for (const Entry& e : entries) out.push_back(e.text);
    return out;
}

class ContextMenuItem : public registration_test::ComponentHost {
protected:
    ContextMenuItem() {
        track = host.add_track("C:\\Music\\a.flac", {{"GENRE", {"Rock"}}});
        load_component();
    }

    sonavel::service_ptr_t<contextmenu_item> item() {
        for (auto& candidate : sonavel::service_list_t<contextmenu_item>())
            if (candidate->get_item_guid(0) == quennet::VarnelContextItem::item_guid) return candidate;
        return {};
    }
    std::unique_ptr<contextmenu_item_node> open(const sonavel::guid& caller, bool with_tracks = true) {
        sonavel::metadb_handle_list tracks;
        if (with_tracks) tracks.push_back(track);
        return item()->instantiate_item(0, tracks, caller);
    }

    sonavel::metadb_handle_ptr track;
};

TEST_F(ContextMenuItem, TheComponentRegistersOneItemInTheTaggingGroup) {
    auto found = item();
    ASSERT_TRUE(found);
    EXPECT_EQ(found->get_num_items(), 1u);
    std::string text;
    found->get_item_name(0, text);
    EXPECT_EQ(text, "Tag in varnel panel");
    found->get_item_default_path(0, text);
    EXPECT_EQ(text, "");
    ASSERT_TRUE(found->get_item_description(0, text));
    EXPECT_EQ(text, "Tag in varnel panel");
    EXPECT_EQ(found->get_sort_priority(), 0.0);
    auto v2 = sonavel::service_query_t<sonavel::contextmenu_item_v2>(found);
    EXPECT_EQ(v2->get_parent(), sonavel::contextmenu_item_v2::group_tagging);
}

TEST_F(ContextMenuItem, EachRequestMakesANewItem) {
    auto a = item(), b = item();
    EXPECT_NE(a.get_ptr(), b.get_ptr());
}

TEST_F(ContextMenuItem, ASufficientPanelHostGetsTheSubmenuWithDefaultAlone) {
    host.panel_host_version.set("Panoplex", "0.3.8.8");
    auto menu = open(contextmenu_item::caller_active_playlist_selection);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->get_type(), contextmenu_item_node::type_popup);
    std::string text;
    unsigned flags = 99;
    EXPECT_TRUE(menu->get_display_data(text, flags, {}, contextmenu_item::caller_active_playlist_selection));
    EXPECT_EQ(text, "Tag in varnel panel");
    EXPECT_EQ(flags, 0u);
    EXPECT_FALSE(menu->is_mappable_shortcut());
    EXPECT_EQ(texts(children_of(*menu)), std::vector<std::string>{"Default"}) << "no separator without windows";
    EXPECT_TRUE(menu->get_child(0)->is_mappable_shortcut());
    EXPECT_EQ(menu->get_child(0)->get_guid(), quennet::VarnelContextLeaf::default_guid);
}

TEST_F(ContextMenuItem, NoEntryWithAPanelHostOlderThanTheMinimum) {
    for (const char* version : {"0.3.8.7", "0.3.8", "0.3.7.99"}) {
        host.panel_host_version.set("Panoplex", version);
        EXPECT_FALSE(open(contextmenu_item::caller_active_playlist_selection)) << version;
    }
    host.panel_host_version.set("Panoplex", "0.3.9");
    EXPECT_TRUE(open(contextmenu_item::caller_active_playlist_selection));
}

TEST_F(ContextMenuItem, NoEntryWithoutThePanelHost) {
    host.panel_host_version.set("Panoplex Lite", "9");
    EXPECT_FALSE(open(contextmenu_item::caller_active_playlist_selection));
}

TEST_F(ContextMenuItem, OnlyThreeCallersAreOfferedTheEntry) {
    EXPECT_TRUE(open(contextmenu_item::caller_active_playlist_selection));
    EXPECT_TRUE(open(contextmenu_item::caller_playlist_manager));
    EXPECT_TRUE(open(contextmenu_item::caller_keyboard_shortcut_list));
    EXPECT_FALSE(open(contextmenu_item::caller_now_playing));
    EXPECT_FALSE(open(contextmenu_item::caller_active_playlist));
    EXPECT_FALSE(open(contextmenu_item::caller_media_library_viewer));
}

TEST_F(ContextMenuItem, WithoutTracksOnlyTheShortcutListIsOfferedTheEntry) {
    EXPECT_FALSE(open(contextmenu_item::caller_active_playlist_selection, /*with_tracks=*/false));
    EXPECT_FALSE(open(contextmenu_item::caller_playlist_manager, false));
    EXPECT_TRUE(open(contextmenu_item::caller_keyboard_shortcut_list, false));
}

TEST(ContextMenuDefault, DefaultMakesAWindowNamedVarnelPanelWithTheComponentsPanel) {
    const quennet::PopupConfig config = quennet::default_popup_config();
    EXPECT_EQ(config.name, "Varnel panel");
    EXPECT_EQ(config.panel_guid, quennet::varnel_panel_type);
    EXPECT_EQ(config.placement.length, 0u);
    EXPECT_TRUE(config.panel_config.empty());
    EXPECT_FALSE(config.persistent || config.no_border || config.no_caption || config.no_system_menu);
}

// The submenu built from the popup windows' names, in list order.
TEST(ContextMenuSubmenu, EntriesFollowTheSeparatorInCaseInsensitiveOrderOfName) {
    // Gamma sorts last only without regard to case.
    quennet::VarnelContextPopup menu("Tag in varnel panel", {"beta", "Alpha", "Gamma", "alpha"});
    const auto entries = children_of(menu);
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[0].text, "Default");
    EXPECT_EQ(entries[1].type, contextmenu_item_node::type_separator);
    EXPECT_EQ(entries[1].text, "---");
    EXPECT_TRUE(entries[1].id.is_null());
    EXPECT_FALSE(menu.get_child(1)->is_mappable_shortcut());
    std::vector<std::string> first_two = {entries[2].text, entries[3].text};
    std::sort(first_two.begin(), first_two.end());
    EXPECT_EQ(first_two, (std::vector<std::string>{"Alpha", "alpha"}));
    EXPECT_EQ(entries[4].text, "beta");
    EXPECT_EQ(entries[5].text, "Gamma");
    EXPECT_EQ(menu.names(), (std::vector<std::string>{"beta", "Alpha", "Gamma", "alpha"}));
    EXPECT_EQ(menu.sorted_names().back(), "Gamma");
}

TEST(ContextMenuSubmenu, EachWindowHasItsOwnEntryAlsoUnderTheSameName) {
    quennet::VarnelContextPopup menu("Tag in varnel panel", {"Varnel panel", "Varnel panel"});
    ASSERT_EQ(menu.get_children_count(), 4u);
    auto* first = dynamic_cast<quennet::VarnelContextLeaf*>(menu.get_child(2));
    auto* second = dynamic_cast<quennet::VarnelContextLeaf*>(menu.get_child(3));
    ASSERT_TRUE(first && second);
    std::vector<int> entries = {first->entry(), second->entry()};
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<int>{2, 3})) << "window positions plus 2, one each";
    EXPECT_NE(first->get_guid(), second->get_guid());
}

TEST(ContextMenuSubmenu, AWindowsEntryIdentifierIsTheBaseWithItsEntryAsLastByte) {
    quennet::VarnelContextPopup menu("Tag in varnel panel", {"b", "a"});
    sonavel::guid expected = quennet::VarnelContextLeaf::window_base_guid;
    expected.data4[7] = 3;  // "a" is at position 1
    EXPECT_EQ(menu.get_child(2)->get_guid(), expected);
    expected.data4[7] = 2;
    EXPECT_EQ(menu.get_child(3)->get_guid(), expected);
    EXPECT_TRUE(menu.get_child(2)->is_mappable_shortcut());
    EXPECT_EQ(quennet::VarnelContextLeaf(258, "x").get_guid().data4[7], 2) << "modulo 256";
}

TEST(ContextMenuSubmenu, AWindowWithoutANameHasAnEntryWithEmptyText) {
    quennet::VarnelContextPopup menu("Tag in varnel panel", {"", "Lounge"});
    EXPECT_EQ(texts(children_of(menu)), (std::vector<std::string>{"Default", "---", "", "Lounge"}));
}

}  // namespace
