#pragma once
// The client object the entry point returns, and what it keeps for the whole component: the core
// interface, the module handle, the library path and whether host services may be called.
#include <string>

#include "sdk/component.h"

namespace quennet {

class ComponentClient final : public sonavel::component_client {
public:
    unsigned get_version() override;
    sonavel::service_factory_base* get_service_list() override;
    void get_config(sonavel::stream_writer* writer, sonavel::abort_callback& abort) override;
    void set_config(sonavel::stream_reader* reader, sonavel::abort_callback& abort) override;
    void set_library_path(const char* path, const char* name) override;
    void services_init(bool available) override;
    bool is_debug() override;

    const std::string& library_path() const noexcept { return path_; }
    const std::string& library_file_name() const noexcept { return file_name_; }
    bool services_available() const noexcept { return services_available_; }
    HINSTANCE__* module() const noexcept { return module_; }
    void set_module(HINSTANCE__* module) noexcept { module_ = module; }

    static ComponentClient& instance();

private:
    std::string path_;
    std::string file_name_;
    bool services_available_ = false;
    HINSTANCE__* module_ = nullptr;
};

}  // namespace quennet
