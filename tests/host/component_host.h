#pragma once
// A stand-in host that has loaded the component: this executable's service list and configuration
// variables are the component's own, linked in from the registration library.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "host/ComponentClient.h"
#include "host/Registration.h"
#include "player/engine/HostEngines.h"
#include "sdk/core_api.h"
#include "tests/sdk/config_block_builder.h"

namespace registration_test {

inline constexpr const char* installed_path = "C:\\Program Files\\Sonavel\\components\\quennet.dll";

class ComponentHost : public ::testing::Test {
protected:
    ComponentHost() {
        host.console.set_mirror(false);
        auto& client = quennet::ComponentClient::instance();
        client.set_library_path(installed_path, "quennet.dll");
        client.services_init(true);
    }
    ~ComponentHost() override { quennet::ComponentClient::instance().services_init(false); }

    // The host's own services first, then the component's list, as the player registers them.
    void load_component() {
        host.register_services({quennet::ComponentClient::instance().get_service_list()});
        host.start();
    }

    player::HostEngines host;
};

// Settings back at their defaults before and after each test: the variables live as long as the process.
class DefaultSettings : public ComponentHost {
protected:
    DefaultSettings() { reset_settings(); }
    ~DefaultSettings() override { reset_settings(); }

    static void reset_settings() {
        quennet::warning_threshold_entry.get_static_instance().reset();
        quennet::console_output_entry.get_static_instance().reset();
    }
};

using config_test::block_builder;
using config_test::bytes_t;

}  // namespace registration_test
