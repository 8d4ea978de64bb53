#pragma once
// A started host with this executable's own service list registered as a component's, as the player
// would have after loading one component.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "player/engine/HostEngines.h"
#include "sdk/core_api.h"

namespace engine_test {

class HostFixture : public ::testing::Test {
protected:
    void SetUp() override {
        // Keep test output readable; the console's lines are still recorded.
        engines.console.set_mirror(false);
        engines.register_services({sonavel::service_factory_base::list_head()});
        engines.start();
    }

    std::vector<std::string> console_lines_containing(const std::string& text) const {
        std::vector<std::string> found;
        for (const auto& line : engines.console.lines()) {
            if (line.find(text) != std::string::npos) found.push_back(line);
        }
        return found;
    }

    player::HostEngines engines;
};

// "a,b,c": lists in failure messages read at a glance.
inline std::string join(const std::vector<std::string>& texts) {
    std::string out;
    for (const auto& t : texts) out += (out.empty() ? "" : ",") + t;
    return out;
}

inline std::vector<std::string> paths_of(const sonavel::metadb_handle_list& tracks) {
    std::vector<std::string> paths;
    for (const auto& t : tracks) paths.emplace_back(t->get_path());
    return paths;
}

inline bool sorted_by_pointer(const sonavel::metadb_handle_list& tracks) {
    return std::is_sorted(tracks.begin(), tracks.end(), [](const auto& a, const auto& b) {
        return std::less<const sonavel::metadb_handle*>{}(a.get_ptr(), b.get_ptr());
    });
}

// Every value of a field of the track's current record, or {"<no record>"}.
inline std::vector<std::string> values_of(const sonavel::metadb_handle_ptr& track, const char* field) {
    sonavel::file_info_impl record;
    if (!track->get_info(record)) return {"<no record>"};
    std::vector<std::string> values;
    std::size_t f = record.meta_find(field);
    if (f == sonavel::file_info::npos) return values;
    for (std::size_t v = 0; v < record.meta_enum_value_count(f); ++v) values.emplace_back(record.meta_enum_value(f, v));
    return values;
}

// Waits for a condition another thread makes true, without a message loop.
inline bool wait_for(const std::function<bool()>& done, int timeout_ms = 5000) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace engine_test
