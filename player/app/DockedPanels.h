#pragma once
// The panels docked in the main window's panel area, in their order top to bottom: docking one of the
// registered panel types, showing, hiding and closing them, their View menu entries, their captions (the
// field and preset each edits, drawn in the active caption's colours while the focus is in the panel), and
// the stored panels that could not be docked again. The main window places them and keeps their timer;
// after each change it is asked to lay them out and list them again. Main thread.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "player/app/KeptPanels.h"
#include "player/app/LayoutFile.h"
#include "player/app/PaneLayout.h"
#include "player/app/ViewLayout.h"
#include "player/win/DockHost.h"
#include "player/win/WinHost.h"

namespace player {

class DockedPanels {
public:
    // View: one entry per registered panel type, which docks one; one per docked panel, ticked while shown.
    static constexpr UINT command_first_type = 200;
    static constexpr UINT command_first_docked = 300;
    static constexpr UINT command_last_docked = 399;
    // View: docks the panel closed last again, with its presets.
    static constexpr UINT command_reopen_closed = 400;
    // Posted to the main window when a panel's close box was clicked: lParam is the panel.
    static constexpr UINT close_message = WM_APP + 40;

    struct PanelType {
        sonavel::guid type;
        std::string name;
    };

    // `frame`: the main window the panels are docked in; `panes`: its layout, whose panel area sizes a new
    // panel; `focus_home`: the window the focus goes to when the panel holding it is hidden or closed;
    // `changed`: lays the panels out and lists them in the View menu again.
    DockedPanels(HWND frame, WinHost& host, const PaneLayout& panes, HWND focus_home, std::function<void()> changed);
    ~DockedPanels();
    DockedPanels(const DockedPanels&) = delete;
    DockedPanels& operator=(const DockedPanels&) = delete;

    // The registered panel types, in the order of the View menu.
    const std::vector<PanelType>& types() const noexcept { return types_; }
    const std::vector<std::unique_ptr<DockedPanel>>& docked() const noexcept { return docked_; }
    // The panels' own windows, in their order.
    std::vector<HWND> windows() const;

    // Docks a new panel of the type below the docked ones; throws "Service not found" for an unknown type.
    DockedPanel& dock(const sonavel::guid& type, const std::vector<std::uint8_t>& config = {});
    void show(std::size_t index, bool shown);
    bool shown(std::size_t index) const { return !views_.at(index).hidden; }
    // Closes a panel; `panel` as close_message names it (an unknown one is left alone). Until the player
    // exits, the View menu can dock the panels closed last again, with their configurations.
    void close(std::size_t index);
    void close(const DockedPanel* panel);

    // The docked panels with their configurations, as the layout file keeps them, and the stored panels
    // that could not be docked at their places, as they were stored.
    std::vector<PanelPlacement> placements() const;
    // Docks the stored panels; one that cannot be docked is kept aside with a console line.
    void restore(const std::vector<PanelPlacement>& panels);
    const KeptPanels& kept() const noexcept { return kept_; }
    // Each panel's height and visibility by its position in the layout file, the kept panels' included;
    // and back, after restore(): each docked panel takes the view stored at its own position.
    std::vector<PanelView> views() const;
    void apply_views(const std::vector<PanelView>& stored);

    // The heights of the shown panels (0: an equal share), as the user left them; and the areas the main
    // window gives them, in the same order; and the heights a splitter drag left them.
    std::vector<int> shown_heights() const;
    void place(const std::vector<RECT>& areas) const;
    void set_shown_heights(const std::vector<int>& heights);

    // Appends the View menu's entries: the panel types, then the docked panels.
    void list_in(HMENU view) const;
    // Runs one of those entries' commands; false when `id` is none of them.
    bool run_command(UINT id);

    // Reads each docked panel's field and preset into its caption again.
    void refresh_captions();
    // Runs on the main window's timer, every `tick_ms`.
    void on_tick();
    static constexpr UINT tick_ms = 250;

private:
    std::string type_name(const sonavel::guid& type) const;
    std::size_t index_of(const DockedPanel* panel) const;

    HWND frame_;
    WinHost& host_;
    const PaneLayout& panes_;
    HWND focus_home_;
    std::function<void()> changed_;
    std::vector<PanelType> types_;
    // Per docked panel, in the same order: the panel, its height and visibility, and the configuration its
    // caption was last read from (none before the first reading).
    std::vector<std::unique_ptr<DockedPanel>> docked_;
    std::vector<PanelView> views_;
    std::vector<std::optional<std::vector<std::uint8_t>>> captioned_;
    KeptPanels kept_;
    // The panels closed in this run, the last one last: the type and the configuration each had.
    std::vector<PanelPlacement> closed_;
    int focused_ = -1;  // the docked panel with the focus, -1: none
    bool closing_ = false;
    int ticks_ = 0;
};

}  // namespace player
