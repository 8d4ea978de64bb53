#pragma once
// Starts "Tag with same value from library" on a panel (its menu command). Main thread.
namespace quennet {

class PanelModel;

// The title of the process's progress window.
inline constexpr const char* tag_with_same_value_title = "Tag with the same value from library";

// Marks the panel busy and starts the process with a progress window owned by the panel's window; the
// process gives the panel back when it ends. false, changing nothing, while the panel is busy already;
// false too when the host does not start the process (the panel is then not busy).
bool start_tag_with_same_value(PanelModel& panel);

}  // namespace quennet
