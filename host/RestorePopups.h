#pragma once

namespace quennet {

// Reopens, hidden, the popup panels stored as persistent. Called at start-up once the panel host is
// known to be sufficient. Does nothing until popup panel windows exist.
void restore_popups();

}  // namespace quennet
