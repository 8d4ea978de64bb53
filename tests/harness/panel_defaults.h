#pragma once
// The answers of a test panel type with no settings, no menu entries and no wishes of its own: test panels
// derive from it and give their identity, configuration and window. Header only: window-free tests use it
// too.
#include <string>

#include "sdk/dockwork.h"

namespace harness {

class PanelDefaults : public dockwork::window {
public:
    using interface_t = dockwork::window;

    void load_config(sonavel::stream_reader&, std::size_t, sonavel::abort_callback&) override {}
    void save_config(sonavel::stream_writer&, sonavel::abort_callback&) const override {}
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
    bool short_name(std::string&) const override { return false; }
    bool description(std::string&) const override { return false; }
    unsigned panel_type() const override { return type_panel; }
    bool prefers_several_instances() const override { return false; }
    bool available_in(const dockwork::window_host_ptr&) const override { return true; }
    void size_limits(dockwork::size_limits& out) const override { out = {}; }
};

}  // namespace harness
