#pragma once
// What a fill needs of its panel: the working preset, the preset list it writes through to, and the
// two calls into the panel's window.
#include <vector>

#include "presets/Options.h"

namespace quennet {

class FillTarget {
public:
    virtual Options& current_options() = 0;
    virtual std::vector<Options>& preset_list() = 0;
    // Enables or disables the panel's edit boxes as its state says.
    virtual void update_controls() = 0;
    // Rebuilds the list control from the working preset.
    virtual void rebuild_now() = 0;

protected:
    ~FillTarget() = default;
};

}  // namespace quennet
