// The track context menu: registered items' nodes as a pop-up menu, and the chosen node run over the
// tracks for its caller.
#include <memory>
#include <string>
#include <vector>

#include "player/app/TrackContextMenu.h"
#include "sdk/utf8.h"
#include "tests/app/windowed_host.h"

namespace app_test {
namespace {

using node_t = sonavel::contextmenu_item_node;
using caller_t = sonavel::contextmenu_item;

struct run_record {
    std::string node;
    std::size_t tracks;
    sonavel::guid caller;
};

class test_node : public node_t {
public:
    test_node(node_type type, std::string text, unsigned flags, std::vector<run_record>& runs, bool shown = true)
        : type_(type), text_(std::move(text)), flags_(flags), shown_(shown), runs_(runs) {}

    test_node& add(std::unique_ptr<test_node> child) {
        children_.push_back(std::move(child));
        return *children_.back();
    }

    node_type get_type() override { return type_; }
    bool get_display_data(std::string& out, unsigned& flags, const sonavel::metadb_handle_list&, const sonavel::guid&) override {
        out = text_;
        flags = flags_;
        return shown_;
    }
    std::size_t get_children_count() override { return children_.size(); }
    node_t* get_child(std::size_t index) override { return children_[index].get(); }
    void execute(const sonavel::metadb_handle_list& tracks, const sonavel::guid& caller) override {
        runs_.push_back({text_, tracks.size(), caller});
    }
    sonavel::guid get_guid() override { return {}; }
    bool is_mappable_shortcut() override { return true; }

private:
    node_type type_;
    std::string text_;
    unsigned flags_;
    bool shown_;
    std::vector<run_record>& runs_;
    std::vector<std::unique_ptr<test_node>> children_;
};

// Two items: a "Tagging" submenu for every caller, and a "Top" command offered to the playlist selection only.
class test_item : public sonavel::contextmenu_item {
public:
    using interface_t = sonavel::contextmenu_item;

    std::vector<run_record> runs;

