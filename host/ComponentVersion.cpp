#include "host/ComponentVersion.h"

#include "host/ComponentClient.h"
#include "host/Identity.h"

namespace quennet {

void componentversion_myimpl::get_file_name(std::string& out) { out = ComponentClient::instance().library_file_name(); }
void componentversion_myimpl::get_component_name(std::string& out) { out = display_name; }
void componentversion_myimpl::get_component_version(std::string& out) { out = version_text; }
void componentversion_myimpl::get_about_message(std::string& out) { out = about_text; }

}  // namespace quennet
