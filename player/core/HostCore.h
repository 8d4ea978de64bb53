#pragma once
// The host side of the core interface: one HostState for the process, one ModuleCore per module (the
// host executable and each loaded component), all answering from the same registry.
#include <string>

#include "player/core/ServiceRegistry.h"
#include "sdk/core_api.h"

namespace player {

struct HostState {
    ServiceRegistry registry;
    HWND__* main_window = nullptr;
    bool initializing = true;
    bool shutting_down = false;
    bool services_available = false;
};

class ModuleCore final : public sonavel::core_api {
public:
    ModuleCore(HostState& state, std::string path);

    std::size_t service_count(const sonavel::guid& service_class) override;
    sonavel::service_ptr_t<sonavel::service_base> service_create(const sonavel::guid& service_class,
                                                                 std::size_t index) override;
    HWND__* get_main_window() override { return state_.main_window; }
    bool is_initializing() override { return state_.initializing; }
    bool is_shutting_down() override { return state_.shutting_down; }
    bool are_services_available() override { return state_.services_available; }
    const char* get_module_path() override { return path_.c_str(); }
    const char* get_module_file_name() override { return file_name_.c_str(); }

    // The part of a path after its last "/", "\", ":" or "|".
    static std::string file_name_of(const std::string& path);

private:
    HostState& state_;
    std::string path_;
    std::string file_name_;
};

}  // namespace player
