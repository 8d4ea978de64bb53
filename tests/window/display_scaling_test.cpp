// The panel at the display's scaling: check images as large as a small icon at its DPI and as tall as a
// line of the list's font, rows that hold them, a column as wide as the widest value, edit boxes a line of
// their font high, and own fonts that keep their point size. The test command runs these at 96, 144 and
// 192 DPI.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "resources/resource.h"
#include "sdk/utf8.h"
#include "sdk/win/dpi.h"
#include "tests/window/panel_window_fixture.h"

namespace window_test {
namespace {

using DisplayScaling = DockedPanels;

HFONT font_of(HWND control) { return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)); }

LOGFONTW logical_font(HWND control) {
    LOGFONTW font{};
    GetObjectW(font_of(control), sizeof font, &font);
    return font;
}

SIZE state_image_size(HWND list) {
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_STATE, 0));
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    return {cx, cy};
}

int widest_text(HWND list, const std::vector<std::wstring>& texts) {
    int widest = 0;
    for (const std::wstring& text : texts)
        widest = std::max(widest, sonavel::text_width(list, font_of(list), text.c_str(), int(text.size())));
    return widest;
}

RECT rect_in(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(DisplayScaling, CheckImagesAndRowsGrowWithTheDpiAndHoldALineOfText) {
    auto& docked = dock(preset("G", "GENRE", "Electronic;Rock;Singer-songwriter"));
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);
    const unsigned dpi = sonavel::window_dpi(list);
    const int line = sonavel::line_height(list, font_of(list));
    ASSERT_EQ(harness::item_count(list), 3);

    const SIZE image = state_image_size(list);
    EXPECT_GE(image.cx, sonavel::scale_to_dpi(16, dpi)) << dpi << " DPI";
    EXPECT_GE(image.cy, image.cx);
    EXPECT_GE(image.cy, line);
    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    EXPECT_GE(row.bottom - row.top, image.cy);
    EXPECT_GE(row.bottom - row.top, line);
    const int column = int(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
    EXPECT_GE(column, image.cx + widest_text(list, rows(list)));
}

TEST_F(DisplayScaling, NoControlIsCutOffAndEditBoxesHoldALineOfTheirFont) {
    auto& docked = dock(preset("G", "GENRE", "Rock"));
    const HWND panel = docked.window();
    RECT client{};
    GetClientRect(panel, &client);
    for (int id : {IDC_PANEL_VALUE_LIST, IDC_PANEL_FILTER, IDC_PANEL_ADD}) {
        const HWND child = control(docked, id);
        ASSERT_TRUE(IsWindowVisible(child)) << id;
        const RECT r = rect_in(panel, child);
        EXPECT_GE(r.left, 0) << id;
        EXPECT_GE(r.top, 0) << id;
        EXPECT_LE(r.right, client.right) << id;
        EXPECT_LE(r.bottom, client.bottom) << id;
    }
    for (int id : {IDC_PANEL_FILTER, IDC_PANEL_ADD}) {
        const HWND edit = control(docked, id);
        RECT inside{};
        GetClientRect(edit, &inside);
        EXPECT_GE(inside.bottom, sonavel::line_height(edit, font_of(edit))) << id;
    }
}

TEST_F(DisplayScaling, ALargerListFontWidensTheColumnAtOnce) {
    quennet::Options small = preset("G", "GENRE", "Electronic;Singer-songwriter");
    small.global_colors_and_fonts = false;
    small.list_font.height = -11;
    auto& docked = dock(small);
    const HWND list = control(docked, IDC_PANEL_VALUE_LIST);

    auto& panel = panel_of(docked);
    panel.current().list_font.height = -40;
    panel.apply_appearance(true);

    const SIZE image = state_image_size(list);
    EXPECT_GE(int(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0)), image.cx + widest_text(list, rows(list)));
    EXPECT_GE(image.cy, sonavel::line_height(list, font_of(list)));
}

TEST_F(DisplayScaling, OwnFontsKeepTheirPointSizeAndOlderPixelHeightsStayPixels) {
    quennet::Options points = preset("P", "GENRE", "Rock");
    points.global_colors_and_fonts = false;
    points.list_font.height = -16;
    points.list_font_dpi = 96;
    points.text_font.height = -16;
    points.text_font_dpi = 0;
    auto& docked = dock(points);
    const unsigned dpi = sonavel::window_dpi(docked.window());

    EXPECT_EQ(logical_font(control(docked, IDC_PANEL_VALUE_LIST)).lfHeight, MulDiv(-16, int(dpi), 96)) << dpi;
    EXPECT_EQ(logical_font(control(docked, IDC_PANEL_FILTER)).lfHeight, -16);
}

TEST_F(DisplayScaling, PanelHostFontsAreTakenAtTheSystemDpi) {
    auto& docked = dock(preset("G", "GENRE", "Rock"));
    const quennet::Options& current = panel_of(docked).current();
    const unsigned scale = sonavel::window_dpi(docked.window());
    EXPECT_EQ(logical_font(control(docked, IDC_PANEL_VALUE_LIST)).lfHeight,
              MulDiv(current.list_font.height, int(scale), int(sonavel::system_dpi())));
}

}  // namespace
}  // namespace window_test
