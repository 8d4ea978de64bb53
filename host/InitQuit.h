#pragma once
// What the component does at the host's start-up: the panel host check, then the popup panels.
#include <string>

#include "sdk/component.h"

namespace quennet {

// Implemented for the host; called on the main thread once start-up is over.
class InitQuit : public sonavel::initquit {
public:
    using interface_t = sonavel::initquit;

    // Restores the popup panels when the panel host is sufficient; otherwise tells the user that it is
    // missing or too old, and restores nothing.
    void on_init() override;
};

// The text shown when the panel host is missing or too old, for the component's library file name.
std::string missing_panel_host_message(const std::string& file_name);

}  // namespace quennet
