#pragma once
// Whether the component's library is installed under the file name the host expects of it.
#include <string_view>

#include "sdk/component.h"

namespace quennet {

// What follows the last "/", ":", "\" or "|" of the path; the whole path when none occurs.
std::string_view file_name_part(std::string_view path);
// The file-name part equals "quennet.dll", byte for byte.
bool has_required_file_name(std::string_view path);

// Implemented for the host; checks the library path the host gave the client object.
class component_installation_validator_filename : public sonavel::component_installation_validator {
public:
    using interface_t = sonavel::component_installation_validator;

    bool is_installed_correctly() override;
};

}  // namespace quennet
