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

using bytes_t = std::vector<std::uint8_t>;

// Composes configuration blocks byte by byte.
class block_builder {
public:
    block_builder& entry(const sonavel::guid& id, std::initializer_list<int> data) {
        return entry(id, std::uint32_t(data.size()), data);
    }
    // An entry whose stored count need not match its data.
    block_builder& entry(const sonavel::guid& id, std::uint32_t count, std::initializer_list<int> data) {
        raw_guid(id);
        u32(count);
        return raw(data);
    }
    block_builder& raw_guid(const sonavel::guid& id) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(&id);
        bytes_.insert(bytes_.end(), p, p + sizeof id);
        return *this;
    }
    block_builder& u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_.push_back(std::uint8_t(v >> (8 * i)));
        return *this;
    }
    block_builder& raw(std::initializer_list<int> data) {
        for (int b : data) bytes_.push_back(std::uint8_t(b));
        return *this;
    }
    const bytes_t& bytes() const { return bytes_; }

private:
    bytes_t bytes_;
};

}  // namespace registration_test
