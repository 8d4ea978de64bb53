// Stored panels that cannot be docked again go back into the layout at their places, unchanged.
#include <gtest/gtest.h>

#include "player/app/KeptPanels.h"
#include "player/app/LayoutFile.h"

namespace {

using player::PanelPlacement;

constexpr sonavel::guid docked_type = {0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};
constexpr sonavel::guid missing_type = {0xAAAAAAAA, 0xBBBB, 0xCCCC, {8, 7, 6, 5, 4, 3, 2, 1}};

std::vector<std::uint8_t> file_of(const std::vector<PanelPlacement>& panels) {
    sonavel::stream_writer_buffer writer;
    sonavel::abort_callback_dummy abort;
    player::write_layout(writer, panels, abort);
    return writer.data();
}

TEST(KeptPanels, ALayoutWhosePanelsCannotBeDockedIsSavedAgainByteForByte) {
    const std::vector<PanelPlacement> stored = {
        {missing_type, {1, 2}}, {docked_type, {3}}, {docked_type, {0xFF, 0}}, {missing_type, {}}, {docked_type, {4}}};
    const auto file = file_of(stored);
    sonavel::stream_reader_memblock reader(file);
    sonavel::abort_callback_dummy abort;
    const auto read = player::read_layout(reader, abort);
    ASSERT_EQ(read, stored);

    // Panels 0, 2 and 3 cannot be docked; the others are, and keep their configurations.
    player::KeptPanels kept;
    std::vector<PanelPlacement> docked;
    for (std::size_t i = 0; i < read.size(); ++i) {
        if (i == 0 || i == 2 || i == 3) kept.keep(i, read[i], "panel " + std::to_string(i) + ": refused");
        else docked.push_back(read[i]);
    }
    EXPECT_EQ(file_of(kept.merged(docked)), file);
}

TEST(KeptPanels, PanelsDockedLaterGoAfterAndFewerDockedPanelsMoveTheKeptOnesUp) {
    player::KeptPanels kept;
    kept.keep(3, {missing_type, {7}}, "x");
    kept.keep(1, {missing_type, {6}}, "y");
    const PanelPlacement a{docked_type, {1}}, b{docked_type, {2}}, c{docked_type, {3}};
    EXPECT_EQ(kept.merged({a, b, c}), (std::vector<PanelPlacement>{a, {missing_type, {6}}, b, {missing_type, {7}}, c}));
    EXPECT_EQ(kept.merged({}), (std::vector<PanelPlacement>{{missing_type, {6}}, {missing_type, {7}}}));
}

TEST(KeptPanels, EachDockedPanelTakesTheViewStoredAtItsOwnPlaceAndTheKeptOnesKeepTheirs) {
    // Stored: panels 0 to 4, of which 1 and 3 are kept aside.
    player::KeptPanels kept;
    kept.keep(1, {missing_type, {6}}, "y");
    kept.keep(3, {missing_type, {7}}, "x");
    const std::vector<player::PanelView> stored = {{100, false}, {110, true}, {120, false}, {130, false}, {140, true}};
    EXPECT_EQ(kept.take_views(stored, 3), (std::vector<player::PanelView>{{100, false}, {120, false}, {140, true}}));
    EXPECT_EQ(kept.merged_views({{101, false}, {121, true}, {141, false}}),
              (std::vector<player::PanelView>{{101, false}, {110, true}, {121, true}, {130, false}, {141, false}}))
        << "saved again, each at its place in the layout";
    // One docked panel closed: the kept ones move up with their views, as their placements do.
    EXPECT_EQ(kept.merged_views({{101, false}, {121, false}}),
              (std::vector<player::PanelView>{{101, false}, {110, true}, {121, false}, {130, false}}));

    // Fewer views stored than panels (none at all for a layout without view.cfg): the default view.
    player::KeptPanels short_view;
    short_view.keep(0, {missing_type, {}}, "z");
    EXPECT_EQ(short_view.take_views({{50, true}}, 2), (std::vector<player::PanelView>{{}, {}}));
    EXPECT_EQ(short_view.merged_views({{}, {}}), (std::vector<player::PanelView>{{50, true}, {}, {}}));
}

TEST(KeptPanels, TheReportNamesEveryPanelWithItsReason) {
    player::KeptPanels kept;
    EXPECT_TRUE(kept.empty());
    kept.keep(0, {missing_type, {}}, "Varnel Panel {X}: Unsupported format or corrupted file");
    EXPECT_FALSE(kept.empty());
    std::string one = kept.report();
    EXPECT_NE(one.find("A docked panel could not be restored"), std::string::npos) << one;
    EXPECT_NE(one.find("Varnel Panel {X}: Unsupported format or corrupted file"), std::string::npos) << one;
    EXPECT_NE(one.find("kept and saved again unchanged"), std::string::npos) << one;
    kept.keep(1, {missing_type, {}}, "{Y}: Service not found");
    std::string two = kept.report();
    EXPECT_NE(two.find("2 docked panels could not be restored"), std::string::npos) << two;
    EXPECT_NE(two.find("{Y}: Service not found"), std::string::npos) << two;
}

}  // namespace
