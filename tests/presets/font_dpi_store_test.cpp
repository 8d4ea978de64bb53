// The preset store keeps the DPI of each record's own fonts after its records, where readers that stop at the
// records do not look, and reads stores without it as pixel heights.
#include <gtest/gtest.h>

#include "presets/PresetStore.h"
#include "tests/presets/preset_test_support.h"

namespace {

using preset_test::started_host;
using quennet::Options;
using bytes_t = std::vector<std::uint8_t>;

Options own_fonts(const char* name, std::uint32_t list_dpi, std::uint32_t text_dpi) {
    Options o;
    o.name = name;
    o.global_colors_and_fonts = false;
    o.list_font.height = -24;
    o.text_font.height = -18;
    o.list_font_dpi = list_dpi;
    o.text_font_dpi = text_dpi;
    return o;
}

void put_u32(bytes_t& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(std::uint8_t(value >> shift));
}

class FontDpiStore : public ::testing::Test {
protected:
    bytes_t write(const Options& current, const std::vector<Options>& presets) {
        sonavel::stream_writer_buffer writer;
        quennet::write_store(writer, abort, current, presets);
        return writer.data();
    }
    void read(const bytes_t& bytes) {
        sonavel::stream_reader_memblock reader(bytes);
        quennet::read_store(reader, abort, current, presets);
    }

    started_host host;
    sonavel::abort_callback_dummy abort;
    Options current;
    std::vector<Options> presets;
};

TEST_F(FontDpiStore, OwnFontsComeBackWithTheDpiTheirHeightsAreGivenAt) {
    read(write(own_fonts("Mine", 144, 192), {own_fonts("One", 96, 120), own_fonts("Two", 0, 240)}));

    EXPECT_EQ(current.list_font.height, -24);
    EXPECT_EQ(current.list_font_dpi, 144u);
    EXPECT_EQ(current.text_font_dpi, 192u);
    ASSERT_EQ(presets.size(), 2u);
    EXPECT_EQ(presets[0].list_font_dpi, 96u);
    EXPECT_EQ(presets[0].text_font_dpi, 120u);
    EXPECT_EQ(presets[1].list_font_dpi, 0u);
    EXPECT_EQ(presets[1].text_font_dpi, 240u);
}

TEST_F(FontDpiStore, StoresWithoutFontDpisAreWrittenAsBefore) {
    const bytes_t pixels = write(own_fonts("Mine", 0, 0), {own_fonts("One", 0, 0)});
    const bytes_t globals = write(Options(), {Options()});
    const bytes_t with_dpis = write(own_fonts("Mine", 144, 0), {own_fonts("One", 0, 0)});

    // Marker and two words for each of the two records, after the same records.
    ASSERT_EQ(with_dpis.size(), pixels.size() + 4 + 2 * 8);
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), with_dpis.begin()));
    read(globals);
    EXPECT_EQ(current.list_font_dpi, 0u);
}

TEST_F(FontDpiStore, ARecordReaderThatStopsAtTheRecordsReadsTheSameRecords) {
    const bytes_t with_dpis = write(own_fonts("Mine", 144, 144), {own_fonts("One", 96, 96)});
    const bytes_t pixels = write(own_fonts("Mine", 0, 0), {own_fonts("One", 0, 0)});
    read(bytes_t(with_dpis.begin(), with_dpis.begin() + std::ptrdiff_t(pixels.size())));

    EXPECT_EQ(current.name, "Mine");
    EXPECT_EQ(current.list_font.height, -24);
    // Without the DPIs the heights are pixels, as stores of earlier versions are.
    EXPECT_EQ(current.list_font_dpi, 0u);
    ASSERT_EQ(presets.size(), 1u);
    EXPECT_EQ(presets[0].text_font_dpi, 0u);
}

TEST_F(FontDpiStore, ImplausibleOrCutDpisLeaveThePixelHeights) {
    bytes_t bytes = write(own_fonts("Mine", 0, 0), {own_fonts("One", 0, 0)});
    put_u32(bytes, 0x49504446);
    put_u32(bytes, 5);        // current: list font far below any screen
    put_u32(bytes, 100000);   // current: text font far above
    put_u32(bytes, 144);      // the preset's list font, then its text font cut short
    bytes.push_back(0x90);
    read(bytes);

    EXPECT_EQ(current.list_font_dpi, 0u);
    EXPECT_EQ(current.text_font_dpi, 0u);
    ASSERT_EQ(presets.size(), 1u);
    EXPECT_EQ(presets[0].list_font_dpi, 0u);
    EXPECT_EQ(presets[0].text_font_dpi, 0u);
}

TEST_F(FontDpiStore, RecordsThatFollowThePanelHostsFontsTakeNoStoredDpi) {
    Options follows = own_fonts("Global", 0, 0);
    follows.global_colors_and_fonts = true;
    bytes_t bytes = write(follows, {own_fonts("One", 144, 144)});
    ASSERT_GT(bytes.size(), 8u);
    // The current record's pair is the first after the marker: give it a DPI as a damaged store might.
    const bytes_t without = write(follows, {own_fonts("One", 0, 0)});
    bytes[without.size() + 4] = 144;
    read(bytes);

    EXPECT_EQ(current.list_font_dpi, 0u);
    ASSERT_EQ(presets.size(), 1u);
    EXPECT_EQ(presets[0].list_font_dpi, 144u);
}

}  // namespace
