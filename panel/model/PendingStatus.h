#pragma once
// The host's status line about unwritten edits: how many changes the live panels hold and the keys that
// write or discard them. The line is the host's optional service; without it nothing is shown. Main thread.
#include <cstddef>
#include <string>

namespace quennet {

// "Pending: 2 changes — Enter writes, Esc discards"; empty for 0.
std::string pending_status_text(std::size_t changes);
// The changes of every live panel with pending edits, as Apply would write them.
std::size_t pending_changes_of_live_panels();
// Hands the text for the live panels to the host. A host without the service, or one whose service
// fails, is left alone: the status line is a courtesy, never a reason for an edit to fail.
void show_pending_status() noexcept;

}  // namespace quennet
