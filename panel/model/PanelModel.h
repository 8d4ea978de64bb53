#pragma once
// The model half of a panel: its filler and value list over the panel's working preset and preset list,
// and the flags the panel window sets (shown) and the tag update sets (busy). The panel window makes one
// when its window is initialised and drops it with the window; a panel is live, and receives events,
// exactly while its model exists. Main thread only.
#include <windows.h>

#include <string>
#include <vector>

#include "panel/model/FillTarget.h"
#include "panel/model/LivePanels.h"
#include "panel/model/PanelFiller.h"
#include "panel/model/ValueList.h"
#include "presets/Options.h"

namespace quennet {

// What the panel window does after the model replaced the working preset. Implemented by the panel window.
class PanelView {
public:
    // Appearance and the library registration follow the new preset.
    virtual void preset_changed() = 0;
    // The pending edits changed: begun, grown, written or discarded.
    virtual void pending_changed() {}

protected:
    ~PanelView() = default;
};

class PanelModel final : public FillTarget, public ValueListOwner, public LivePanel {
public:
    // `module` holds the check-box bitmap; `controls` are the panel window's list and edit boxes. The
    // preset and the preset list belong to the panel and outlive the model; `view` may be null.
    PanelModel(HINSTANCE module, const ValueListControls& controls, Options& current, std::vector<Options>& presets,
               PanelView* view = nullptr);
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
    void pending_changed() override;

    // LivePanel
    bool shown() const override { return shown_; }
    bool has_pending_edits() const override { return !values_.pending_tracks().empty(); }
    void request_fill(unsigned event) override;
    void commit_all_pending(unsigned event) override;

    void set_shown(bool shown) noexcept { shown_ = shown; }
    void set_busy(bool busy) noexcept { busy_ = busy; }
    // Switches to the preset named `name`: with pending edits they are written first and the switch
    // follows the write; otherwise the filter box is reset, the working preset becomes a copy of the
    // preset and the panel fills with event 1. false, changing nothing, when there is no such preset.
    bool choose_preset(const std::string& name);
    // Writes the pending edits of every panel, unless this one is rebuilding, hidden, busy or has none.
    void commit_if_pending(PanelModel* initiating, const std::string& preset_name);
    // The panel window holding the controls.
    HWND window() const noexcept { return GetParent(controls_.list); }

    ValueList& values() noexcept { return values_; }
    const ValueList& values() const noexcept { return values_; }
    PanelFiller& filler() noexcept { return filler_; }
    const ValueListControls& controls() const noexcept { return controls_; }
    // Fills started (refusals while running not counted); for diagnostics and tests.
    unsigned fills_started() const noexcept { return fills_started_; }

private:
    Options& current_;
    std::vector<Options>& presets_;
    ValueListControls controls_;
    PanelView* view_;
    bool shown_ = false;
    bool busy_ = false;
    unsigned fills_started_ = 0;
    // The edit box that had the keyboard focus when a fill or a write disabled it.
    HWND focus_taken_ = nullptr;
    PanelFiller filler_{*this};
    ValueList values_;
    // Last: the panel leaves the list before anything it delivers to is gone.
    LivePanelMembership membership_{*this};
};

}  // namespace quennet
