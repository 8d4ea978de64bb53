#pragma once
// The player started on a folder of three tagged files with quennet.dll from beside the test program, as
// a user starts it, and the steps a user takes with it: menu commands, a GENRE panel docked, rows clicked.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "player/app/PlayerApp.h"
#include "presets/PresetStore.h"
#include "sdk/utf8.h"
#include "tests/app/audio_files.h"
#include "tests/harness/list_view.h"
#include "tests/harness/message_box.h"
#include "tests/harness/pump.h"

namespace app_test {

class PlayerFixture : public ::testing::Test {
protected:
    PlayerFixture() {
        song(L"01 first.mp3", "Ann", {"Rock"});
        song(L"02 second.mp3", "Bob", {"Rock", "Pop"});
        song(L"03 third.wav", "Cid", {"Jazz"});
    }
    ~PlayerFixture() override { app_.reset(); }

    void song(const std::wstring& name, const std::string& artist, const std::vector<std::string>& genres) {
        std::wstring path = music_.file(name);
        write_audio(path);
        TagLib::PropertyMap tags;
        tags.insert("ARTIST", string_list({artist}));
        tags.insert("TITLE", string_list({sonavel::wide_to_utf8(name)}));
        tags.insert("GENRE", string_list(genres));
        set_tags(path, tags);
    }
    static std::wstring program_folder() {
        wchar_t path[MAX_PATH];
        DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring text(path, length);
        return text.substr(0, text.find_last_of(L"\\/"));
    }
    void start() {
        player::PlayerOptions options;
        options.component = program_folder() + L"\\quennet.dll";
        options.config_folder = config_.path();
        options.folders = {music_.path()};
        app_ = std::make_unique<player::PlayerApp>(options);
        harness::pump_for(std::chrono::milliseconds(50));
    }

    player::PlayerWindow& window() { return app_->window(); }
    player::HostEngines& engines() { return app_->engines(); }
    HWND frame() { return window().frame(); }
    HWND playlist() { return window().playlist().window(); }
    bool idle() { return engines().io.running() == 0; }

    // The position of the menu bar's menu named `name` ("&View"); -1 when none.
    int menu_index(const std::wstring& name) {
        HMENU bar = GetMenu(frame());
        for (int i = 0; bar && i < GetMenuItemCount(bar); ++i) {
            wchar_t entry[128] = {};
            GetMenuStringW(bar, UINT(i), entry, 128, MF_BYPOSITION);
            if (name == entry) return i;
        }
        return -1;
    }
    // The id of the menu entry that reads `text` (its key left out) in the menu bar's `menu_index`-th menu; 0 when none.
    UINT menu_command(int menu_index, const std::wstring& text) {
        HMENU menu = GetSubMenu(GetMenu(frame()), menu_index);
        for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
            wchar_t entry[128] = {};
            GetMenuStringW(menu, UINT(i), entry, 128, MF_BYPOSITION);
            // An entry reads the same with or without the key shown after its tab.
            std::wstring shown = entry;
            if (text == shown.substr(0, shown.find(L'\t'))) return GetMenuItemID(menu, i);
        }
        return 0;
    }
    // Chooses the entry as the menu does: its command reaches the main window.
    void choose(int menu_index, const std::wstring& text) {
        UINT id = menu_command(menu_index, text);
        ASSERT_NE(id, 0u) << "no menu entry " << sonavel::wide_to_utf8(text);
        PostMessageW(frame(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        harness::pump_for(std::chrono::milliseconds(60));
    }

    const player::PlayerWindow::PanelType* varnel_type() {
        const auto& types = window().panel_types();
        auto found = std::find_if(types.begin(), types.end(), [](const auto& t) { return t.name == "Varnel Panel"; });
        return found == types.end() ? nullptr : &*found;
    }
    // A panel of the component editing GENRE, with Jazz among its preset values.
    player::DockedPanel& dock_genre_panel() {
        quennet::Options preset;
        preset.name = "Genres";
        preset.metadata_field = "GENRE";
        preset.add_tags("Jazz", ';');
        sonavel::stream_writer_buffer config;
        sonavel::abort_callback_dummy abort;
        quennet::write_store(config, abort, preset, {preset});
        auto& docked = window().dock(varnel_type()->type, config.data());
        harness::pump_for(std::chrono::milliseconds(50));
        return docked;
    }
    static int row_of(HWND list, const std::wstring& text) {
        for (int i = 0; i < harness::item_count(list); ++i)
            if (harness::item_text(list, i) == text) return i;
        return -1;
    }

    harness::UnexpectedBoxGuard no_boxes_;
    TempFolder music_, config_;
    std::unique_ptr<player::PlayerApp> app_;
};

}  // namespace app_test
