#pragma once
// A floating popup window that hosts one panel: a modeless dialog from the popup template that creates
// its panel by panel type, keeps it filling the client area, hands it a window host, and keeps its own
// configuration (placement, name, style flags, the panel's configuration) up to date for saving.
// Main thread.
#include <windows.h>

#include <string>

#include "sdk/dockwork.h"
#include "sdk/win/unique_handle.h"
#include "ui/Dialog.h"
#include "ui/PopupConfig.h"
#include "ui/PopupPanelHost.h"

namespace quennet {

class PopupPanelBase : public Dialog {
public:
    explicit PopupPanelBase(PopupConfig config);
    ~PopupPanelBase() override;

    INT_PTR dialog_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override;

    // Creates the window (hidden until its placement is applied), registers the popup, applies title,
    // styles and placement and creates the configured panel; a panel that cannot be made destroys the
    // popup again. `host` may be none: then a plain PopupPanelHost serves the panel.
    void show(sonavel::service_ptr_t<PopupPanelHost> host);
    // Finds the panel type among the registered ones, configures it and attaches it. false (with a
    // console line) when the type is not registered, its configuration fails or it makes no window.
    bool create_panel(const sonavel::guid& panel_type);
    // The configuration with the panel's current one.
    const PopupConfig& refresh_config();
    // Closes the panel's window and the popup window, lets go of the host and leaves the list. The panel
    // itself is kept until the object ends.
    void destroy();
    void set_visible(bool visible);
    void update_title();
    // The name if there is one, else the panel's name, else "Popup panel".
    std::string display_title() const;
    // Frame, caption, system menu and tool-window bits from the three style flags.
    void apply_styles();

    PopupConfig& config() noexcept { return config_; }
    const PopupConfig& config() const noexcept { return config_; }
    const dockwork::window_ptr& panel() const noexcept { return panel_; }
    const sonavel::service_ptr_t<PopupPanelHost>& host() const noexcept { return host_; }
    bool visible() const noexcept;

protected:
    virtual void add_to_list() = 0;
    virtual void remove_from_list() = 0;

private:
    void fit_panel(HWND window);
    void on_dpi_changed(HWND window, const RECT& suggested);
    void store_placement(HWND window);
    void let_go_of_host() noexcept;

    PopupConfig config_;
    dockwork::window_ptr panel_;
    sonavel::service_ptr_t<PopupPanelHost> host_;
    // The popup window, from its creation until destroy() or until something else destroyed it.
    sonavel::unique_hwnd frame_;
    bool destroying_ = false;
};

}  // namespace quennet
