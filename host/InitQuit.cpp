#include "host/InitQuit.h"

#include "host/ComponentClient.h"
#include "host/PanelHostCheck.h"
#include "host/Registration.h"
#include "host/RestorePopups.h"
#include "sdk/console.h"
#include "sdk/core_api.h"

namespace quennet {

std::string missing_panel_host_message(const std::string& file_name) {
    return std::string("You have not installed the correct version of Panoplex.\n") + "Panoplex version " +
           minimum_panel_host_version_text + " or higher is required\n\n" + file_name + " will not work without it.";
}

void InitQuit::on_init() {
    if (installed_panel_host_sufficient()) {
        restore_popups();
        return;
    }
    const std::string& file_name = ComponentClient::instance().library_file_name();
    sonavel::standard_api_create_t<sonavel::popup_message>()->show(
        missing_panel_host_message(file_name).c_str(), file_name.c_str(), sonavel::popup_message::icon_information);
}

}  // namespace quennet
