#include "player/app/ComponentModule.h"

#include "sdk/core_api.h"
#include "sdk/utf8.h"

namespace player {

ComponentModule::ComponentModule(HostState& state, const std::wstring& path)
    : core_(state, sonavel::wide_to_utf8(path)), file_name_(core_.get_module_file_name()),
      library_(LoadLibraryW(path.c_str())) {
    if (!library_) throw sonavel::exception_io_data();
    auto entry = reinterpret_cast<sonavel::sonavel_get_interface_t>(
        reinterpret_cast<void*>(GetProcAddress(library_.get(), sonavel::entry_point_name)));
    if (!entry) throw sonavel::exception_io_data();
    client_ = entry(&core_, reinterpret_cast<HINSTANCE__*>(library_.get()));
    if (!client_ || client_->get_version() != sonavel::client_interface_version) throw sonavel::exception_io_data();
    client_->set_library_path(core_.get_module_path(), core_.get_module_file_name());
}

void ComponentModule::start(ConfigStore& configs) {
    client_->services_init(true);
    started_ = true;
    configs.load(file_name_, *client_);
}

void ComponentModule::save(ConfigStore& configs) {
    if (started_) configs.save(file_name_, *client_);
}

void ComponentModule::stop() {
    if (!started_) return;
    client_->services_init(false);
    started_ = false;
}

void init_components() {
    for (auto& entry : sonavel::service_list_t<sonavel::initquit>()) entry->on_init();
}

void quit_components() {
    for (auto& entry : sonavel::service_list_t<sonavel::initquit>()) entry->on_quit();
}

}  // namespace player
