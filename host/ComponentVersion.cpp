// The component's entry in the host's list of installed components.
#include "host/ComponentClient.h"
#include "host/Identity.h"

namespace quennet {
namespace {

class componentversion_myimpl : public sonavel::componentversion {
public:
    using interface_t = sonavel::componentversion;

    void get_file_name(std::string& out) override { out = ComponentClient::instance().library_file_name(); }
    void get_component_name(std::string& out) override { out = display_name; }
    void get_component_version(std::string& out) override { out = version_text; }
    void get_about_message(std::string& out) override { out = about_text; }
};

sonavel::service_factory_single_t<componentversion_myimpl> g_componentversion_factory;

}  // namespace
}  // namespace quennet
