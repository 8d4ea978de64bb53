#include "player/app/DockedPanels.h"

#include <algorithm>

#include "player/app/PaneFocus.h"
#include "player/app/PanelCaption.h"
#include "player/app/ScopedFlag.h"
#include "sdk/core_api.h"
#include "sdk/win/uwin.h"

namespace player {
namespace {
// The panel host tells nobody when a panel's Options dialog changes its field or preset: the captions are
// read again once a second.
constexpr int ticks_per_caption_refresh = 1000 / DockedPanels::tick_ms;
// How many closed panels a run keeps for reopening.
constexpr std::size_t max_closed = 10;
}  // namespace

DockedPanels::DockedPanels(HWND frame, WinHost& host, const PaneLayout& panes, HWND focus_home,
                           std::function<void()> changed)
    : frame_(frame), host_(host), panes_(panes), focus_home_(focus_home), changed_(std::move(changed)) {
    for (auto& panel : sonavel::service_list_t<dockwork::window>()) {
        std::string name;
        panel->get_name(name);
        types_.push_back({panel->get_guid(), name});
    }
}

DockedPanels::~DockedPanels() = default;

std::vector<HWND> DockedPanels::windows() const {
    std::vector<HWND> out;
    for (const auto& panel : docked_) out.push_back(panel->window());
    return out;
}

DockedPanel& DockedPanels::dock(const sonavel::guid& type, const std::vector<std::uint8_t>& config) {
    docked_.push_back(std::make_unique<DockedPanel>(frame_, type, config, RECT{0, 0, panes_.default_width(), 300}));
    // A panel's own key hook, installed with its window, would otherwise keep F6 typed into its text boxes.
    host_.loop().see_keys_first();
    views_.emplace_back();
    captioned_.emplace_back();
    DockedPanel* panel = docked_.back().get();
    HWND frame = frame_;
    panel->on_close = [frame, panel] { PostMessageW(frame, close_message, 0, reinterpret_cast<LPARAM>(panel)); };
    refresh_captions();
    changed_();
    return *panel;
}

std::size_t DockedPanels::index_of(const DockedPanel* panel) const {
    for (std::size_t i = 0; i < docked_.size(); ++i)
        if (docked_[i].get() == panel) return i;
    return sonavel::no_item;
}

void DockedPanels::show(std::size_t index, bool shown) {
    if (index >= docked_.size() || views_[index].hidden == !shown) return;
    if (!shown && pane_with_focus({docked_[index]->container()}) >= 0) SetFocus(focus_home_);
    views_[index].hidden = !shown;
    docked_[index]->show(shown);
    changed_();
}

void DockedPanels::close(std::size_t index) {
    // Hiding the panel may run a message loop (its write's large-update warning) that handles a second
    // click of the close box: only the first one closes.
    if (index >= docked_.size() || closing_) return;
    ScopedFlag closing(closing_);
    if (pane_with_focus({docked_[index]->container()}) >= 0) SetFocus(focus_home_);
    // Hidden first, it writes what it has pending (values typed into it join its preset), then its
    // configuration is kept for a reopening, then it closes.
    DockedPanel* hidden = docked_[index].get();
    hidden->show(false);
    // The list may have changed meanwhile.
    index = index_of(hidden);
    if (index == sonavel::no_item) return;
    closed_.push_back({hidden->panel()->get_guid(), hidden->save_config()});
    if (closed_.size() > max_closed) closed_.erase(closed_.begin());
    docked_.erase(docked_.begin() + std::ptrdiff_t(index));
    views_.erase(views_.begin() + std::ptrdiff_t(index));
    captioned_.erase(captioned_.begin() + std::ptrdiff_t(index));
    changed_();
}

void DockedPanels::close(const DockedPanel* panel) { close(index_of(panel)); }

std::vector<PanelPlacement> DockedPanels::placements() const {
    std::vector<PanelPlacement> out;
    for (const auto& panel : docked_) out.push_back({panel->panel()->get_guid(), panel->save_config()});
    return kept_.merged(out);
}

void DockedPanels::restore(const std::vector<PanelPlacement>& panels) {
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const PanelPlacement& placement = panels[i];
        try {
            dock(placement.type, placement.config);
        } catch (const std::exception& e) {
            std::string panel = sonavel::to_string(placement.type);
            for (const auto& type : types_)
                if (type.type == placement.type) panel = type.name + " " + panel;
            host_.engines().console.print(("Panel " + panel + " left out of the layout, its configuration kept: " +
                                           sonavel::message_of(e)).c_str());
            kept_.keep(i, placement, panel + ": " + sonavel::message_of(e));
        }
    }
}

