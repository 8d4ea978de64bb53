#pragma once
// The history of tag updates as the player runs it: history.db in the player's folder, its limits from
// player.cfg and in the advanced preferences, the engines' recorder, and the Edit menu on the main window.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "player/engine/ConfigStore.h"
#include "player/history/HistoryCommands.h"
#include "player/history/HistorySettings.h"
#include "player/history/TagHistory.h"
#include "sdk/service.h"

namespace player {
struct HostEngines;
}

namespace player::history {

class PlayerHistory {
public:
    // Opens (or creates) history.db in `folder` (UTF-8) and records the engines' updates from now on.
    // Throws the host's I/O error when the file cannot be opened. Keep it alive longer than the engines.
    PlayerHistory(const std::string& folder, HostEngines& engines, const ConfigStore& configs);

    // The Edit menu on the main window; detach before the main window's menu goes.
    void attach_menu(HWND frame);
    void detach_menu() { commands_.reset(); }
    // The limits into player.cfg.
    void save(ConfigStore& configs) const;

    TagHistory& history() noexcept { return history_; }
    HistoryCommands* commands() noexcept { return commands_.get(); }

    static std::string database_path(const std::string& folder) { return folder + "\\history.db"; }

private:
    HostEngines& engines_;
    TagHistory history_;
    sonavel::service_impl_single_t<HistoryBranch> branch_;
    std::optional<sonavel::service_impl_single_t<HistoryLimitEntry>> updates_entry_;
    std::optional<sonavel::service_impl_single_t<HistoryLimitEntry>> values_entry_;
    std::unique_ptr<HistoryCommands> commands_;
};

}  // namespace player::history
