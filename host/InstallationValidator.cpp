#include "host/InstallationValidator.h"

#include "host/ComponentClient.h"
#include "host/Identity.h"

namespace quennet {

std::string_view file_name_part(std::string_view path) {
    std::size_t separator = path.find_last_of("/:\\|");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

bool has_required_file_name(std::string_view path) { return file_name_part(path) == required_file_name; }

bool component_installation_validator_filename::is_installed_correctly() {
    return has_required_file_name(ComponentClient::instance().library_path());
}

}  // namespace quennet
