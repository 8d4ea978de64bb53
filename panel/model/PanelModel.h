#pragma once
// The model half of a panel: its working preset and preset list, its filler and value list, and the
// flags the panel window sets (shown) and the tag update sets (busy). The panel window owns one; a
// panel is live, and receives events, from construction to destruction. Main thread only.
#include <windows.h>

#include <string>
#include <vector>

#include "panel/model/FillTarget.h"
#include "panel/model/LivePanels.h"
#include "panel/model/PanelFiller.h"
#include "panel/model/ValueList.h"
#include "presets/Options.h"

namespace quennet {

class PanelModel final : public FillTarget, public ValueListOwner, public LivePanel {
public:
    // `module` holds the check-box bitmap; `controls` are the panel window's list and edit boxes.
    PanelModel(HINSTANCE module, const ValueListControls& controls, Options current, std::vector<Options> presets);
    ~PanelModel();
    PanelModel(const PanelModel&) = delete;
    PanelModel& operator=(const PanelModel&) = delete;

    // FillTarget, ValueListOwner
    Options& current_options() override { return current_; }
    std::vector<Options>& preset_list() override { return presets_; }
    void update_controls() override;
    void rebuild_now() override { values_.rebuild_now(); }
    bool busy() override { return busy_; }
    bool fill_running() override { return filler_.running(); }

    // LivePanel
    bool shown() const override { return shown_; }
    bool has_pending_edits() const override { return !values_.pending_tracks().empty(); }
    void request_fill(unsigned event) override;
    void commit_all_pending(unsigned event) override;

    void set_shown(bool shown) noexcept { shown_ = shown; }
    void set_busy(bool busy) noexcept { busy_ = busy; }
    // The working preset becomes a copy of the preset named `name`, and the panel fills with event 1.
    // false, changing nothing, when there is no such preset.
    bool choose_preset(const std::string& name);

    ValueList& values() noexcept { return values_; }
    const ValueList& values() const noexcept { return values_; }
    PanelFiller& filler() noexcept { return filler_; }
    const ValueListControls& controls() const noexcept { return controls_; }
    // Fills started (refusals while running not counted); for diagnostics and tests.
    unsigned fills_started() const noexcept { return fills_started_; }

private:
    Options current_;
    std::vector<Options> presets_;
    ValueListControls controls_;
    bool shown_ = false;
    bool busy_ = false;
    unsigned fills_started_ = 0;
    PanelFiller filler_{*this};
    ValueList values_;
    // Last: the panel leaves the list before anything it delivers to is gone.
    LivePanelMembership membership_{*this};
};

}  // namespace quennet
