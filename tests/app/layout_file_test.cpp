// The docked panels' layout between runs.
#include <gtest/gtest.h>

#include "player/app/LayoutFile.h"
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

}  // namespace
}  // namespace app_test
