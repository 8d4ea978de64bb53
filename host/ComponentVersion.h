#pragma once
// The component's entry in the host's list of installed components.
#include <string>

#include "sdk/component.h"

namespace quennet {

// Implemented for the host; main thread. The file name is the one the host gave the client object.
class componentversion_myimpl : public sonavel::componentversion {
public:
    using interface_t = sonavel::componentversion;

    void get_file_name(std::string& out) override;
    void get_component_name(std::string& out) override;
    void get_component_version(std::string& out) override;
    void get_about_message(std::string& out) override;
};

}  // namespace quennet
