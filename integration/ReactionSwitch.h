#pragma once
// Whether tag changes reported by the host become fill events. Off while the component writes tags
// itself, so that its own write does not refill the panels a second time. Main thread only.
namespace quennet {

bool tag_update_reaction_on() noexcept;
void set_tag_update_reaction(bool on) noexcept;

}  // namespace quennet
