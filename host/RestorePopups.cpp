#include "host/RestorePopups.h"

namespace quennet {

// Popup panel windows come with their own host; this is where start-up hands over to it.
void restore_popups() {}

}  // namespace quennet
