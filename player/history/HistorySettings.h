#pragma once
// The history's bound in the host's advanced preferences: a branch "Tag update history" with the number
// of updates and the number of changed values kept. The entries read and change the history's limits;
// the player keeps them in player.cfg. Registered by the player as host-owned services; main thread.
#include <cstdint>
#include <functional>
#include <string>

#include "player/history/HistoryLimits.h"
#include "sdk/advconfig.h"

namespace player::history {

class HistoryBranch : public sonavel::advconfig_branch {
public:
    using interface_t = sonavel::advconfig_branch;
    static constexpr sonavel::guid id = {0x3E9A51C2, 0x7D04, 0x4B8F, {0x92, 0x1A, 0x6C, 0x5F, 0x08, 0xE3, 0xB7, 0x44}};

    void get_name(std::string& out) override { out = "Tag update history"; }
    sonavel::guid get_guid() override { return id; }
    sonavel::guid get_parent() override { return sonavel::advconfig_entry::guid_root; }
    void reset() override {}
    double get_sort_priority() override { return 0; }
};

// One of the two limits as an unsigned integer edited as text.
class HistoryLimitEntry : public sonavel::advconfig_entry_string {
public:
    using interface_t = sonavel::advconfig_entry_string;
    enum class limit { updates, changed_values };

    // `get` and `set` read and change the history's limits.
    HistoryLimitEntry(limit which, std::function<HistoryLimits()> get, std::function<void(const HistoryLimits&)> set);

    void get_name(std::string& out) override;
    sonavel::guid get_guid() override;
    sonavel::guid get_parent() override { return HistoryBranch::id; }
    void reset() override;
    double get_sort_priority() override { return which_ == limit::updates ? 0 : 1; }
    void get_state(std::string& out) override;
    // Digits only; anything else, or nothing, leaves the limit as it is. At least 1.
    void set_state(const char* text) override;
    unsigned get_flags() override { return flag_is_integer; }

private:
    limit which_;
    std::function<HistoryLimits()> get_;
    std::function<void(const HistoryLimits&)> set_;
};

}  // namespace player::history
