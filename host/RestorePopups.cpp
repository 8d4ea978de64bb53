#include "host/RestorePopups.h"

#include <exception>

#include "host/Registration.h"
#include "sdk/errors.h"
#include "ui/LogLine.h"
#include "ui/PopupWindows.h"

namespace quennet {

void restore_popups() {
    for (PopupConfig config : popup_configs.take_persistent()) {
        config.placement.show_state = 0;  // hidden: the track context menu shows them
        // One window that cannot be made must not keep the others closed.
        try {
            create_popup(config);
        } catch (const std::exception& e) {
            log_line("Unable to restore the popup window \"" + config.name + "\": " + sonavel::message_of(e));
        }
    }
}

}  // namespace quennet
