// A rename across the library in the player, on real files: the panel's menu opened on a value, the
// preview read and answered, the files written, then Edit > "Undo tag update". With QUENNET_VALUES_FILES
// set, the files stay in that folder (the renamed ones copied to its "renamed" subfolder first) for a
// reader that shares no code with the player (library_values_files_test.sh reads them with mutagen).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>

#include "player/app/PlayerApp.h"
#include "player/app/TagReader.h"
#include "player/history/FieldChanges.h"
#include "player/history/HistoryCommands.h"
#include "presets/PresetStore.h"
#include "resources/library_values_ids.h"
#include "resources/resource.h"
#include "sdk/utf8.h"
#include "tests/app/audio_files.h"
#include "tests/harness/keyboard.h"
#include "tests/harness/list_view.h"
#include "tests/harness/message_box.h"
#include "tests/harness/mouse.h"
#include "tests/harness/pump.h"
#include "tests/options/dialog_script.h"
#include "tests/window/menu_reader.h"

namespace {

using Values = std::vector<std::string>;
using player::history::HistoryCommands;

std::wstring program_folder() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring text(path, length);
    return text.substr(0, text.find_last_of(L"\\/"));
}

std::wstring text_of(HWND dialog, int id) {
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, id, text, 512);
    return text;
}

// Up to the submenu at the end of the panel's menu, into it, and its first item: the rename.
void choose_rename() {
    std::vector<INPUT> keys;
    for (WORD code : {WORD(VK_UP), WORD(VK_RIGHT), WORD(VK_RETURN)}) {
        for (DWORD flags : {DWORD(0), DWORD(KEYEVENTF_KEYUP)}) {
            INPUT key{};
            key.type = INPUT_KEYBOARD;
            key.ki.wVk = code;
            key.ki.dwFlags = flags;
            keys.push_back(key);
        }
    }
    SendInput(UINT(keys.size()), keys.data(), sizeof(INPUT));
}

const std::vector<std::pair<std::wstring, Values>> songs{
    {L"01 first.mp3", {"Jazz", "Hip Hop"}},
    {L"02 second.mp3", {"Hip-Hop", "Hip Hop"}},
    {L"03 third.mp3", {"Rock"}},
    {L"04 fourth.mp3", {"Hip Hop", "Soul"}},
};

class RenameOnFiles : public ::testing::Test {
protected:
    RenameOnFiles() {
        if (const char* kept = std::getenv("QUENNET_VALUES_FILES")) {
            folder_ = sonavel::utf8_to_wide(kept);
            CreateDirectoryW(folder_.c_str(), nullptr);
        } else {
            temp_.emplace();
            folder_ = temp_->path();
        }
        for (const auto& [name, genres] : songs) {
            const std::wstring path = file(name);
            app_test::write_audio(path);
            TagLib::PropertyMap tags;
            tags.insert("ARTIST", app_test::string_list({"Ann"}));
            tags.insert("GENRE", app_test::string_list(genres));
            app_test::set_tags(path, tags);
        }
    }
    ~RenameOnFiles() override { app_.reset(); }

    std::wstring file(const std::wstring& name) const { return folder_ + L"\\" + name; }
    Values genres(const std::wstring& name) {
        auto record = player::read_track_record(file(name));
        if (!record) return {"<unreadable>"};
        return player::history::values_of(*record, "GENRE");
    }
    void start() {
        player::PlayerOptions options;
        options.component = program_folder() + L"\\quennet.dll";
        options.config_folder = config_.path();
        options.folders = {folder_};
        app_ = std::make_unique<player::PlayerApp>(options);
        harness::pump_for(std::chrono::milliseconds(50));
    }
    player::DockedPanel& dock_genre_panel() {
        quennet::Options preset;
        preset.name = "Genres";
        preset.metadata_field = "GENRE";
        sonavel::stream_writer_buffer config;
        sonavel::abort_callback_dummy abort;
        quennet::write_store(config, abort, preset, {preset});
        const auto& types = app_->window().panel_types();
        auto found = std::find_if(types.begin(), types.end(), [](const auto& t) { return t.name == "Varnel Panel"; });
        EXPECT_NE(found, types.end());
        auto& docked = app_->window().dock(found->type, config.data());
        harness::pump_for(std::chrono::milliseconds(50));
        return docked;
    }
    bool idle() { return app_->engines().io.running() == 0; }

    // Selects the first track, rests the mouse on the panel's row of `value` and runs `script` with the
    // panel's menu opened there and the rename chosen from its "Library values".
    void rename_from_menu(player::DockedPanel& docked, const std::wstring& value, options_test::DialogScript& script) {
        const HWND playlist = app_->window().playlist().window();
        harness::click_label(playlist, 0);
        harness::pump_for(std::chrono::milliseconds(80));
        const HWND list = GetDlgItem(docked.window(), IDC_PANEL_VALUE_LIST);
        int row = -1;
        ASSERT_TRUE(harness::pump_until([&] {
            for (int i = 0; i < harness::item_count(list); ++i)
                if (harness::item_text(list, i) == value) row = i;
            return row >= 0;
        }));
        RECT label{LVIR_LABEL};
        SendMessageW(list, LVM_GETITEMRECT, WPARAM(row), LPARAM(&label));
        harness::rest_mouse(list, POINT{(label.left + label.right) / 2, (label.top + label.bottom) / 2});
        script.run([&] {
            window_test::MenuReader reader(choose_rename);
            SendMessageW(docked.window(), WM_CONTEXTMENU, WPARAM(list), MAKELPARAM(-1, -1));
            EXPECT_TRUE(reader.seen);
        });
    }

