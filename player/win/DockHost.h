#pragma once
// The panel host's layout, reduced to what panels rely on: a container window per docked panel, the
// window-host object handed to the panel, and the panel's stored configuration.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sdk/dockwork.h"
#include "sdk/win/unique_handle.h"

namespace player {

// The window host of docked panels. Main thread.
class DockHost : public dockwork::window_host {
public:
    using interface_t = dockwork::window_host;
    static constexpr sonavel::guid host_guid = {0x2F4B8E61, 0x93D2, 0x4C7A, {0xA1, 0x5E, 0x0C, 0x77, 0x3B, 0x41, 0x9E, 0x08}};

    sonavel::guid type_guid() const override { return host_guid; }
    void size_limits_changed(HWND__*, unsigned) override {}
    unsigned resize_support(HWND__*) const override { return 0; }
    bool resize_request(HWND__*, unsigned, unsigned, unsigned) override { return false; }
    bool status_text_override(sonavel::service_ptr_t<dockwork::status_text_override>&) override { return false; }
    bool host_option() const override { return false; }
    bool window_shown(HWND__* window) const override { return window && IsWindowVisible(window); }
    bool visibility_changeable(HWND__*, bool) const override { return true; }
    bool change_visibility(HWND__* window, bool visible) override;
    void relinquish_window(HWND__*) override {}
};

// One docked panel: created from the registered panel types by its type GUID, configured, attached to a
// container child of `parent`, below a caption strip that names what the panel edits and has a close box
// at its right end; the panel fills the rest. The caption is drawn in the active caption's colours while
// the keyboard focus is in the panel.
class DockedPanel {
public:
    // Throws "Service not found" when no registered panel type has `type`.
    DockedPanel(HWND parent, const sonavel::guid& type, const std::vector<std::uint8_t>& config, RECT area);
    ~DockedPanel();
    DockedPanel(const DockedPanel&) = delete;
    DockedPanel& operator=(const DockedPanel&) = delete;

    const dockwork::window_ptr& panel() const noexcept { return panel_; }
    HWND container() const noexcept { return container_.get(); }
    HWND window() const { return panel_->get_window(); }
    // Shows or hides the panel as the layout does when its tab or splitter changes.
    void show(bool visible);
    // The panel's configuration as the layout stores it.
    std::vector<std::uint8_t> save_config() const;

    static int caption_height();
    void set_caption(const std::wstring& text);
    const std::wstring& caption() const noexcept { return caption_; }
    // The close box, in the container's client coordinates.
    RECT close_box() const;
    // Runs when the close box is clicked: pressed and released over it, as a push button (the panel must not
    // be destroyed while that click is handled: post the closing).
    std::function<void()> on_close;
    // Draws the caption again (the focus came or went).
    void redraw_caption();

private:
    static LRESULT CALLBACK container_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void paint_caption(HDC dc);
    void press_close_box(POINT at);
    void track_close_box(POINT at);
    void release_close_box(POINT at);
    void cancel_close_box();
    void show_close_box_pushed(bool pushed);

    sonavel::unique_hwnd container_;
    std::wstring caption_;
    // The left button went down on the close box and the container holds the mouse until it comes up.
    bool close_box_held_ = false;
    // Drawn pushed in: held, and the pointer over the box.
    bool close_box_pushed_ = false;
    dockwork::window_ptr panel_;
    dockwork::window_host_ptr host_;
};

}  // namespace player
