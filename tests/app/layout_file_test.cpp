// The docked panels' layout between runs.
#include <gtest/gtest.h>

#include <algorithm>

#include "player/app/LayoutFile.h"
#include "player/app/ViewLayout.h"
#include "sdk/errors.h"
#include "sdk/utf8.h"
#include "tests/app/audio_files.h"

namespace app_test {
namespace {

constexpr sonavel::guid type_a = {0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};
constexpr sonavel::guid type_b = {0xAAAAAAAA, 0xBBBB, 0xCCCC, {8, 7, 6, 5, 4, 3, 2, 1}};

TEST(LayoutFile, PanelsComeBackInOrderWithTheirConfigurations) {
    TempFolder folder;
    std::string path = sonavel::wide_to_utf8(folder.file(L"layout.cfg"));
    std::vector<player::PanelPlacement> panels = {{type_a, {1, 2, 3}}, {type_b, {}}, {type_a, {0, 255}}};
    player::write_layout(path, panels);
    auto back = player::read_layout(path);
    ASSERT_EQ(back.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(back[i].type, panels[i].type);
        EXPECT_EQ(back[i].config, panels[i].config);
    }
}

TEST(LayoutFile, AMissingFileIsAnEmptyLayout) {
    TempFolder folder;
    EXPECT_TRUE(player::read_layout(sonavel::wide_to_utf8(folder.file(L"none.cfg"))).empty());
}

TEST(LayoutFile, ADamagedFileRaisesTheHostsDataError) {
    TempFolder folder;
    std::wstring path = folder.file(L"layout.cfg");
    std::string utf8 = sonavel::wide_to_utf8(path);
    player::write_layout(utf8, {{type_a, {1, 2, 3, 4}}});
    auto bytes = file_bytes(path);

    write_bytes(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end() - 2));
    EXPECT_THROW(player::read_layout(utf8), sonavel::exception_io_data) << "cut short";

    auto other_version = bytes;
    other_version[0] = 9;
    write_bytes(path, other_version);
    EXPECT_THROW(player::read_layout(utf8), sonavel::exception_io_data) << "unknown version";