    unsigned get_num_items() override { return 2; }
    std::unique_ptr<node_t> instantiate_item(unsigned index, const sonavel::metadb_handle_list&, const sonavel::guid& caller) override {
        auto node = [this](node_t::node_type type, const char* text, unsigned flags = 0, bool shown = true) {
            return std::make_unique<test_node>(type, text, flags, runs, shown);
        };
        if (index == 1) {
            if (caller != caller_t::caller_active_playlist_selection) return nullptr;
            return node(node_t::type_command, "Top");
        }
        auto root = node(node_t::type_popup, "Tagging");
        root->add(node(node_t::type_command, "Mark", node_t::flag_checked));
        root->add(node(node_t::type_separator, ""));
        root->add(node(node_t::type_command, "Hidden", 0, false));
        root->add(node(node_t::type_command, "Greyed", node_t::flag_grayed));
        root->add(node(node_t::type_popup, "More")).add(node(node_t::type_command, "Deep"));
        return root;
    }
    void item_execute_simple(unsigned, const sonavel::guid&, const sonavel::metadb_handle_list&, const sonavel::guid&) override {}
    sonavel::guid get_item_guid(unsigned) override { return {}; }
    void get_item_name(unsigned, std::string& out) override { out = "Test"; }
    void get_item_default_path(unsigned, std::string& out) override { out.clear(); }
    bool get_item_description(unsigned, std::string&) override { return false; }
};

std::wstring text_of(HMENU menu, int position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, UINT(position), text, 128, MF_BYPOSITION);
    return text;
}

class TrackMenu : public WindowedHost {
protected:
    TrackMenu() {
        engines().state.registry.add_instance(sonavel::contextmenu_item::class_guid,
                                              static_cast<sonavel::service_base*>(item_.get_ptr()));
        tracks_ = {engines().add_track("C:\\a.mp3", {}), engines().add_track("C:\\b.mp3", {})};
    }
    // Counted: the host's registry, which goes after the test's members, holds it too.
    sonavel::service_ptr_t<test_item> item_ = sonavel::service_impl_t<test_item>::create_object();
    sonavel::metadb_handle_list tracks_;
};

TEST_F(TrackMenu, NodesBecomeSubmenusItemsWithCheckMarksAndSeparators) {
    player::TrackContextMenu menu(tracks_, caller_t::caller_active_playlist_selection);
    HMENU root = menu.menu();
    ASSERT_EQ(GetMenuItemCount(root), 2);
    EXPECT_EQ(text_of(root, 0), L"Tagging");
    EXPECT_EQ(text_of(root, 1), L"Top");

    HMENU tagging = GetSubMenu(root, 0);
    ASSERT_NE(tagging, nullptr);
    ASSERT_EQ(GetMenuItemCount(tagging), 4) << "the hidden node is left out";
    EXPECT_EQ(text_of(tagging, 0), L"Mark");
    EXPECT_TRUE(GetMenuState(tagging, 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(tagging, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(text_of(tagging, 2), L"Greyed");
    EXPECT_TRUE(GetMenuState(tagging, 2, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(tagging, 2, MF_BYPOSITION) & MF_CHECKED);
    HMENU more = GetSubMenu(tagging, 3);
    ASSERT_NE(more, nullptr);
    EXPECT_EQ(text_of(more, 0), L"Deep");
}

TEST_F(TrackMenu, AChosenCommandRunsItsNodeOverTheTracksForTheCaller) {
    player::TrackContextMenu menu(tracks_, caller_t::caller_active_playlist_selection);
    HMENU more = GetSubMenu(GetSubMenu(menu.menu(), 0), 3);
    UINT deep = GetMenuItemID(more, 0);
    ASSERT_TRUE(menu.execute(deep));
    ASSERT_EQ(item_->runs.size(), 1u);
    EXPECT_EQ(item_->runs[0].node, "Deep");
    EXPECT_EQ(item_->runs[0].tracks, 2u);
    EXPECT_EQ(item_->runs[0].caller, caller_t::caller_active_playlist_selection);

    EXPECT_FALSE(menu.execute(0)) << "a dismissed menu runs nothing";
    EXPECT_FALSE(menu.execute(999));
    EXPECT_EQ(item_->runs.size(), 1u);
}

TEST_F(TrackMenu, AnItemWithoutANodeForTheCallerIsLeftOut) {
    player::TrackContextMenu menu(tracks_, caller_t::caller_now_playing);
    ASSERT_EQ(GetMenuItemCount(menu.menu()), 1);
    EXPECT_EQ(text_of(menu.menu(), 0), L"Tagging");
}

// While the pop-up menu is open, choose its second entry from the keyboard.
void CALLBACK choose_second_entry(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!FindWindowW(L"#32768", nullptr)) return;
    KillTimer(nullptr, timer);
    HWND target = GetFocus() ? GetFocus() : GetForegroundWindow();
    for (UINT key : {UINT(VK_DOWN), UINT(VK_DOWN), UINT(VK_RETURN)}) {
        PostMessageW(target, WM_KEYDOWN, key, 0);
        PostMessageW(target, WM_KEYUP, key, 0xC0000000);
    }
}

TEST_F(TrackMenu, TrackingTheMenuRunsTheEntryTheUserChooses) {
    HWND owner = host_.main_window();
    SetForegroundWindow(owner);
    player::TrackContextMenu menu(tracks_, caller_t::caller_active_playlist_selection);
    UINT_PTR timer = SetTimer(nullptr, 0, 30, choose_second_entry);
    POINT at = {200, 200};
    ClientToScreen(owner, &at);
    menu.track(owner, at);
    KillTimer(nullptr, timer);
    ASSERT_EQ(item_->runs.size(), 1u);
    EXPECT_EQ(item_->runs[0].node, "Top");
}

}  // namespace
}  // namespace app_test
