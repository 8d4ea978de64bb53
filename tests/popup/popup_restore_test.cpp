// Start-up: the persistent stored popup windows come back hidden, with their panels' configuration and
// their placement; nothing comes back without a sufficient panel host, and nothing is lost either.
#include <gtest/gtest.h>
#include <windows.h>

#include "host/InitQuit.h"
#include "sdk/console.h"
#include "sdk/core_api.h"
#include "sdk/win/dpi.h"
#include "tests/harness/find_window.h"
#include "tests/popup/popup_fixture.h"
#include "ui/GuidText.h"
#include "ui/WindowPlacement.h"

namespace popup_test {
namespace {

using quennet::PopupConfig;
using quennet::popup_windows;

constexpr sonavel::guid uninstalled_type = {0x0BADF00D, 0x1234, 0x5678, {0x9A, 0xBC, 0xDE, 0xF0, 0x12, 0x34, 0x56, 0x78}};

class PopupRestore : public PopupWindows {
protected:
    void start() { sonavel::standard_api_create_t<sonavel::initquit>()->on_init(); }

    static PopupConfig placed(const std::string& name, bool persistent) {
        PopupConfig config = config_named(name);
        config.persistent = persistent;
        config.placement.length = sizeof(WINDOWPLACEMENT);
        config.placement.show_state = SW_SHOWNORMAL;
        config.placement.left = 300;
        config.placement.top = 200;
        config.placement.right = 700;
        config.placement.bottom = 500;
        return config;
    }
};

TEST_F(PopupRestore, PersistentWindowsComeBackHiddenWithTheirPanelConfigurationAndPlacement) {
    PopupConfig lounge = placed("Lounge", true);
    lounge.panel_config = {4, 5, 6};
    PopupConfig passing = placed("Passing", false);
    PopupConfig study = placed("Study", true);
    study.placement.left = 20;
    study.placement.right = 220;
    set_stored({lounge, passing, study});

    start();
    ASSERT_EQ(popup_windows.size(), 2u);
    EXPECT_EQ(popup(0).config().name, "Lounge");
    EXPECT_EQ(popup(1).config().name, "Study");
    for (std::size_t i = 0; i < 2; ++i) {
        ASSERT_TRUE(IsWindow(frame(i)));
        EXPECT_FALSE(IsWindowVisible(frame(i))) << i;
        EXPECT_EQ(popup(i).config().placement.show_state, 0u);
        EXPECT_TRUE(popup(i).config().persistent);
    }
    EXPECT_EQ(fake_panel_of(popup(0))->loaded, (bytes_t{4, 5, 6}));
    EXPECT_TRUE(fake_panel_of(popup(1))->loaded.empty());
    const quennet::WindowPlacementRecord now = quennet::placement_of(frame(1));
    EXPECT_EQ(now.left, 20);
    EXPECT_EQ(now.right, 220);
    EXPECT_EQ(now.top, 200);
    EXPECT_EQ(harness::find_window(L"Passing"), nullptr);
}

TEST_F(PopupRestore, APlacementTakenAtAnotherDpiKeepsItsCornerAndScalesItsSize) {
    const unsigned dpi = sonavel::window_dpi(host_.main_window());
    PopupConfig lounge = placed("Lounge", true);  // 300,200 - 700,500
    lounge.placement_dpi = dpi * 2;
    PopupConfig study = placed("Study", true);
    study.placement_dpi = dpi;
    set_stored({lounge, study});

    start();
    ASSERT_EQ(popup_windows.size(), 2u);
    const quennet::WindowPlacementRecord halved = quennet::placement_of(frame(0));
    EXPECT_EQ(halved.left, 300);
    EXPECT_EQ(halved.top, 200);
    EXPECT_EQ(halved.right, 500);
    EXPECT_EQ(halved.bottom, 350);
    EXPECT_EQ(quennet::placement_of(frame(1)).right, 700) << "taken at this DPI";
    const auto configs = saved();
    ASSERT_EQ(configs.size(), 2u);
    EXPECT_EQ(configs[0].placement.right, 500);
    EXPECT_EQ(configs[0].placement_dpi, dpi) << "saved at the DPI it is shown at";
}

TEST_F(PopupRestore, RestoredWindowsAreSavedAgainHidden) {
    PopupConfig lounge = placed("Lounge", true);
    lounge.panel_config = {4, 5, 6};
    set_stored({lounge});
    start();
    ASSERT_EQ(popup_windows.size(), 1u);
    fake_panel_of(popup(0))->state = {4, 5, 6, 7};
    const auto configs = saved();
    ASSERT_EQ(configs.size(), 1u) << "once reopened, the window speaks for its entry";
    EXPECT_EQ(configs[0].name, "Lounge");
    EXPECT_EQ(configs[0].panel_config, (bytes_t{4, 5, 6, 7}));
    EXPECT_EQ(configs[0].placement.show_state, 0u);
    EXPECT_EQ(configs[0].placement.left, 300);
}

TEST_F(PopupRestore, AnEntryWhosePanelTypeIsGoneIsLoggedAndLeftClosed) {
    PopupConfig ghost = placed("Ghost", true);
    ghost.panel_guid = uninstalled_type;
    set_stored({ghost, placed("Study", true)});
    start();
    ASSERT_EQ(popup_windows.size(), 1u);
    EXPECT_EQ(popup(0).config().name, "Study");
    EXPECT_EQ(logged(), std::vector<std::string>{"Unable to create the panel with the guid: " +
                                                 quennet::guid_log_text(uninstalled_type)});
}

TEST_F(PopupRestore, WithAPanelHostTooOldNothingIsReopenedAndNothingLost) {
    engines().panel_host_version.set("Panoplex", "0.3.8.7");
    set_stored({placed("Lounge", true), placed("Passing", false)});
    start();
    EXPECT_TRUE(popup_windows.empty());
    EXPECT_EQ(engines().popups.shown().size(), 1u) << "the missing panel host message";
    const auto configs = saved();
    ASSERT_EQ(configs.size(), 1u);
    EXPECT_EQ(configs[0].name, "Lounge");
}

TEST_F(PopupRestore, ATruncatedStoredListReopensNothing) {
    sonavel::stream_writer_buffer writer;
    sonavel::abort_callback_dummy abort;
    quennet::write_popup_configs(writer, {placed("Lounge", true), placed("Study", true)}, abort);
    std::vector<std::uint8_t> bytes = writer.data();
    bytes.resize(bytes.size() - 10);
    sonavel::stream_reader_memblock reader(bytes);
    EXPECT_THROW(quennet::popup_configs.set_data_raw(reader, bytes.size(), abort), sonavel::exception_io_data);
    start();
    EXPECT_TRUE(popup_windows.empty());
}

}  // namespace
}  // namespace popup_test
