#pragma once
// The stand-in player as one object: the host with its windows, TagLib tag writing, one component library
// loaded as the host loads it, the main window, and the configuration of the component (player.cfg) and
// of the docked panels (layout.cfg, with the window's look in view.cfg) and the library with the playlists (library.db) kept in a folder
// between runs. The constructor starts it all up,
// the destructor shuts it down and saves. Main thread.
#include <optional>
#include <string>
#include <vector>

#include "player/app/ComponentModule.h"
#include "player/app/PlayerWindow.h"
#include "player/tagwriter/TagLibTagStore.h"
#include "player/engine/ConfigStore.h"
#include "player/history/PlayerHistory.h"
#include "player/library/LibrarySync.h"
#include "player/win/WinHost.h"

namespace player {

struct PlayerOptions {
    std::wstring component;        // the component library
    std::wstring config_folder;    // where player.cfg and layout.cfg live
    std::wstring default_layout;   // the layout docked while there is no layout.cfg yet; empty: none
    std::vector<std::wstring> folders;  // music folders added to the library at start-up
};

class PlayerApp {
public:
    explicit PlayerApp(const PlayerOptions& options);
    ~PlayerApp();
    PlayerApp(const PlayerApp&) = delete;
    PlayerApp& operator=(const PlayerApp&) = delete;

    // Runs the message loop until the window is closed or Exit is chosen.
    int run();

    WinHost& host() noexcept { return host_; }
    HostEngines& engines() noexcept { return host_.engines(); }
    PlayerWindow& window() noexcept { return *window_; }
    // The history of tag updates; null when history.db could not be opened.
    history::PlayerHistory* history() noexcept { return history_ ? &*history_ : nullptr; }
    const std::string& component_name() const noexcept { return component_->file_name(); }
    library::LibrarySync& library() noexcept { return *library_; }

    std::wstring config_path() const { return folder_ + L"\\player.cfg"; }
    std::wstring layout_path() const { return folder_ + L"\\layout.cfg"; }
    // The window's look: columns, place, splitters, shown panels.
    std::wstring view_path() const { return folder_ + L"\\view.cfg"; }
    std::wstring library_path() const { return folder_ + L"\\library.db"; }

private:
    void shut_down();
    // The components' configuration into player.cfg now.
    void save_settings();
    // Waits (pumping messages) for tag writes still running, so that their results are not lost.
    void finish_updates();
    // Stops a library scan and waits for its end.
    void finish_scan();

    std::wstring folder_;
    // Declared before the host: the library goes after the host dropped its services, and the tag writer
    // after the host joined the workers that use it.
    std::optional<ComponentModule> component_;
    TagLibTagStore tags_;
    // Records the updates the host's workers write: goes after the host joined them.
    std::optional<history::PlayerHistory> history_;
    WinHost host_;
    ConfigStore configs_;
    std::unique_ptr<library::LibrarySync> library_;
    std::unique_ptr<PlayerWindow> window_;
};

}  // namespace player
