// The popup list's byte format: every field in its place, what readers ignore or tolerate, and that a
// damaged stream neither claims memory it does not hold nor leaves half a list behind.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "host/Registration.h"
#include "sdk/errors.h"
#include "sdk/stream.h"
#include "ui/GuidText.h"
#include "ui/PopupConfig.h"

namespace {

using bytes_t = std::vector<std::uint8_t>;
using quennet::PopupConfig;

constexpr sonavel::guid panel_type = {0x01234567, 0x89AB, 0xCDEF, {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE}};

PopupConfig lounge() {
    PopupConfig config;
    config.placement = {44, 2, 1, -3, -4, -5, -6, 10, 20, 410, 320};
    config.name = "Lounge";
    config.panel_config = {0xDE, 0xAD, 0x00, 0xBE, 0xEF};
    config.no_system_menu = true;
    config.no_caption = false;
    config.no_border = true;
    config.persistent = true;
    config.panel_guid = panel_type;
    return config;
}

PopupConfig unnamed() {
    PopupConfig config;
    config.no_caption = true;
    return config;
}

bytes_t write(const std::vector<PopupConfig>& configs) {
    sonavel::stream_writer_buffer writer;
    sonavel::abort_callback_dummy abort;
    quennet::write_popup_configs(writer, configs, abort);
    return writer.data();
}

std::vector<PopupConfig> read(const bytes_t& bytes) {
    sonavel::stream_reader_memblock reader(bytes);
    sonavel::abort_callback_dummy abort;
    return quennet::read_popup_configs(reader, abort);
}

void u32(bytes_t& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}

// The entry of lounge(), written out by hand from the format.
bytes_t lounge_entry(std::uint32_t version = 1) {
    bytes_t b;
    u32(b, version);
    u32(b, 44);  // placement length
    u32(b, 2);   // flags
    u32(b, 1);   // show state
    for (std::int32_t v : {10, 20, 410, 320}) u32(b, std::uint32_t(v));  // normal rectangle
    for (std::int32_t v : {-5, -6}) u32(b, std::uint32_t(v));            // maximised position
    for (std::int32_t v : {-3, -4}) u32(b, std::uint32_t(v));            // minimised position
    u32(b, 6);
    for (char c : std::string("Lounge")) b.push_back(std::uint8_t(c));
    b.push_back(1);  // no_border
    u32(b, 5);
    for (int v : {0xDE, 0xAD, 0x00, 0xBE, 0xEF}) b.push_back(std::uint8_t(v));
    b.push_back(1);  // no_system_menu
    b.push_back(0);  // no_caption
    b.push_back(1);  // persistent
    for (int v : {0x67, 0x45, 0x23, 0x01, 0xAB, 0x89, 0xEF, 0xCD, 0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE})
        b.push_back(std::uint8_t(v));
    return b;
}

bytes_t list_of(std::uint32_t count, const bytes_t& entries) {
    bytes_t b;
    u32(b, count);
    b.insert(b.end(), entries.begin(), entries.end());
    return b;
}

TEST(PopupConfigStream, EveryFieldIsWrittenInItsPlace) {
    EXPECT_EQ(write({lounge()}), list_of(1, lounge_entry()));
}

TEST(PopupConfigStream, AnEmptyListIsItsCountAlone) { EXPECT_EQ(write({}), (bytes_t{0, 0, 0, 0})); }

TEST(PopupConfigStream, ListsReadBackAsWritten) {
    const std::vector<PopupConfig> configs = {lounge(), unnamed(), lounge()};
    EXPECT_EQ(read(write(configs)), configs);
}

TEST(PopupConfigStream, TheVersionIsIgnoredWhenRead) {
    const auto configs = read(list_of(1, lounge_entry(/*version=*/7)));
    ASSERT_EQ(configs.size(), 1u);
    EXPECT_EQ(configs[0], lounge());
}

TEST(PopupConfigStream, AnyNonZeroFlagByteReadsAsTrue) {
    bytes_t entry = lounge_entry();
    const std::size_t persistent_at = entry.size() - 17, no_caption_at = entry.size() - 18;
    entry[persistent_at] = 0xFF;
    entry[no_caption_at] = 0x02;
    const auto configs = read(list_of(1, entry));
    ASSERT_EQ(configs.size(), 1u);
    EXPECT_TRUE(configs[0].persistent);
    EXPECT_TRUE(configs[0].no_caption);
    EXPECT_TRUE(configs[0].no_system_menu);
}

TEST(PopupConfigStream, AStreamEndingInsideAnEntryRaisesTheStreamError) {
    bytes_t bytes = list_of(2, lounge_entry());
    EXPECT_THROW(read(bytes), sonavel::exception_io_data);
    bytes = list_of(1, lounge_entry());
    bytes.pop_back();
    EXPECT_THROW(read(bytes), sonavel::exception_io_data);
}

TEST(PopupConfigStream, ADamagedLengthFailsWithoutClaimingTheMemoryItNames) {
    bytes_t entry = lounge_entry();
    // The name's length becomes 4 GB less one, with six bytes behind it.
    const std::size_t name_length_at = 4 * 12;
    for (int i = 0; i < 4; ++i) entry[name_length_at + i] = 0xFF;
    EXPECT_THROW(read(list_of(1, entry)), sonavel::exception_io_data);
    EXPECT_THROW(read(list_of(0xFFFFFFFFu, lounge_entry())), sonavel::exception_io_data);
}

PopupConfig lounge_at(std::uint32_t dpi) {
    PopupConfig config = lounge();
    config.placement_dpi = dpi;
    return config;
}

TEST(PopupConfigStream, PlacementDpisFollowTheEntriesWhereKnown) {
    bytes_t expected = list_of(2, lounge_entry());
    const bytes_t entry = lounge_entry();
    expected.insert(expected.end(), entry.begin(), entry.end());
    for (std::uint32_t v : {0x49504450u, 144u, 0u}) u32(expected, v);
    const std::vector<PopupConfig> configs = {lounge_at(144), lounge()};
    EXPECT_EQ(write(configs), expected);
    EXPECT_EQ(read(expected), configs);
}

TEST(PopupConfigStream, ReadersThatStopAfterTheEntriesReadTheSameEntries) {
    const bytes_t bytes = write({lounge_at(192)});
    sonavel::stream_reader_memblock reader(bytes);
    sonavel::abort_callback_dummy abort;
    ASSERT_EQ(reader.read_lendian_u32(abort), 1u);
    EXPECT_EQ(quennet::read_popup_config(reader, abort), lounge());
    EXPECT_EQ(reader.remaining(), 8u) << "the marker and one DPI";
}

TEST(PopupConfigStream, ImplausibleOrMissingPlacementDpisReadAsPixels) {
    bytes_t bytes = list_of(1, lounge_entry());
    EXPECT_EQ(read(bytes), std::vector<PopupConfig>{lounge()}) << "no DPIs at all";
    u32(bytes, 0x49504450u);
    EXPECT_EQ(read(bytes), std::vector<PopupConfig>{lounge()}) << "the marker alone";
    u32(bytes, 5000);
    EXPECT_EQ(read(bytes), std::vector<PopupConfig>{lounge()}) << "no such DPI";
    bytes_t other = list_of(1, lounge_entry());
    u32(other, 0x12345678u);
    u32(other, 144);
    EXPECT_EQ(read(other), std::vector<PopupConfig>{lounge()}) << "not the marker";
}

TEST(PopupConfigStream, APlacementForAnotherDpiKeepsItsCornerAndScalesItsSize) {
    quennet::WindowPlacementRecord placement = lounge().placement;  // 10,20 - 410,320
    const auto at_192 = quennet::placement_for_dpi(placement, 96, 192);
    EXPECT_EQ(at_192.left, 10);
    EXPECT_EQ(at_192.top, 20);
    EXPECT_EQ(at_192.right, 810);
    EXPECT_EQ(at_192.bottom, 620);
    EXPECT_EQ(at_192.show_state, placement.show_state);
    EXPECT_EQ(quennet::placement_for_dpi(at_192, 192, 96), placement);
    EXPECT_EQ(quennet::placement_for_dpi(placement, 0, 144), placement) << "a DPI not known leaves pixels";
}

TEST(PopupConfigStream, PlacementsWithAnEmptyNormalRectangleAreNotUsable) {
    quennet::WindowPlacementRecord placement;
    EXPECT_FALSE(placement.usable());
    placement.length = 44;
    EXPECT_FALSE(placement.usable()) << "all zero";
    placement.right = 100;
    EXPECT_FALSE(placement.usable()) << "no height";
    placement.bottom = 50;
    EXPECT_TRUE(placement.usable());
    placement.length = 0;
    EXPECT_FALSE(placement.usable()) << "no length: no placement";
}

TEST(PopupConfigStream, IdentifiersInConsoleLinesAreThirtySixUpperCaseCharacters) {
    EXPECT_EQ(quennet::guid_log_text(panel_type), "01234567-89AB-CDEF-1032-547698BADCFE");
    EXPECT_EQ(quennet::guid_log_text(sonavel::guid{}), "00000000-0000-0000-0000-000000000000");
    const sonavel::guid lettered = {0xFEDCBA9A, 0xBEEF, 0x0A0B, {0xC0, 0x01, 0x0D, 0xE0, 0xAF, 0xFE, 0x0F, 0xAB}};
    EXPECT_EQ(quennet::guid_log_text(lettered), "FEDCBA9A-BEEF-0A0B-C001-0DE0AFFE0FAB");
}

// The variable as the host's configuration block reads and writes it.
class PopupConfigVariable : public ::testing::Test {
protected:
    ~PopupConfigVariable() override { set({0, 0, 0, 0}); }

