#pragma once
// The panel host's panel interfaces: panels (implemented by components) and the windows that host them.
#include <string>

#include "sdk/service_factory.h"
#include "sdk/stream.h"

struct HWND__;

namespace dockwork {

using sonavel::guid;
using sonavel::service_base;
using sonavel::service_ptr_t;

struct size_limits {
    unsigned min_height = 0, max_height = 0x7FFFFFFF, min_width = 0, max_width = 0x7FFFFFFF;
};

// A text the host shows in its status bar while the object lives. Implemented by hosts.
class status_text_override : public service_base {
public:
    static constexpr guid class_guid = {0x4C9A0192, 0xCC91, 0x4A19, {0x9F, 0x44, 0x6A, 0xD1, 0x8F, 0x7C, 0xF7, 0x6E}};
    using parent_t = service_base;

    virtual void set_text(const char* text) = 0;
};

// Entries a panel adds to the host's context menu for it. Implemented by hosts.
class menu_hook {
public:
    virtual void add_item(unsigned id, const char* text, bool checked) = 0;

protected:
    ~menu_hook() = default;
};

// Hosts panels in its windows. Implemented by the panel host for its layouts and by components that
// host panels themselves; main thread.
class window_host : public service_base {
public:
    static constexpr guid class_guid = {0xC77AAA80, 0xFF9B, 0x44FD, {0x92, 0x0E, 0x7F, 0x1A, 0x27, 0x78, 0xF4, 0x9A}};
    using parent_t = service_base;

    enum size_limit_flags : unsigned { size_limit_min_width = 1, size_limit_max_width = 2, size_limit_min_height = 4,
                                       size_limit_max_height = 8, size_limit_all = 15 };
    enum resize_flags : unsigned { resize_width = 1, resize_height = 2 };

    // Tells hosts apart (for example a popup host from the panel host's layout).
    virtual guid type_guid() const = 0;
    // A hosted panel's size limits changed.
    virtual void size_limits_changed(HWND__* window, unsigned flags) = 0;
    // Which resize_flags the host can honour for the window.
    virtual unsigned resize_support(HWND__* window) const = 0;
    // Asks for a new size; false when the host refuses.
    virtual bool resize_request(HWND__* window, unsigned flags, unsigned width, unsigned height) = 0;
    // A status-bar text owned by the caller; false when the host has no status bar.
    virtual bool status_text_override(service_ptr_t<dockwork::status_text_override>& out) = 0;
    // Whether the host lets panels handle keyboard shortcuts themselves.
    virtual bool host_option() const = 0;
    virtual bool window_shown(HWND__* window) const = 0;
    virtual bool visibility_changeable(HWND__* window, bool wanted) const = 0;
    virtual bool change_visibility(HWND__* window, bool visible) = 0;
    // The window moves to another host; forget it without destroying it.
    virtual void relinquish_window(HWND__* window) = 0;
};
using window_host_ptr = service_ptr_t<window_host>;

// A panel. The service class under which panel factories register; every request creates a new panel.
// Implemented by components; main thread.
class window : public service_base {
public:
    static constexpr guid class_guid = {0x6AB7CD10, 0xCF1B, 0x4DDC, {0x89, 0x56, 0x1D, 0x18, 0x2B, 0x37, 0x6E, 0xE2}};
    using parent_t = service_base;

    enum type_flags : unsigned { type_panel = 1, type_toolbar = 2, type_splitter = 4 };

    // The panel type; the same for every panel of one factory, stored in layouts.
    virtual guid get_guid() const = 0;
    virtual void get_name(std::string& out) const = 0;
    // Stored configuration: bytes come back exactly as written.
    virtual void load_config(sonavel::stream_reader& reader, std::size_t size, sonavel::abort_callback& abort) = 0;
    virtual void save_config(sonavel::stream_writer& writer, sonavel::abort_callback& abort) const = 0;
    virtual void import_settings(sonavel::stream_reader& reader, std::size_t size, sonavel::abort_callback& abort) = 0;
    virtual void export_settings(sonavel::stream_writer& writer, sonavel::abort_callback& abort) const = 0;
    virtual bool has_settings_popup() const = 0;
    virtual bool show_settings_popup(HWND__* parent) = 0;
    virtual void add_menu_items(menu_hook& hook) = 0;
    virtual bool single_instance() const = 0;
    virtual void category(std::string& out) const = 0;
    virtual bool short_name(std::string& out) const = 0;
    virtual bool description(std::string& out) const = 0;
    virtual unsigned panel_type() const = 0;
    virtual bool prefers_several_instances() const = 0;
    virtual bool available_in(const window_host_ptr& host) const = 0;

    // Creates the panel's window as a child of `parent` hosted by `host`, or moves it there; returns it.
    virtual HWND__* attach_window(HWND__* parent, const window_host_ptr& host, int x, int y, int cx, int cy) = 0;
    virtual void close_window() = 0;
    virtual HWND__* get_window() const = 0;
    virtual void size_limits(dockwork::size_limits& out) const = 0;
};
using window_ptr = service_ptr_t<window>;

// Registers a panel class: the panel host enumerates these factories and creates panels from them.
template <typename Panel>
using window_factory = sonavel::service_factory_t<Panel>;

}  // namespace dockwork
