#pragma once

namespace quennet {

// Reopens, hidden and in stored order, the popup panel windows stored as persistent, each with its panel
// and the panel's configuration. Called at start-up once the panel host is known to be sufficient.
void restore_popups();

}  // namespace quennet
