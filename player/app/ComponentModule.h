#pragma once
// A component library loaded into the player: its entry point called, its client told its path, its
// services and its stored configuration; at the end asked for its configuration and told that services
// are gone. Main thread.
#include <windows.h>

#include <string>

#include "player/core/HostCore.h"
#include "player/engine/ConfigStore.h"
#include "sdk/component.h"
#include "sdk/win/unique_handle.h"

namespace player {

class ComponentModule {
public:
    // Loads the library and calls its entry point with a core of its own over `state`; throws the host's
    // data error when the file is no component of this host's interface version.
    ComponentModule(HostState& state, const std::wstring& path);
    // Frees the library: every service of it and every object it made must be gone by then.
    ~ComponentModule() = default;
    ComponentModule(const ComponentModule&) = delete;
    ComponentModule& operator=(const ComponentModule&) = delete;

    // Services on, then the stored configuration block (or an empty one), as the host does at start-up.
    // A block the component cannot read raises its error; the component is started all the same and the
    // store holds the block as stored.
    void start(ConfigStore& configs);
    // The component's configuration block into the store; its windows still exist then.
    void save(ConfigStore& configs);
    // Services off, once the component's windows are gone.
    void stop();

    sonavel::service_factory_base* service_list() { return client_->get_service_list(); }
    const std::string& file_name() const noexcept { return file_name_; }
    sonavel::component_client& client() noexcept { return *client_; }

private:
    // Declared first: the library goes before its core does.
    ModuleCore core_;
    std::string file_name_;
    sonavel::unique_hmodule library_;
    sonavel::component_client* client_ = nullptr;
    bool started_ = false;
};

// Runs every registered initquit's on_init, or on_quit.
void init_components();
void quit_components();

}  // namespace player
