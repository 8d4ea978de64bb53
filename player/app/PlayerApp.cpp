#include "player/app/PlayerApp.h"

#include <sqlite3.h>

#include "player/app/DamagedFile.h"
#include "player/app/LibrarySources.h"
#include "player/db/Database.h"
#include "player/tagwriter/TagWriteJournal.h"
#include "sdk/utf8.h"

namespace player {

PlayerApp::PlayerApp(const PlayerOptions& options)
    : folder_(options.config_folder), tags_(sonavel::wide_to_utf8(options.config_folder)) {
    HostEngines& engines = host_.engines();
    engines.tags = &tags_;
    // Stored files that could not be read, each set aside: told in one message once the window shows.
    std::string damaged;
    auto set_aside = [&](const std::wstring& path, const std::exception& e) {
        std::string name = sonavel::wide_to_utf8(path.substr(path.find_last_of(L"\\/") + 1));
        std::wstring aside = set_aside_damaged(path);
        std::string line = name + " could not be read: " + sonavel::message_of(e) + "\n";
        if (aside.empty()) return line + "It could not be set aside and will be replaced at the next save.\n\n";
        engines.console.print((name + " set aside as " + sonavel::wide_to_utf8(aside)).c_str());
        return line + "It was set aside as " + sonavel::wide_to_utf8(aside.substr(aside.find_last_of(L"\\/") + 1)) +
               "; the player starts without it.\n\n";
    };
    // A write cut short by the end of the last run is put back before any file is read.
    for (const auto& line : tagwriter::recover_tag_writes(sonavel::wide_to_utf8(folder_)))
        engines.console.print(line.c_str());
    try {
        configs_.read_file(sonavel::wide_to_utf8(config_path()).c_str());
    } catch (const std::exception& e) {
        configs_ = ConfigStore();  // nothing half-read
        engines.console.print(("Stored configuration ignored: " + sonavel::message_of(e)).c_str());
        damaged += set_aside(config_path(), e);
    }
    try {
        history_.emplace(sonavel::wide_to_utf8(folder_), engines, configs_);
    } catch (const db::DatabaseError& e) {
        // A history that is no database (any more) is set aside, and a new one keeps the updates from now.
        if (e.code() == SQLITE_NOTADB || e.code() == SQLITE_CORRUPT) {
            const std::wstring path = sonavel::utf8_to_wide(history::PlayerHistory::database_path(sonavel::wide_to_utf8(folder_)));
            damaged += set_aside(path, e);
            set_aside_damaged(path + L"-wal");
            DeleteFileW((path + L"-shm").c_str());
        }
        try {
            history_.emplace(sonavel::wide_to_utf8(folder_), engines, configs_);
        } catch (const std::exception& again) {
            damaged += "Tag updates are not recorded for undo: " + sonavel::message_of(again) + "\n\n";
        }
    } catch (const std::exception& e) {
        damaged += "Tag updates are not recorded for undo: " + sonavel::message_of(e) + "\n\n";
    }
    component_.emplace(engines.state, options.component);
    std::string unread_config;
    try {
        component_->start(configs_);
    } catch (const std::exception& e) {
        unread_config = "The stored configuration of " + component_->file_name() + " could not be read: " +
                        sonavel::message_of(e) + "\n\nIt is kept as stored; settings changed in this session are not saved.";
        engines.console.print(("Stored configuration of " + component_->file_name() + " kept unread: " +
                               sonavel::message_of(e)).c_str());
    }
    host_.register_services({sonavel::service_factory_base::list_head(), component_->service_list()});
    host_.show_popups_as_message_boxes();
    engines.start();
    init_components();

    library_ = std::make_unique<library::LibrarySync>(engines, sonavel::wide_to_utf8(library_path()), disk_sources(),
                                                      host_.main_window());
    window_ = std::make_unique<PlayerWindow>(host_, library_.get());
    window_->settings_applied = [this] { save_settings(); };
    window_->set_help_file(options.component.substr(0, options.component.find_last_of(L"\\/") + 1) +
                           L"help\\quennet_help.html");
    if (history_) history_->attach_menu(window_->frame());
    try {
        bool first_run = GetFileAttributesW(layout_path().c_str()) == INVALID_FILE_ATTRIBUTES;
        const std::wstring& layout = first_run ? options.default_layout : layout_path();
        if (!layout.empty()) window_->restore(read_layout(sonavel::wide_to_utf8(layout)));
    } catch (const std::exception& e) {
        engines.console.print(("Stored layout ignored: " + sonavel::message_of(e)).c_str());
        if (GetFileAttributesW(layout_path().c_str()) != INVALID_FILE_ATTRIBUTES) damaged += set_aside(layout_path(), e);
    }
    try {
        window_->apply_view(read_view_layout(sonavel::wide_to_utf8(view_path())));
    } catch (const std::exception& e) {
        engines.console.print(("Stored view ignored: " + sonavel::message_of(e)).c_str());
        damaged += set_aside(view_path(), e);
    }
    // Shown first: a damaged library database is reported in a message over the player's window.
    ShowWindow(window_->frame(), window_->starts_maximized() ? SW_SHOWMAXIMIZED : SW_SHOW);
    // The library as stored shows at once; the folders are then scanned in the background.
    library_->load();
    // Folders named on the command line join the library; every library folder is checked, so that the
    // others are right too (files changed or gone while the player was closed).
    std::vector<std::string> folders;
    for (const auto& folder : options.folders) folders.push_back(sonavel::wide_to_utf8(folder));
    library_->add_folders_and_scan(folders);
    if (!damaged.empty()) {
        damaged.erase(damaged.find_last_not_of('\n') + 1);
        engines.popups.show(damaged.c_str(), "Stored configuration", sonavel::popup_message::icon_error);
    }
    if (!unread_config.empty()) engines.popups.show(unread_config.c_str(), "Stored configuration", sonavel::popup_message::icon_error);
    if (!window_->kept_panels().empty())
        engines.popups.show(window_->kept_panels().report().c_str(), "Restoring the layout", sonavel::popup_message::icon_error);
}

PlayerApp::~PlayerApp() {
    try {
        shut_down();
    } catch (const std::exception& e) {
        host_.engines().console.print(("Shutdown: " + sonavel::message_of(e)).c_str());
    }
}

int PlayerApp::run() { return host_.loop().run(); }

void PlayerApp::save_settings() {
    // Stored at once, not only at shutdown: a new setting survives a player that does not end well.
    try {
        component_->save(configs_);
        configs_.write_file(sonavel::wide_to_utf8(config_path()).c_str());
    } catch (const std::exception& e) {
        host_.engines().console.print(("Settings not saved: " + sonavel::message_of(e)).c_str());
    }
}

void PlayerApp::finish_updates() {
    HostEngines& engines = host_.engines();
    host_.loop().run_until([&] { return engines.io.running() == 0; }, 60 * 1000);
}

void PlayerApp::finish_scan() {
    // What the scan found so far is stored already; the rest is found at the next start.
    library_->cancel();
    host_.loop().run_until([&] { return !library_->scanning(); }, 60 * 1000);
}

void PlayerApp::shut_down() {
    finish_scan();
    finish_updates();
    try {
        library_->save_playlists();
    } catch (const std::exception& e) {
        host_.engines().console.print(("Playlists not saved: " + sonavel::message_of(e)).c_str());
    }
    // A file that cannot be written costs that file only: the component is still shut down.
    try {
        write_layout(sonavel::wide_to_utf8(layout_path()), window_->placements());
    } catch (const std::exception& e) {
        host_.engines().console.print(("Layout not saved: " + sonavel::message_of(e)).c_str());
    }
    try {
        write_view_layout(sonavel::wide_to_utf8(view_path()), window_->view());
    } catch (const std::exception& e) {
        host_.engines().console.print(("View not saved: " + sonavel::message_of(e)).c_str());
    }
    // The component's block lists its popup windows: it is taken while they still exist.
    component_->save(configs_);
    if (history_) history_->save(configs_);
    // Docked panels are hidden before they close, popup windows before their owner goes: each writes the
    // edits it has pending, and those writes end before the host's services do.
    if (history_) history_->detach_menu();
    window_.reset();
    host_.hide_owned_windows();
    finish_updates();
    // Popup windows go with the main window that owns them, while the host's services still answer.
    host_.close_main_window();
    host_.engines().begin_shutdown();
    quit_components();
    component_->stop();
    configs_.write_file(sonavel::wide_to_utf8(config_path()).c_str());
}

}  // namespace player