    static void set(const bytes_t& bytes) {
        sonavel::stream_reader_memblock reader(bytes);
        sonavel::abort_callback_dummy abort;
        quennet::popup_configs.set_data_raw(reader, bytes.size(), abort);
    }
    static bytes_t get() {
        sonavel::stream_writer_buffer writer;
        sonavel::abort_callback_dummy abort;
        quennet::popup_configs.get_data_raw(writer, abort);
        return writer.data();
    }
};

TEST_F(PopupConfigVariable, ATruncatedStreamEmptiesTheListAndPassesTheErrorOn) {
    PopupConfig hidden = lounge();
    set(write({hidden, hidden}));
    ASSERT_EQ(quennet::popup_configs.configs().size(), 2u);
    bytes_t truncated = write({hidden, hidden});
    truncated.resize(truncated.size() - 3);
    EXPECT_THROW(set(truncated), sonavel::exception_io_data_truncation);
    EXPECT_TRUE(quennet::popup_configs.configs().empty());
    EXPECT_TRUE(quennet::popup_configs.take_persistent().empty()) << "nothing left to reopen";
    EXPECT_EQ(get(), (bytes_t{0, 0, 0, 0}));
}

TEST_F(PopupConfigVariable, PersistentWindowsNotYetReopenedSurviveASave) {
    PopupConfig closing = lounge();
    closing.persistent = false;
    set(write({lounge(), closing, unnamed()}));
    EXPECT_EQ(quennet::popup_configs.configs().size(), 3u);
    // Start-up did not reopen them (no sufficient panel host): saving must not lose the persistent one.
    EXPECT_EQ(read(get()), std::vector<PopupConfig>{lounge()});
    EXPECT_EQ(read(get()), std::vector<PopupConfig>{lounge()}) << "and not twice at the next save";
}

TEST_F(PopupConfigVariable, OnceReopenedTheWindowsThemselvesAreSaved) {
    set(write({lounge(), unnamed(), lounge()}));
    const auto taken = quennet::popup_configs.take_persistent();
    EXPECT_EQ(taken, (std::vector<PopupConfig>{lounge(), lounge()}));
    // No window exists in this build: nothing is live, so nothing is saved.
    EXPECT_EQ(get(), (bytes_t{0, 0, 0, 0}));
}

}  // namespace
