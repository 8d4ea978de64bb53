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
    unsigned min_width = 0, max_width = unsigned(-1), min_height = 0, max_height = unsigned(-1);
};

// Hosts panels in its windows. Implemented by the panel host for its layouts and by components that
// host panels themselves; main thread.
class window_host : public service_base {
public:
    static constexpr guid class_guid = {0xC77AAA80, 0xFF9B, 0x44FD, {0x92, 0x0E, 0x7F, 0x1A, 0x27, 0x78, 0xF4, 0x9A}};
    using parent_t = service_base;

    enum size_limit_flags : unsigned { size_limit_min_width = 1, size_limit_max_width = 2, size_limit_min_height = 4,
                                       size_limit_max_height = 8, size_limit_all = 15 };

    // Tells hosts apart (for example a popup host from the panel host's layout).
    virtual guid get_host_guid() const = 0;
    // A panel's limits changed.
    virtual void on_size_limit_change(HWND__* window, unsigned flags) = 0;
    // The panel's window moves to another host; forget it without destroying it.
    virtual void relinquish_ownership(HWND__* window) = 0;
    virtual bool is_visible(HWND__* window) const = 0;
    virtual bool is_visibility_modifiable(HWND__* window, bool desired) const = 0;
    virtual bool set_window_visibility(HWND__* window, bool visible) = 0;
    // Asks for a new size; false when the host cannot give it.
    virtual bool request_resize(HWND__* window, unsigned flags, unsigned width, unsigned height) = 0;
    // Shows a text in the host's status bar (empty text restores it).
    virtual void set_status_text(const char* text) = 0;
};
using window_host_ptr = service_ptr_t<window_host>;

// A panel. The service class under which panel factories register; every request creates a new panel.
// Implemented by components; main thread.
class window : public service_base {
public:
    static constexpr guid class_guid = {0x6AB7CD10, 0xCF1B, 0x4DDC, {0x89, 0x56, 0x1D, 0x18, 0x2B, 0x37, 0x6E, 0xE2}};
    using parent_t = service_base;

    enum type_flags : unsigned { type_panel = 1, type_toolbar = 2, type_splitter = 4 };

    // The panel type; the same for every panel of one factory.
    virtual guid get_extension_guid() const = 0;
    virtual void get_name(std::string& out) const = 0;
    virtual bool get_short_name(std::string& out) const {
        get_name(out);
        return true;
    }
    virtual bool get_description(std::string& out) const { return false; }
    virtual void get_category(std::string& out) const = 0;
    virtual unsigned get_type() const = 0;
    virtual bool is_available(const window_host_ptr& host) const { return true; }

    // Stored configuration: bytes come back exactly as written.
    virtual void set_config(sonavel::stream_reader& reader, std::size_t size, sonavel::abort_callback& abort) {}
    virtual void get_config(sonavel::stream_writer& writer, sonavel::abort_callback& abort) const {}

    // Creates the panel's window as a child of `parent` hosted by `host` (or moves it there).
    virtual HWND__* create_or_transfer_window(HWND__* parent, const window_host_ptr& host) = 0;
    virtual void destroy_window() = 0;
    virtual HWND__* get_wnd() const = 0;
    virtual size_limits get_size_limits() const { return {}; }
};
using window_ptr = service_ptr_t<window>;

// Registers a panel class: the panel host enumerates these factories and creates panels from them.
template <typename Panel>
using window_factory = sonavel::service_factory_t<Panel>;

}  // namespace dockwork
