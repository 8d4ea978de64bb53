#pragma once
// Small panel types for hosting in popup windows: a panel that keeps the configuration it was given, a
// child window that records the messages the popup forwards, and counts of live and closed panels.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sdk/dockwork.h"
#include "sdk/win/unique_handle.h"
#include "tests/harness/panel_defaults.h"

namespace popup_test {

using bytes_t = std::vector<std::uint8_t>;

class FakePanel : public harness::PanelDefaults {
public:
    static constexpr sonavel::guid type = {0x5A1D2C3B, 0x4E5F, 0x4061, {0x87, 0x92, 0xA3, 0xB4, 0xC5, 0xD6, 0xE7, 0xF8}};
    // Sent to a fake panel's window: it closes its popup through its host, as a panel's WM_CLOSE would.
    static constexpr UINT close_popup_message = WM_APP + 7;

    FakePanel();
    ~FakePanel() override;

    sonavel::guid get_guid() const override { return type; }
    void get_name(std::string& out) const override { out = "Fake panel"; }
    // "bad" as configuration fails with the host's data error.
    void load_config(sonavel::stream_reader& reader, std::size_t size, sonavel::abort_callback& abort) override;
    void save_config(sonavel::stream_writer& writer, sonavel::abort_callback& abort) const override;
    void import_settings(sonavel::stream_reader&, std::size_t, sonavel::abort_callback&) override {}
    void export_settings(sonavel::stream_writer&, sonavel::abort_callback&) const override {}
    bool prefers_several_instances() const override { return true; }
    HWND__* attach_window(HWND__* parent, const dockwork::window_host_ptr& host, int, int, int, int) override;
    void close_window() override;
    HWND__* get_window() const override { return window_.get(); }

    bytes_t loaded;        // the configuration it was given
    bytes_t state;         // what it saves
    int closed = 0;        // close_window calls
    std::vector<UINT> messages;  // what its window received of the forwarded messages
    dockwork::window_host_ptr host;

    static int live;  // panels that exist
    // A panel that ended while its own window procedure ran: what freeing a popup at once would do.
    static bool ended_inside_own_procedure;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    sonavel::unique_hwnd window_;
    int in_procedure_ = 0;
};

// A panel type that makes no window.
class WindowlessPanel : public FakePanel {
public:
    static constexpr sonavel::guid type = {0x6B2E3D4C, 0x5F60, 0x4172, {0x98, 0xA3, 0xB4, 0xC5, 0xD6, 0xE7, 0xF8, 0x09}};
    sonavel::guid get_guid() const override { return type; }
    HWND__* attach_window(HWND__*, const dockwork::window_host_ptr&, int, int, int, int) override { return nullptr; }
};

}  // namespace popup_test
