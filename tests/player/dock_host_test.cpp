// Docking panels in the stand-in panel host: panel types by GUID, configuration, window host.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "player/win/DockHost.h"
#include "player/win/WinHost.h"
#include "tests/harness/message_box.h"
#include "tests/harness/mouse.h"
#include "tests/harness/panel_defaults.h"
#include "tests/harness/pump.h"

namespace {

constexpr sonavel::guid probe_panel_type = {0x51C0FFEE, 0x0001, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 1}};
constexpr sonavel::guid unknown_panel_type = {0x51C0FFEE, 0x0002, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 2}};

// A panel that is a plain static window and stores its text as configuration.
class probe_panel : public harness::PanelDefaults {
public:

    sonavel::guid get_guid() const override { return probe_panel_type; }
    void get_name(std::string& out) const override { out = "Probe"; }
    void load_config(sonavel::stream_reader& reader, std::size_t, sonavel::abort_callback& abort) override {
        text_ = reader.read_string(abort);
    }
    void save_config(sonavel::stream_writer& writer, sonavel::abort_callback& abort) const override {
        writer.write_string(text_, abort);
    }
    HWND__* attach_window(HWND__* parent, const dockwork::window_host_ptr& host, int x, int y, int cx, int cy) override {
        host_ = host;
        window_.reset(CreateWindowExW(0, L"STATIC", L"probe", WS_CHILD, x, y, cx, cy, parent, nullptr, nullptr, nullptr));
        return window_.get();
    }
    void close_window() override { window_.reset(); }
    HWND__* get_window() const override { return window_.get(); }

    const std::string& text() const { return text_; }
    const dockwork::window_host_ptr& host() const { return host_; }

private:
    std::string text_;
    dockwork::window_host_ptr host_;
    sonavel::unique_hwnd window_;
};

dockwork::window_factory<probe_panel> g_probe_factory;

class DockHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_.register_services({sonavel::service_factory_base::list_head()});
        host_.engines().start();
        ShowWindow(host_.main_window(), SW_SHOW);
    }
    harness::UnexpectedBoxGuard no_boxes_;
    player::WinHost host_;
};

std::vector<std::uint8_t> config_with(const std::string& text) {
    sonavel::stream_writer_buffer writer;
    sonavel::abort_callback_dummy abort;
    writer.write_string(text, abort);
    return writer.data();
}

TEST_F(DockHostTest, PanelIsCreatedByTypeConfiguredAndFillsItsContainerBelowTheCaption) {
    player::DockedPanel docked(host_.main_window(), probe_panel_type, config_with("stored text"), RECT{10, 10, 310, 210});
    auto& panel = static_cast<probe_panel&>(*docked.panel());
    EXPECT_EQ(panel.text(), "stored text");
    HWND window = docked.window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), docked.container());
    EXPECT_TRUE(IsWindowVisible(window));
    const int caption = player::DockedPanel::caption_height();
    ASSERT_GT(caption, 0);
    RECT r;
    GetClientRect(window, &r);
    EXPECT_EQ(r.right, 300);
    EXPECT_EQ(r.bottom, 200 - caption);
    GetWindowRect(window, &r);
    POINT top_left = {r.left, r.top};
    ScreenToClient(docked.container(), &top_left);
    EXPECT_EQ(top_left.y, caption);

    SetWindowPos(docked.container(), nullptr, 0, 0, 400, 120, SWP_NOMOVE | SWP_NOZORDER);
    harness::pump_pending();
    GetClientRect(window, &r);
    EXPECT_EQ(r.right, 400);
    EXPECT_EQ(r.bottom, 120 - caption);

    EXPECT_EQ(docked.save_config(), config_with("stored text"));
}

TEST_F(DockHostTest, WindowHostAnswersVisibilityOfTheDockedWindow) {
    player::DockedPanel docked(host_.main_window(), probe_panel_type, {}, RECT{0, 0, 100, 100});
    auto host = static_cast<probe_panel&>(*docked.panel()).host();
    ASSERT_TRUE(host.is_valid());
    EXPECT_EQ(host->type_guid(), player::DockHost::host_guid);
    EXPECT_TRUE(host->window_shown(docked.window()));
    docked.show(false);
    EXPECT_FALSE(host->window_shown(docked.window()));
    EXPECT_FALSE(host->window_shown(nullptr));
    // The container stays hidden; the panel's own window is shown again.
    EXPECT_TRUE(host->change_visibility(docked.window(), true));
    EXPECT_TRUE(GetWindowLongW(docked.window(), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(DockHostTest, UnknownPanelTypeIsServiceNotFound) {
    EXPECT_THROW(player::DockedPanel(host_.main_window(), unknown_panel_type, {}, RECT{0, 0, 10, 10}),
                 sonavel::exception_service_not_found);
}

TEST_F(DockHostTest, TheCaptionShowsItsTextAndAClickOnTheCloseBoxAsksToClose) {
    player::DockedPanel docked(host_.main_window(), probe_panel_type, {}, RECT{0, 0, 300, 200});
    docked.set_caption(L"GENRE - Genres");
    EXPECT_EQ(docked.caption(), L"GENRE - Genres");
    wchar_t text[64] = {};
    GetWindowTextW(docked.container(), text, 64);
    EXPECT_EQ(std::wstring(text), L"GENRE - Genres") << "the container is named for tools that read windows";
    int asked = 0;
    docked.on_close = [&] { ++asked; };
    RECT box = docked.close_box();
    EXPECT_EQ(box.right, 300);
    harness::click(docked.container(), {(box.left + box.right) / 2, (box.top + box.bottom) / 2});
    EXPECT_EQ(asked, 1);
    // Elsewhere on the caption: nothing.
    harness::click(docked.container(), {20, (box.top + box.bottom) / 2});
    EXPECT_EQ(asked, 1);
}

TEST_F(DockHostTest, ClosingTheDockedPanelDestroysItsWindow) {
    HWND window;
    {
        player::DockedPanel docked(host_.main_window(), probe_panel_type, {}, RECT{0, 0, 10, 10});
        window = docked.window();
        EXPECT_TRUE(IsWindow(window));
    }
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