std::vector<PanelView> DockedPanels::views() const { return kept_.merged_views(views_); }

void DockedPanels::apply_views(const std::vector<PanelView>& stored_views) {
    // Each panel docked from the stored layout takes the view stored at its own position there, also when
    // panels before it were kept aside.
    const std::vector<PanelView> stored = kept_.take_views(stored_views, docked_.size());
    for (std::size_t i = 0; i < docked_.size(); ++i) {
        views_[i].height = std::max(0, stored[i].height);
        if (stored[i].hidden) show(i, false);
    }
}

std::vector<int> DockedPanels::shown_heights() const {
    std::vector<int> heights;
    for (const PanelView& view : views_)
        if (!view.hidden) heights.push_back(view.height);
    return heights;
}

void DockedPanels::place(const std::vector<RECT>& areas) const {
    std::size_t shown = 0;
    for (std::size_t i = 0; i < docked_.size() && shown < areas.size(); ++i) {
        if (views_[i].hidden) continue;
        const RECT& r = areas[shown++];
        SetWindowPos(docked_[i]->container(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void DockedPanels::set_shown_heights(const std::vector<int>& heights) {
    std::size_t shown = 0;
    for (std::size_t i = 0; i < views_.size() && shown < heights.size(); ++i)
        if (!views_[i].hidden) views_[i].height = heights[shown++];
}

void DockedPanels::list_in(HMENU view) const {
    for (std::size_t i = 0; i < types_.size(); ++i)
        sonavel::uAppendMenu(view, MF_STRING, command_first_type + i, types_[i].name.c_str());
    if (types_.empty()) AppendMenuW(view, MF_STRING | MF_GRAYED, 0, L"(no panels)");
    // The docked panels, each to show or hide; a caption's close box closes one, and the panel closed last
    // can be docked again.
    if (!docked_.empty()) AppendMenuW(view, MF_SEPARATOR, 0, nullptr);
    for (std::size_t i = 0; i < docked_.size() && command_first_docked + i <= command_last_docked; ++i) {
        std::wstring text = L"&" + std::to_wstring(i + 1) + L" " + docked_[i]->caption();
        AppendMenuW(view, MF_STRING | (views_[i].hidden ? 0 : MF_CHECKED), command_first_docked + i, text.c_str());
    }
    if (!closed_.empty()) {
        const PanelPlacement& last = closed_.back();
        AppendMenuW(view, MF_SEPARATOR, 0, nullptr);
        const std::wstring text = L"&Reopen " + panel_caption(type_name(last.type), last.config);
        AppendMenuW(view, MF_STRING, command_reopen_closed, text.c_str());
    }
}

bool DockedPanels::run_command(UINT id) {
    if (id >= command_first_docked && id <= command_last_docked && id - command_first_docked < docked_.size()) {
        std::size_t index = id - command_first_docked;
        show(index, views_[index].hidden);
        return true;
    }
    if (id == command_reopen_closed && !closed_.empty()) {
        const PanelPlacement last = closed_.back();
        dock(last.type, last.config);
        closed_.pop_back();
        changed_();
        return true;
    }
    if (id >= command_first_type && id < command_first_type + types_.size()) {
        dock(types_[id - command_first_type].type);
        return true;
    }
    return false;
}

std::string DockedPanels::type_name(const sonavel::guid& type) const {
    std::string name;
    for (const auto& candidate : types_)
        if (candidate.type == type) name = candidate.name;
    return name;
}

void DockedPanels::refresh_captions() {
    for (std::size_t i = 0; i < docked_.size(); ++i) {
        DockedPanel& panel = *docked_[i];
        // Unchanged stored bytes name the same field and preset: only a change is read again.
        std::vector<std::uint8_t> config = panel.save_config();
        if (captioned_[i] == config) continue;
        panel.set_caption(panel_caption(type_name(panel.panel()->get_guid()), config));
        captioned_[i] = std::move(config);
    }
}

void DockedPanels::on_tick() {
    // The caption of the panel with the focus is drawn as active.
    int focused = pane_with_focus(windows());
    if (focused != focused_) {
        for (auto& panel : docked_) panel->redraw_caption();
        focused_ = focused;
    }
    if (++ticks_ % ticks_per_caption_refresh == 0) refresh_captions();
}

}  // namespace player
