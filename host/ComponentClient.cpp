#include "host/ComponentClient.h"

#include "sdk/cfg_var.h"

namespace quennet {

ComponentClient& ComponentClient::instance() {
    static ComponentClient client;
    return client;
}

unsigned ComponentClient::get_version() { return sonavel::client_interface_version; }

sonavel::service_factory_base* ComponentClient::get_service_list() { return sonavel::service_factory_base::list_head(); }

void ComponentClient::get_config(sonavel::stream_writer* writer, sonavel::abort_callback& abort) {
    sonavel::cfg_var::config_write_all(*writer, abort);
}

void ComponentClient::set_config(sonavel::stream_reader* reader, sonavel::abort_callback& abort) {
    sonavel::cfg_var::config_read_all(*reader, abort);
}

void ComponentClient::set_library_path(const char* path, const char* name) {
    path_ = path;
    file_name_ = name;
}

void ComponentClient::services_init(bool available) { services_available_ = available; }

bool ComponentClient::is_debug() { return false; }

}  // namespace quennet
