// Loads a component library, calls its entry point as the player does at start-up and prints what the
// component registered.
#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "player/core/HostCore.h"
#include "sdk/advconfig.h"
#include "sdk/component.h"
#include "sdk/contextmenu.h"
#include "sdk/dockwork.h"
#include "sdk/metadb.h"
#include "sdk/playlist.h"
#include "sdk/utf8.h"
#include "sdk/win/unique_handle.h"

namespace {

const char* class_name(const sonavel::guid& g) {
    static const std::pair<sonavel::guid, const char*> names[] = {
        {sonavel::advconfig_entry::class_guid, "advconfig_entry"},
        {sonavel::componentversion::class_guid, "componentversion"},
        {sonavel::component_installation_validator::class_guid, "component_installation_validator"},
        {sonavel::metadb_io_callback::class_guid, "metadb_io_callback"},
        {sonavel::playlist_callback_single_static::class_guid, "playlist_callback_single_static"},
        {sonavel::initquit::class_guid, "initquit"},
        {sonavel::contextmenu_item::class_guid, "contextmenu_item"},
        {dockwork::window::class_guid, "dockwork::window"},
        {dockwork::window_host::class_guid, "dockwork::window_host"},
    };
    for (const auto& [id, name] : names) {
        if (id == g) return name;
    }
    return "unknown service class";
}

// What a service says about itself, where its class has something to say.
void print_details(const sonavel::service_ptr_t<sonavel::service_base>& obj) {
    if (auto version = sonavel::service_try_query_t<sonavel::componentversion>(obj)) {
        std::string file, name, number, about;
        version->get_file_name(file);
        version->get_component_name(name);
        version->get_component_version(number);
        version->get_about_message(about);
        std::printf("    %s %s (%s)\n", name.c_str(), number.c_str(), file.c_str());
        for (std::size_t start = 0; start < about.size();) {
            std::size_t end = about.find('\n', start);
            if (end == std::string::npos) end = about.size();
            std::printf("    | %s\n", about.substr(start, end - start).c_str());
            start = end + 1;
        }
    } else if (auto entry = sonavel::service_try_query_t<sonavel::advconfig_entry>(obj)) {
        std::string name;
        entry->get_name(name);
        std::printf("    \"%s\"\n", name.c_str());
    } else if (auto validator = sonavel::service_try_query_t<sonavel::component_installation_validator>(obj)) {
        std::printf("    installed correctly: %s\n", validator->is_installed_correctly() ? "yes" : "no");
    }
}

int run(const std::wstring& path) {
    sonavel::unique_hmodule module(LoadLibraryW(path.c_str()));
    if (!module) {
        std::printf("cannot load %s (error %lu)\n", sonavel::wide_to_utf8(path).c_str(), GetLastError());
        return 2;
    }
    auto entry = reinterpret_cast<sonavel::sonavel_get_interface_t>(
        reinterpret_cast<void*>(GetProcAddress(module.get(), sonavel::entry_point_name)));
    if (!entry) {
        std::printf("%s does not export %s\n", sonavel::wide_to_utf8(path).c_str(), sonavel::entry_point_name);
        return 2;
    }

    player::HostState state;
    player::ModuleCore host_core(state, "loader.exe");
    sonavel::set_core(&host_core);
    std::string utf8_path = sonavel::wide_to_utf8(path);
    player::ModuleCore component_core(state, utf8_path);

    sonavel::component_client* client = entry(&component_core, reinterpret_cast<HINSTANCE__*>(module.get()));
    if (!client) {
        std::printf("entry point returned no client\n");
        return 2;
    }
    std::printf("component: %s\n", component_core.get_module_file_name());
    std::printf("interface version: %u\n", client->get_version());
    if (client->get_version() != sonavel::client_interface_version) return 3;
    client->set_library_path(utf8_path.c_str(), component_core.get_module_file_name());
    client->services_init(true);
    sonavel::abort_callback_dummy abort;
    sonavel::stream_reader_memblock empty(nullptr, 0);
    client->set_config(&empty, abort);
    state.registry.add_module(sonavel::service_factory_base::list_head());
    state.registry.add_module(client->get_service_list());
    state.services_available = true;
    state.initializing = false;

    std::printf("debug build: %s\n", client->is_debug() ? "yes" : "no");
    std::printf("services, from the head of its list:\n");
    for (auto* f = client->get_service_list(); f; f = f->next()) {
        std::printf("  %s %s\n", class_name(f->service_class()), sonavel::to_string(f->service_class()).c_str());
        print_details(f->instance_create());
    }
    sonavel::stream_writer_buffer config;
    client->get_config(&config, abort);
    std::printf("configuration block: %u bytes\n", unsigned(config.data().size()));

    state.shutting_down = true;
    client->services_init(false);
    sonavel::set_core(nullptr);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring path = argc > 1 ? argv[1] : L"quennet.dll";
    try {
        return run(path);
    } catch (const std::exception& e) {
        std::printf("error: %s\n", sonavel::message_of(e).c_str());
        return 1;
    }
}
