#pragma once
// Apply: the edits of every panel that has some become new tag values of the tracks each panel's edits
// were made for, written by the host in the background; the panels refresh when the write completes.
// Main thread only.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "panel/model/TagChanges.h"

namespace quennet {

class PanelModel;

// Writes the pending edits of all live panels. `initiating` (may be null) is the panel that asked and
// is not refilled afterwards; `preset_name` (may be empty) is the preset it switches to after a write.
void commit_pending(unsigned event, PanelModel* initiating, const std::string& preset_name);

// The panel's edits into the maps, each entry for the panel's own pending tracks; marks it busy. Nothing
// when it has no pending tracks or is busy.
void collect_changes(PanelModel& panel, EditMap& add, EditMap& remove);

// The refresh after a write, a cancel or a commit with nothing to write. Panels that are no longer live
// are skipped.
void refill_after_update(const std::vector<PanelModel*>& panels, unsigned event, PanelModel* initiating,
                         const std::string& preset_name);

// Above the warning threshold, asks "You will update %d files. Continue?"; false when answered No.
bool confirm_update(std::size_t files);

// The large-update warning applies: the whole 64-bit threshold counts.
bool update_needs_warning(std::uint64_t threshold, std::size_t files) noexcept;

}  // namespace quennet
