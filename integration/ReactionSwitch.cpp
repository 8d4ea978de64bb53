#include "integration/ReactionSwitch.h"

namespace quennet {
namespace {
bool reaction_on = true;
}

bool tag_update_reaction_on() noexcept { return reaction_on; }
void set_tag_update_reaction(bool on) noexcept { reaction_on = on; }

}  // namespace quennet
