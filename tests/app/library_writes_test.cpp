// What the player writes stays written across a restart, as a user meets it: Apply in the docked panel,
// the player closed and started again on another folder (the library of the first one comes from its
// database, unscanned), the written value shown and a second write taken, not refused as another
// program's change. The files are read back with TagLib, not with the player's writer.
#include <windows.h>

#include <cwctype>

#include "player/app/PlaylistView.h"
#include "resources/resource.h"
#include "tests/app/player_fixture.h"
#include "tests/harness/keyboard.h"
#include "tests/harness/mouse.h"

namespace app_test {
namespace {

using Values = std::vector<std::string>;

class LibraryWrites : public PlayerFixture {
protected:
    void start_on(const std::wstring& folder) {
        player::PlayerOptions options;
        options.component = program_folder() + L"\\quennet.dll";
        options.config_folder = config_.path();
        options.folders = {folder};
        app_ = std::make_unique<player::PlayerApp>(options);
        harness::pump_for(std::chrono::milliseconds(50));
        ASSERT_EVENTUALLY(!app_->library().scanning());
    }
    Values genres(const std::wstring& path) { return values_of(tags_of(path), "GENRE"); }
    // The playlist's row of the track titled so; -1 when none.
    int row_titled(const std::wstring& title) {
        for (int i = 0; i < harness::item_count(playlist()); ++i)
            if (harness::item_text(playlist(), i, player::PlaylistView::column_title) == title) return i;
        return -1;
    }
    // Selects every track of the active playlist and adds `value` through the GENRE panel: Enter applies.
    void add_to_every_track(player::DockedPanel& docked, const std::wstring& value) {
        harness::click_label(playlist(), 0);
        ASSERT_TRUE(harness::focus(playlist()));
        harness::press_key(playlist(), 'A', harness::modifiers::ctrl);
        harness::pump_for(std::chrono::milliseconds(60));
        const HWND add = GetDlgItem(docked.window(), IDC_PANEL_ADD);
        ASSERT_TRUE(harness::focus(add));
        harness::type_text(add, value);
        harness::press_key(add, VK_RETURN);
        harness::pump_for(std::chrono::milliseconds(60));
        ASSERT_EVENTUALLY(idle());
        harness::pump_for(std::chrono::milliseconds(60));
    }

    TempFolder other_;
};

TEST_F(LibraryWrites, ARestartOnAnotherFolderShowsWhatWasWrittenAndTakesTheNextWrite) {
    {
        const std::wstring elsewhere = other_.file(L"09 elsewhere.mp3");
        write_audio(elsewhere);
        TagLib::PropertyMap tags;
        tags.insert("TITLE", string_list({"09 elsewhere.mp3"}));
        tags.insert("GENRE", string_list({"Folk"}));
        set_tags(elsewhere, tags);
    }
    start_on(music_.path());
    add_to_every_track(dock_genre_panel(), L"Blues");
    ASSERT_EQ(genres(music_.file(L"01 first.mp3")), (Values{"Rock", "Blues"}));
    ASSERT_EQ(genres(music_.file(L"03 third.wav")), (Values{"Jazz", "Blues"}));

    app_.reset();
    start_on(other_.path());
    // The first folder was not scanned: its tracks show what the database kept of the write.
    const int first = row_titled(L"01 first.mp3");
    ASSERT_GE(first, 0);
    EXPECT_EQ(harness::item_text(playlist(), first, player::PlaylistView::column_genre), L"Rock; Blues");
    ASSERT_GE(row_titled(L"09 elsewhere.mp3"), 0);

    // The fixture's guard fails the test on any message: no file may be refused.
    auto& docked = window().docked().empty() ? dock_genre_panel() : *window().docked().at(0);
    add_to_every_track(docked, L"Funk");
    EXPECT_EQ(genres(music_.file(L"01 first.mp3")), (Values{"Rock", "Blues", "Funk"}));
    EXPECT_EQ(genres(music_.file(L"02 second.mp3")), (Values{"Rock", "Pop", "Blues", "Funk"}));
    EXPECT_EQ(genres(music_.file(L"03 third.wav")), (Values{"Jazz", "Blues", "Funk"}));
    EXPECT_EQ(genres(other_.file(L"09 elsewhere.mp3")), (Values{"Folk", "Funk"}));
}

TEST_F(LibraryWrites, TheFolderNamedInOtherLettersShowsEachFileOnce) {
    start_on(music_.path());
    ASSERT_EQ(harness::item_count(playlist()), 3);
    app_.reset();
    std::wstring upper = music_.path();
    for (auto& c : upper) c = wchar_t(std::towupper(c));
    ASSERT_NE(upper, music_.path());
    start_on(upper);
    EXPECT_EQ(harness::item_count(playlist()), 3);
    EXPECT_EQ(app_->library().folders().size(), 1u);
    EXPECT_EQ(app_->library().track_count(), 3u);
}

}  // namespace
}  // namespace app_test
