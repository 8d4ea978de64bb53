#include "player/history/PlayerHistory.h"

#include "player/engine/HostEngines.h"

namespace player::history {
namespace {

void add_entry(HostEngines& engines, sonavel::advconfig_entry& entry) {
    engines.state.registry.add_instance(sonavel::advconfig_entry::class_guid,
                                        sonavel::service_ptr_t<sonavel::service_base>(static_cast<sonavel::service_base*>(&entry)));
}

}  // namespace

PlayerHistory::PlayerHistory(const std::string& folder, HostEngines& engines, const ConfigStore& configs)
    : engines_(engines),
      history_(database_path(folder), HistoryLimits::from_bytes(configs.block(history_limits_block))) {
    auto get = [this] { return history_.limits(); };
    auto set = [this](const HistoryLimits& limits) { history_.set_limits(limits); };
    updates_entry_.emplace(HistoryLimitEntry::limit::updates, get, set);
    values_entry_.emplace(HistoryLimitEntry::limit::changed_values, get, set);
    add_entry(engines_, branch_);
    add_entry(engines_, *updates_entry_);
    add_entry(engines_, *values_entry_);
    engines_.recorder = &history_;
}

void PlayerHistory::attach_menu(HWND frame) { commands_ = std::make_unique<HistoryCommands>(frame, engines_, history_); }

void PlayerHistory::save(ConfigStore& configs) const {
    configs.set_block(history_limits_block, history_.limits().to_bytes());
}

}  // namespace player::history