    auto huge_count = bytes;
    huge_count[7] = 0x7F;
    write_bytes(path, huge_count);
    EXPECT_THROW(player::read_layout(utf8), sonavel::exception_io_data) << "absurd count";
}

TEST(ViewLayoutFile, ColumnsPlaceSplittersPanelsAndShownPopupsComeBackAsWritten) {
    TempFolder folder;
    std::string path = sonavel::wide_to_utf8(folder.file(L"view.cfg"));
    player::ViewLayout view;
    view.columns = {{"ALBUM", 90}, {"%path%", 300}, {"COMPOSER", 120}};
    view.placed = true;
    view.left = -20;
    view.top = 30;
    view.right = 1000;
    view.bottom = 700;
    view.maximized = true;
    view.dock_width = 380;
    view.panels = {{250, false}, {0, true}};
    view.shown_popups = {"Lounge", "Varnel panel"};
    player::write_view_layout(path, view);
    auto back = player::read_view_layout(path);
    EXPECT_EQ(back.columns, view.columns);
    EXPECT_TRUE(back.placed);
    EXPECT_EQ(back.left, -20);
    EXPECT_EQ(back.bottom, 700);
    EXPECT_TRUE(back.maximized);
    EXPECT_EQ(back.dock_width, 380);
    EXPECT_EQ(back.panels, view.panels);
    EXPECT_EQ(back.shown_popups, view.shown_popups);
}

// A view.cfg as the player wrote it before the panels' positions in layout.cfg were stored: the file ends
// after the popup windows.
std::vector<std::uint8_t> view_without_positions(const std::vector<player::PanelView>& panels) {
    sonavel::stream_writer_buffer writer;
    sonavel::abort_callback_dummy abort;
    writer.write_lendian_u32(1, abort);    // version
    writer.write_lendian_u32(0, abort);    // columns
    writer.write_lendian_u32(0, abort);    // no place
    writer.write_lendian_i32(300, abort);  // panel area width
    writer.write_lendian_u32(std::uint32_t(panels.size()), abort);
    for (const auto& panel : panels) {
        writer.write_lendian_i32(panel.height, abort);
        writer.write_lendian_u32(panel.hidden ? 1 : 0, abort);
    }
    writer.write_lendian_u32(1, abort);  // popups shown
    writer.write_string("Lounge", abort);
    return writer.data();
}

TEST(ViewLayoutFile, AnOlderFileWithoutThePanelsPositionsIsReadInTheLayoutsOrder) {
    TempFolder folder;
    const std::wstring path = folder.file(L"view.cfg");
    const std::vector<player::PanelView> panels = {{200, false}, {0, true}, {150, false}};
    const auto older = view_without_positions(panels);
    write_bytes(path, older);
    auto view = player::read_view_layout(sonavel::wide_to_utf8(path));
    EXPECT_EQ(view.dock_width, 300);
    EXPECT_EQ(view.panels, panels);
    EXPECT_EQ(view.shown_popups, std::vector<std::string>{"Lounge"});

    // Written again, the file begins as before: a reader that stops after the popup windows reads the same.
    player::write_view_layout(sonavel::wide_to_utf8(path), view);
    const auto written = file_bytes(path);
    ASSERT_GT(written.size(), older.size());
    EXPECT_TRUE(std::equal(older.begin(), older.end(), written.begin()));
    EXPECT_EQ(player::read_view_layout(sonavel::wide_to_utf8(path)).panels, panels);
}

TEST(ViewLayoutFile, EachPanelsViewGoesToItsPositionInTheLayout) {
    TempFolder folder;
    const std::wstring path = folder.file(L"view.cfg");
    auto with_positions = [&](std::vector<std::uint32_t> positions) {
        auto bytes = view_without_positions({{200, false}, {0, true}, {150, false}});
        sonavel::stream_writer_buffer writer;
        sonavel::abort_callback_dummy abort;
        writer.write_lendian_u32(std::uint32_t(positions.size()), abort);
        for (std::uint32_t position : positions) writer.write_lendian_u32(position, abort);
        bytes.insert(bytes.end(), writer.data().begin(), writer.data().end());
        write_bytes(path, bytes);
    };
    with_positions({2, 0, 3});
    EXPECT_EQ(player::read_view_layout(sonavel::wide_to_utf8(path)).panels,
              (std::vector<player::PanelView>{{0, true}, {}, {200, false}, {150, false}}))
        << "a position no view names keeps the default view";

    with_positions({0, 1});
    EXPECT_THROW(player::read_view_layout(sonavel::wide_to_utf8(path)), sonavel::exception_io_data) << "a count of its own";
    with_positions({0, 1, 1});
    EXPECT_THROW(player::read_view_layout(sonavel::wide_to_utf8(path)), sonavel::exception_io_data) << "a position twice";
    with_positions({0, 1, 5000});
    EXPECT_THROW(player::read_view_layout(sonavel::wide_to_utf8(path)), sonavel::exception_io_data) << "beyond any layout";
    auto cut = view_without_positions({{200, false}});
    cut.push_back(1);
    cut.push_back(0);
    write_bytes(path, cut);
    EXPECT_THROW(player::read_view_layout(sonavel::wide_to_utf8(path)), sonavel::exception_io_data) << "cut short";
}

TEST(ViewLayoutFile, AMissingFileIsTheDefaultViewAndADamagedOneRaisesTheDataError) {
    TempFolder folder;
    std::wstring path = folder.file(L"view.cfg");
    std::string utf8 = sonavel::wide_to_utf8(path);
    auto none = player::read_view_layout(utf8);
    EXPECT_TRUE(none.columns.empty());
    EXPECT_FALSE(none.placed);

    player::ViewLayout view;
    view.columns = {{"TITLE", 100}};
    player::write_view_layout(utf8, view);
    auto bytes = file_bytes(path);
    write_bytes(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end() - 2));
    EXPECT_THROW(player::read_view_layout(utf8), sonavel::exception_io_data) << "cut short";
    auto huge = bytes;
    huge[7] = 0x7F;  // the column count
    write_bytes(path, huge);
    EXPECT_THROW(player::read_view_layout(utf8), sonavel::exception_io_data) << "absurd count";
    auto zero_in_name = bytes;
    zero_in_name[13] = 0;  // inside "TITLE", which the writer would have cut there
    write_bytes(path, zero_in_name);
    EXPECT_THROW(player::read_view_layout(utf8), sonavel::exception_io_data) << "a name with a zero byte";
}

}  // namespace
}  // namespace app_test
