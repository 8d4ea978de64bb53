// The one exported function of the component.
#include "host/ComponentClient.h"
#include "sdk/core_api.h"

extern "C" sonavel::component_client* sonavel_get_interface(sonavel::core_api* core, HINSTANCE__* module) {
    sonavel::set_core(core);
    quennet::ComponentClient& client = quennet::ComponentClient::instance();
    client.set_module(module);
    return &client;
}
