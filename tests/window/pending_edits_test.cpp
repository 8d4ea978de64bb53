// A docked panel as the user sees it while changes are not written: edited rows in italics, the edit boxes
// empty while the user types in them, and the panel working alike in a host without a status line.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "resources/resource.h"
#include "sdk/win/uwin.h"
#include "tests/harness/keyboard.h"
#include "tests/window/panel_window_fixture.h"

namespace window_test {
namespace {

class PendingEdits : public DockedPanels {
protected:
    // What the screen shows of the row's label, pixel by pixel.
    static std::vector<COLORREF> label_pixels(HWND list, int row) {
        RECT label{};
        label.left = LVIR_LABEL;
        SendMessageW(list, LVM_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&label));
        RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        std::vector<COLORREF> pixels;
        const HDC dc = GetDC(list);
        for (int y = label.top; y < label.bottom; ++y)
            for (int x = label.left; x < label.right; ++x) pixels.push_back(GetPixel(dc, x, y));
        ReleaseDC(list, dc);
        return pixels;
    }
    static bool has_ink(const std::vector<COLORREF>& pixels) {
        for (COLORREF p : pixels)
            if (p != pixels.front()) return true;
        return false;
    }
};

TEST_F(PendingEdits, AnUnwrittenTickDrawsItsValueInItalicsUntilReverted) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    auto& docked = dock(preset("G", "GENRE", "Jazz;Swing"));
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    const int jazz = row_of(list, L"Jazz");
    const int swing = row_of(list, L"Swing");
    const std::vector<COLORREF> upright = label_pixels(list, jazz);
    const std::vector<COLORREF> other = label_pixels(list, swing);
    ASSERT_TRUE(has_ink(upright));

    harness::click_check_box(list, jazz);
    ASSERT_EQ(harness::state_image(list, jazz), 2);
    EXPECT_NE(label_pixels(list, jazz), upright) << "the pending value looks like a written one";
    EXPECT_EQ(label_pixels(list, swing), other) << "an untouched row changed its look";

    harness::press_key(list, VK_ESCAPE);
    settle();
    EXPECT_EQ(harness::state_image(list, jazz), 1);
    EXPECT_EQ(label_pixels(list, jazz), upright);
}

TEST_F(PendingEdits, AWrittenTickLooksLikeAnyStoredValueAgain) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    auto& docked = dock(preset("G", "GENRE", "Jazz"));
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    const std::vector<COLORREF> rock = label_pixels(list, row_of(list, L"Rock"));
    harness::click_check_box(list, row_of(list, L"Jazz"));
    harness::click_check_box(list, row_of(list, L"Rock"));
    EXPECT_NE(label_pixels(list, row_of(list, L"Rock")), rock);
    harness::click_check_box(list, row_of(list, L"Rock"));
    // Back at its first state the row is no change any more.
    EXPECT_EQ(label_pixels(list, row_of(list, L"Rock")), rock);
    harness::press_key(list, VK_RETURN);
    settle();
    EXPECT_EQ(harness::state_image(list, row_of(list, L"Jazz")), 2);
    EXPECT_EQ(label_pixels(list, row_of(list, L"Rock")), rock);
}

TEST_F(PendingEdits, TypedValuesShowInItalicsUntilWrittenOrReverted) {
    playlist({{"Rock"}, {"Pop"}}, {0});
    auto& docked = dock(preset("G", "GENRE", "Jazz"));
    const HWND add = control(docked, IDC_PANEL_ADD);
    const auto italic = [add] {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(add, WM_GETFONT, 0, 0)), sizeof font, &font);
        return font.lfItalic != 0;
    };
    ASSERT_TRUE(harness::focus(add));
    EXPECT_FALSE(italic());
    harness::type_text(add, L"Blues");
    EXPECT_TRUE(italic());
    harness::press_key(add, VK_ESCAPE);
    settle();
    EXPECT_FALSE(italic());
    harness::type_text(add, L" ; ");
    EXPECT_FALSE(italic()) << "blank pieces are no values";
    harness::type_text(add, L"Soul");
    EXPECT_TRUE(italic());
    harness::press_key(add, VK_RETURN);
    settle();
    EXPECT_FALSE(italic());
}

TEST_F(PendingEdits, TheFilterBoxBeingTypedInStaysEmptyWhenAPresetIsChosen) {
    playlist({{"Rock"}, {"Jazz"}}, {0, 1});
    auto& docked = dock(preset("G", "GENRE"), {preset("G", "GENRE"), preset("Other", "GENRE", "Jive")});
    auto& panel = panel_of(docked);
    const HWND filter = control(docked, IDC_PANEL_FILTER);
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    ASSERT_TRUE(harness::focus(filter));
    ASSERT_TRUE(panel.model()->choose_preset("Other"));
    settle();
    EXPECT_EQ(sonavel::uGetWindowText(filter), "");
    harness::type_text(filter, L"J");
    settle();
    EXPECT_EQ(sonavel::uGetWindowText(filter), "J");
    EXPECT_EQ(rows(list), (std::vector<std::wstring>{L"Jazz", L"Jive"}));
    ASSERT_TRUE(harness::focus(list));
    harness::press_key(list, VK_ESCAPE);
    EXPECT_EQ(sonavel::uGetWindowText(filter), "J");
}

TEST_F(PendingEdits, WithoutAHostStatusLineEditsAreWrittenAsEver) {
    // This host offers no line for pending changes: looking for it must cost the panel nothing.
    playlist({{"Rock"}, {"Pop"}}, {0});
    auto& docked = dock(preset("G", "GENRE", "Jazz"));
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    const HWND add = control(docked, IDC_PANEL_ADD);
    harness::click_check_box(list, row_of(list, L"Jazz"));
    ASSERT_TRUE(harness::focus(add));
    harness::type_text(add, L" Soul ;");
    harness::press_key(add, VK_RETURN);
    settle();
    sonavel::file_info_impl info;
    ASSERT_TRUE(tracks_[0]->get_info(info));
    const std::size_t genre = info.meta_find("GENRE");
    ASSERT_NE(genre, sonavel::file_info::npos);
    std::vector<std::string> written;
    for (std::size_t v = 0; v < info.meta_enum_value_count(genre); ++v) written.push_back(info.meta_enum_value(genre, v));
    EXPECT_EQ(written, (std::vector<std::string>{"Rock", "Soul", "Jazz"}));
}

}  // namespace
}  // namespace window_test
