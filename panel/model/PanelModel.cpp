#include "panel/model/PanelModel.h"

#include <utility>

#include "panel/model/TagUpdate.h"

namespace quennet {

PanelModel::PanelModel(HINSTANCE module, const ValueListControls& controls, Options current,
                       std::vector<Options> presets)
    : current_(std::move(current)), presets_(std::move(presets)), controls_(controls), values_(*this, module, controls) {}

PanelModel::~PanelModel() = default;

void PanelModel::update_controls() {
    // Typing into the boxes during a fill would be overwritten by its rebuild.
    const BOOL enable = filler_.running() ? FALSE : TRUE;
    if (controls_.filter_edit) EnableWindow(controls_.filter_edit, enable);
    if (controls_.add_edit) EnableWindow(controls_.add_edit, enable);
}

void PanelModel::request_fill(unsigned event) {
    if (!filler_.running()) ++fills_started_;
    filler_.request_fill(event);
}

void PanelModel::commit_all_pending(unsigned event) { commit_pending(event, nullptr, std::string()); }

bool PanelModel::choose_preset(const std::string& name) {
    const int found = find_preset(presets_, name);
    if (found < 0) return false;
    current_ = presets_[std::size_t(found)];
    request_fill(preset_selected);
    return true;
}

}  // namespace quennet