    harness::UnexpectedBoxGuard no_boxes_;
    std::optional<app_test::TempFolder> temp_;
    app_test::TempFolder config_;
    std::wstring folder_;
    std::unique_ptr<player::PlayerApp> app_;
};

TEST_F(RenameOnFiles, EveryCarryingFileIsRenamedAndUndoRestoresThemAll) {
    start();
    auto& docked = dock_genre_panel();
    options_test::DialogScript script;
    std::wstring summary, note, files;
    script.in(L"Rename value in the library", [&](HWND dialog) {
        harness::type_text(GetDlgItem(dialog, IDC_LIBRARY_VALUE_NEW), L"Hip-Hop");
    });
    script.in(L"Rename value in the library", [&](HWND dialog) {
        summary = text_of(dialog, IDC_LIBRARY_VALUE_SUMMARY);
        note = text_of(dialog, IDC_LIBRARY_VALUE_NOTE);
        files = text_of(dialog, IDC_LIBRARY_VALUE_FILES);
        const HWND button = GetDlgItem(dialog, IDOK);
        harness::click(button, harness::centre_of(button));
    });
    rename_from_menu(docked, L"Hip Hop", script);
    EXPECT_EQ(summary, L"Rename 'Hip Hop' to 'Hip-Hop' in 3 files");
    EXPECT_EQ(note, L"merge into 'Hip-Hop' (1 file carries both: they keep one)");
    EXPECT_EQ(files, L"01 first.mp3\r\n02 second.mp3\r\n04 fourth.mp3\r\n");
    ASSERT_EVENTUALLY(idle() && genres(L"04 fourth.mp3") == (Values{"Hip-Hop", "Soul"}));
    EXPECT_EQ(genres(L"01 first.mp3"), (Values{"Jazz", "Hip-Hop"}));
    EXPECT_EQ(genres(L"02 second.mp3"), (Values{"Hip-Hop"}));
    EXPECT_EQ(genres(L"03 third.mp3"), (Values{"Rock"}));
    harness::pump_for(std::chrono::milliseconds(60));

    if (!temp_) {
        const std::wstring renamed = folder_ + L"\\renamed";
        CreateDirectoryW(renamed.c_str(), nullptr);
        for (const auto& song : songs) CopyFileW(file(song.first).c_str(), (renamed + L"\\" + song.first).c_str(), FALSE);
    }

    PostMessageW(app_->window().frame(), WM_COMMAND, MAKEWPARAM(HistoryCommands::command_undo, 0), 0);
    harness::pump_for(std::chrono::milliseconds(20));
    ASSERT_EVENTUALLY(idle() && genres(L"04 fourth.mp3") == (Values{"Hip Hop", "Soul"}));
    for (const auto& [name, before] : songs) EXPECT_EQ(genres(name), before) << sonavel::wide_to_utf8(name);
    harness::pump_for(std::chrono::milliseconds(40));
}

TEST_F(RenameOnFiles, AFileChangedByAnotherProgramMeanwhileIsLeftAloneAndReported) {
    start();
    auto& docked = dock_genre_panel();
    harness::MessageBoxAnswerer boxes({IDOK});
    options_test::DialogScript script;
    script.in(L"Rename value in the library", [&](HWND dialog) {
        harness::type_text(GetDlgItem(dialog, IDC_LIBRARY_VALUE_NEW), L"Hip-Hop");
    });
    script.in(L"Rename value in the library", [&](HWND dialog) {
        // While the preview is open another program rewrites the fourth file.
        TagLib::PropertyMap tags = app_test::tags_of(file(L"04 fourth.mp3"));
        tags.replace("GENRE", app_test::string_list({"Hip Hop", "Funk"}));
        app_test::set_tags(file(L"04 fourth.mp3"), tags);
        const HWND button = GetDlgItem(dialog, IDOK);
        harness::click(button, harness::centre_of(button));
    });
    rename_from_menu(docked, L"Hip Hop", script);
    ASSERT_EVENTUALLY(idle() && boxes.answered() == 1);
    EXPECT_NE(boxes.boxes()[0].text.find(L"04 fourth.mp3: Its tags were changed by another program"), std::wstring::npos)
        << sonavel::wide_to_utf8(boxes.boxes()[0].text);
    EXPECT_EQ(genres(L"04 fourth.mp3"), (Values{"Hip Hop", "Funk"})) << "not overwritten";
    EXPECT_EQ(genres(L"01 first.mp3"), (Values{"Jazz", "Hip-Hop"}));
    EXPECT_EQ(genres(L"02 second.mp3"), (Values{"Hip-Hop"}));
    harness::pump_for(std::chrono::milliseconds(40));
}

}  // namespace
