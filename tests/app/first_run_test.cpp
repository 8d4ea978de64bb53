// The player's first run: with no layout.cfg yet it docks its default layout, the component's panel for
// GENRE with the library scan on, so that selecting tracks shows all three states without any set-up; a
// stored layout, even an empty one, is what later runs get.
#include <windows.h>

#include <memory>

#include "player/app/PlayerApp.h"
#include "resources/resource.h"
#include "sdk/utf8.h"
#include "tests/app/audio_files.h"
#include "tests/harness/list_view.h"
#include "tests/harness/message_box.h"
#include "tests/harness/pump.h"

namespace app_test {
namespace {

std::wstring program_folder() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring text(path, length);
    return text.substr(0, text.find_last_of(L"\\/"));
}

class FirstRun : public ::testing::Test {
protected:
    FirstRun() {
        song(L"01 first.mp3", {"Rock", "Pop"});
        song(L"02 second.mp3", {"Rock"});
        song(L"03 third.wav", {"Jazz"});
    }
    ~FirstRun() override { app_.reset(); }

    void song(const std::wstring& name, const std::vector<std::string>& genres) {
        std::wstring path = music_.file(name);
        write_audio(path);
        TagLib::PropertyMap tags;
        tags.insert("TITLE", string_list({sonavel::wide_to_utf8(name)}));
        tags.insert("GENRE", string_list(genres));
        set_tags(path, tags);
    }
    void start() {
        player::PlayerOptions options;
        options.component = program_folder() + L"\\quennet.dll";
        options.default_layout = program_folder() + L"\\default-layout.cfg";
        options.config_folder = config_.path();
        options.folders = {music_.path()};
        app_ = std::make_unique<player::PlayerApp>(options);
        harness::pump_for(std::chrono::milliseconds(50));
    }
    HWND playlist() { return app_->window().playlist().window(); }
    static int row_of(HWND list, const std::wstring& text) {
        for (int i = 0; i < harness::item_count(list); ++i)
            if (harness::item_text(list, i) == text) return i;
        return -1;
    }
    int state_of(HWND list, const std::wstring& text) {
        int row = row_of(list, text);
        return row < 0 ? -1 : harness::state_image(list, row);
    }

    harness::UnexpectedBoxGuard no_boxes_;
    TempFolder music_, config_;
    std::unique_ptr<player::PlayerApp> app_;
};

TEST_F(FirstRun, DocksTheGenrePanelWhoseLibraryScanListsEveryGenreAndShowsTheThreeStates) {
    start();
    ASSERT_EQ(app_->window().docked().size(), 1u);
    const HWND values = GetDlgItem(app_->window().docked()[0]->window(), IDC_PANEL_VALUE_LIST);
    ASSERT_NE(values, nullptr);
    // Nothing selected: the library scan alone lists the genres.
    ASSERT_EVENTUALLY(row_of(values, L"Jazz") >= 0 && row_of(values, L"Pop") >= 0 && row_of(values, L"Rock") >= 0);

    harness::click_label(playlist(), 0);
    harness::pump_for(std::chrono::milliseconds(40));
    POINT client = harness::label_point(playlist(), 1);
    POINT screen = client;
    ClientToScreen(playlist(), &screen);
    SetCursorPos(screen.x, screen.y);
    harness::pump_for(std::chrono::milliseconds(40));
    PostMessageW(playlist(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(client.x, client.y));
    PostMessageW(playlist(), WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(client.x, client.y));
    ASSERT_EVENTUALLY(state_of(values, L"Pop") == 3);
    EXPECT_EQ(state_of(values, L"Rock"), 2) << "both selected tracks are Rock";
    EXPECT_EQ(state_of(values, L"Jazz"), 1) << "neither is Jazz";
}

TEST_F(FirstRun, AStoredLayoutIsUsedInsteadOfTheDefaultOne) {
    start();
    ASSERT_EQ(app_->window().docked().size(), 1u);
    app_.reset();
    player::write_layout(sonavel::wide_to_utf8(config_.file(L"layout.cfg")), {});
    start();
    EXPECT_TRUE(app_->window().docked().empty()) << "the user's empty layout stays empty";
}

TEST_F(FirstRun, WithoutADefaultLayoutNothingIsDocked) {
    player::PlayerOptions options;
    options.component = program_folder() + L"\\quennet.dll";
    options.config_folder = config_.path();
    app_ = std::make_unique<player::PlayerApp>(options);
    EXPECT_TRUE(app_->window().docked().empty());
}

}  // namespace
}  // namespace app_test
