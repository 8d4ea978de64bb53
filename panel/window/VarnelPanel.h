#pragma once
// The panel: one object per panel the panel host places, in its layout or in a popup window. It is the
// dialog window built from template 1100 (the value list and the filter and add boxes), the panel host's
// panel object, a listener for library changes while it scans the library, and a listener for the panel
// host's global colours and fonts. Its model (filler, value list, pending edits) exists while its window
// does; its preset and preset list live as long as the object. Main thread only.
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "integration/VarnelPanelType.h"
#include "panel/model/PanelModel.h"
#include "panel/window/PanelAppearance.h"
#include "panel/window/ValueSuggestions.h"
#include "panel/window/ValueTooltip.h"
#include "presets/Options.h"
#include "sdk/dockwork.h"
#include "sdk/library.h"
#include "sdk/panoplex.h"
#include "ui/Dialog.h"

namespace quennet {

class PopupPanelBase;

class VarnelPanel : public Dialog,
                    public sonavel::library_callback_dynamic,
                    public dockwork::window,
                    public panoplex::colours::common_callback,
                    public panoplex::fonts::common_callback,
                    private PanelView {
public:
    // The add box's suggestions while the panel's window exists.
    ValueSuggestions* suggestions() noexcept { return suggestions_ ? &*suggestions_ : nullptr; }
    using interface_t = dockwork::window;
    // The panel type, stored in the panel host's layouts and popup windows.
    static constexpr const sonavel::guid& panel_guid = varnel_panel_type;
    // Posted by the global colour and font callbacks.
    static constexpr UINT global_colours_changed = WM_USER + 1;
    static constexpr UINT global_fonts_changed = WM_USER + 2;

    VarnelPanel();
    ~VarnelPanel() override;

    // dockwork::window
    sonavel::guid get_guid() const override { return panel_guid; }
    void get_name(std::string& out) const override { out = "Varnel Panel"; }
    void load_config(sonavel::stream_reader& reader, std::size_t size, sonavel::abort_callback& abort) override;
    void save_config(sonavel::stream_writer& writer, sonavel::abort_callback& abort) const override;
    void import_settings(sonavel::stream_reader& reader, std::size_t size, sonavel::abort_callback& abort) override {
        load_config(reader, size, abort);
    }
    void export_settings(sonavel::stream_writer& writer, sonavel::abort_callback& abort) const override {
        save_config(writer, abort);
    }
    bool has_settings_popup() const override { return false; }
    bool show_settings_popup(HWND__*) override { return false; }
    void add_menu_items(dockwork::menu_hook&) override {}
    bool single_instance() const override { return false; }
    void category(std::string& out) const override { out = "Panels"; }
    bool short_name(std::string& out) const override;
    bool description(std::string& out) const override;
    unsigned panel_type() const override { return dockwork::window::type_panel; }
    bool prefers_several_instances() const override { return false; }
    bool available_in(const dockwork::window_host_ptr&) const override { return true; }
    HWND__* attach_window(HWND__* parent, const dockwork::window_host_ptr& host, int x, int y, int cx, int cy) override;
    void close_window() override;
    HWND__* get_window() const override { return Dialog::window(); }
    void size_limits(dockwork::size_limits& out) const override;

    // library_callback_dynamic
    void on_items_added(const sonavel::metadb_handle_list& tracks) override;
    void on_items_removed(const sonavel::metadb_handle_list&) override {}
    void on_items_modified(const sonavel::metadb_handle_list& tracks) override;

    // The panel host's global colours and fonts: the work is posted to the panel's own window.
    void on_colour_changed(std::uint32_t) const override { post(global_colours_changed); }
    void on_bool_changed(std::uint32_t) const override {}
    void on_font_changed(std::uint32_t) const override { post(global_fonts_changed); }

    INT_PTR dialog_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override;

    Options& current() noexcept { return current_; }
    const Options& current() const noexcept { return current_; }
    std::vector<Options>& presets() noexcept { return presets_; }
    const dockwork::window_host_ptr& host() const noexcept { return host_; }
    // The panel sits in one of the component's popup windows (its host has the popup host type).
    bool in_popup_window() const;
    // That popup window; null elsewhere.
    PopupPanelBase* hosting_popup() const;
    // The model while the window exists.
    PanelModel* model() noexcept { return model_ ? &*model_ : nullptr; }
    bool registered_for_library() const noexcept { return library_registered_; }

    // Lays the edit row and the list out over the client area; an edit that does not fit is hidden.
    void layout();
    void apply_appearance(bool redraw);
    void update_controls();
    void set_filter_text(const std::string& text);
    void set_add_text(const std::string& text);
    // Registers with the library exactly while the window is shown and the preset scans the library.
    void update_library_registration();

private:
    void preset_changed() override;
    // Typed values not written yet show in italics in the add box.
    void pending_changed() override;
    void post(UINT message) const;
    INT_PTR on_init_dialog(HWND window);
    void on_show(bool show);
    INT_PTR on_notify(HWND window, const NMHDR& header);
    // NM_CUSTOMDRAW of the list: rows with unwritten changes in italics.
    LRESULT draw_row(const NMLVCUSTOMDRAW& draw);
    void on_command(WORD id, WORD code);
    void on_global_change();
    // WM_CLOSE: a panel in one of the component's popup windows closes that window.
    void close_popup_window();
    // The hovered row's tip: how many selected tracks carry its value; none while the panel is busy.
    std::string value_tip(int row);
    // Undoes what the window's initialisation registered; safe to call more than once.
    void release_window_state();

    Options current_;
    std::vector<Options> presets_;
    std::optional<PanelModel> model_;
    std::optional<ValueTooltip> tooltip_;
    std::optional<ValueSuggestions> suggestions_;
    PanelAppearance appearance_;
    dockwork::window_host_ptr host_;
    bool library_registered_ = false;
    // Set while attach_window hides the window to move it to another host.
    bool moving_ = false;
    bool global_callbacks_registered_ = false;
};

}  // namespace quennet
