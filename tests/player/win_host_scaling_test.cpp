// The stand-in host at the display's scaling: the panel host's fonts are the system's message font for its
// DPI (not fixed pixel heights), and the main window's first size grows with the DPI.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "player/win/WinHost.h"
#include "sdk/panoplex.h"
#include "sdk/win/dpi.h"

namespace {

class DisplayScalingHost : public ::testing::Test {
protected:
    void SetUp() override {
        host_.register_services();
        host_.engines().start();
    }
    player::WinHost host_;
};

TEST_F(DisplayScalingHost, PanelHostFontsAreTheMessageFontAtTheSystemDpi) {
    const LOGFONTW message = sonavel::message_font_for_dpi(sonavel::system_dpi());
    for (auto type : {panoplex::fonts::font_type_items, panoplex::fonts::font_type_labels}) {
        panoplex::log_font font;
        host_.engines().fonts.get_font(type, font);
        EXPECT_EQ(font.height, message.lfHeight) << sonavel::system_dpi() << " DPI";
        EXPECT_EQ(std::u16string(font.face_name), std::u16string(reinterpret_cast<const char16_t*>(message.lfFaceName)));
    }
}

TEST_F(DisplayScalingHost, MainWindowStartsAtASizeForTheDpi) {
    RECT r{};
    GetWindowRect(host_.main_window(), &r);
    const unsigned dpi = sonavel::window_dpi(host_.main_window());
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    // As large as at 96 DPI scaled, but inside the screen's work area.
    EXPECT_EQ(r.right - r.left, std::min<int>(sonavel::scale_to_dpi(900, dpi), work.right - work.left - 80)) << dpi;
    EXPECT_EQ(r.bottom - r.top, std::min<int>(sonavel::scale_to_dpi(600, dpi), work.bottom - work.top - 80)) << dpi;
    EXPECT_LE(r.right, work.right);
    EXPECT_LE(r.bottom, work.bottom);
}

}  // namespace
