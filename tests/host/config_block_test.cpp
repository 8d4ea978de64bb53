// The component's configuration block as the host stores it: which variables, in which order, and how
// damaged or foreign blocks are read.
#include <gtest/gtest.h>

#include <vector>

#include "host/Registration.h"
#include "host/Settings.h"
#include "sdk/cfg_var.h"
#include "tests/host/component_host.h"

namespace {

using registration_test::block_builder;
using registration_test::bytes_t;

constexpr sonavel::guid foreign_id = {0x0BADF00D, 0x1234, 0x5678, {0x9A, 0xBC, 0xDE, 0xF0, 0x12, 0x34, 0x56, 0x78}};

class RegistrationConfigBlock : public registration_test::DefaultSettings {
protected:
    const sonavel::guid console_id = quennet::cfg_console_output().get_guid();
    const sonavel::guid threshold_id = quennet::cfg_update_warning_threshold().get_guid();
    const sonavel::guid popups_id = quennet::popup_configs.get_guid();

    // Through the client object, as the host does; the whole block must be consumed.
    static void read(const bytes_t& block) {
        sonavel::stream_reader_memblock reader(block);
        sonavel::abort_callback_dummy abort;
        quennet::ComponentClient::instance().set_config(&reader, abort);
        EXPECT_EQ(reader.remaining(), 0u) << "the block was not read to its end";
    }
    static bytes_t write() {
        sonavel::stream_writer_buffer writer;
        sonavel::abort_callback_dummy abort;
        quennet::ComponentClient::instance().get_config(&writer, abort);
        return writer.data();
    }
    static std::uint64_t threshold() { return quennet::cfg_update_warning_threshold().get(); }
    static bool console() { return quennet::cfg_console_output().get(); }
};

TEST_F(RegistrationConfigBlock, VariableListReadsConsoleThresholdPopupList) {
    std::vector<const sonavel::cfg_var*> order;
    for (sonavel::cfg_var* v = sonavel::cfg_var::list_head(); v; v = v->next()) order.push_back(v);
    EXPECT_EQ(order,
              (std::vector<const sonavel::cfg_var*>{
                  &quennet::cfg_console_output(), &quennet::cfg_update_warning_threshold(), &quennet::popup_configs}));
}

TEST_F(RegistrationConfigBlock, DefaultsAreWrittenInListOrder) {
    block_builder expected;
    expected.entry(console_id, {0}).entry(threshold_id, {100, 0, 0, 0, 0, 0, 0, 0}).entry(popups_id, {0, 0, 0, 0});
    EXPECT_EQ(write(), expected.bytes());
}

TEST_F(RegistrationConfigBlock, ValuesAreStoredLittleEndian) {
    quennet::cfg_console_output() = true;
    quennet::cfg_update_warning_threshold() = 0x0102030405060708ull;
    block_builder expected;
    expected.entry(console_id, {1}).entry(threshold_id, {8, 7, 6, 5, 4, 3, 2, 1}).entry(popups_id, {0, 0, 0, 0});
    EXPECT_EQ(write(), expected.bytes());
}

TEST_F(RegistrationConfigBlock, RoundTripRestoresBothSettings) {
    quennet::cfg_console_output() = true;
    quennet::cfg_update_warning_threshold() = 12345;
    bytes_t block = write();
    reset_settings();
    read(block);
    EXPECT_TRUE(console());
    EXPECT_EQ(threshold(), 12345u);
    EXPECT_EQ(write(), block);
}

TEST_F(RegistrationConfigBlock, EmptyBlockLeavesAHundredAndConsoleOff) {
    read({});
    EXPECT_EQ(threshold(), 100u);
    EXPECT_FALSE(console());
}

TEST_F(RegistrationConfigBlock, ForeignEntryBeforeTheThresholdIsSkipped) {
    read(block_builder()
             .entry(foreign_id, {1, 2, 3, 4, 5, 6, 7, 8, 9})
             .entry(threshold_id, {250, 0, 0, 0, 0, 0, 0, 0})
             .bytes());
    EXPECT_EQ(threshold(), 250u);
    EXPECT_FALSE(console());
}

TEST_F(RegistrationConfigBlock, EntriesMayComeInAnyOrder) {
    read(block_builder()
             .entry(popups_id, {0, 0, 0, 0})
             .entry(threshold_id, {7, 0, 0, 0, 0, 0, 0, 0})
             .entry(console_id, {1})
             .bytes());
    EXPECT_EQ(threshold(), 7u);
    EXPECT_TRUE(console());
}

TEST_F(RegistrationConfigBlock, ShortDataOfAVariableIsIgnoredAndReadingGoesOn) {
    read(block_builder()
             .entry(threshold_id, 3, {0xAA, 0xBB, 0xCC})
             .entry(console_id, {1})
             .entry(popups_id, 2, {0, 0})
             .bytes());
    EXPECT_EQ(threshold(), 100u);
    EXPECT_TRUE(console());
}

TEST_F(RegistrationConfigBlock, ExtraDataOfAVariableIsSkipped) {
    read(
        block_builder().entry(console_id, {1, 0xEE, 0xEE}).entry(threshold_id, {9, 0, 0, 0, 0, 0, 0, 0, 0xEE}).bytes());
    EXPECT_TRUE(console());
    EXPECT_EQ(threshold(), 9u);
}

TEST_F(RegistrationConfigBlock, StoredPopupRecordsAreSkippedUntilPopupsExist) {
    read(block_builder()
             .entry(popups_id, {2, 0, 0, 0, 0x11, 0x22, 0x33, 0x44, 0x55})
             .entry(threshold_id, {42, 0, 0, 0, 0, 0, 0, 0})
             .bytes());
    EXPECT_EQ(threshold(), 42u);
    bytes_t block = write();
    EXPECT_EQ(bytes_t(block.end() - 4, block.end()), (bytes_t{0, 0, 0, 0}));
}

TEST_F(RegistrationConfigBlock, EndInsideAGuidEndsQuietly) {
    block_builder block;
    block.entry(threshold_id, {5, 0, 0, 0, 0, 0, 0, 0}).raw({0x17, 0x4A, 0x2D, 0x8C, 0x3B, 0x5E, 0x60});
    EXPECT_NO_THROW(read(block.bytes()));
    EXPECT_EQ(threshold(), 5u);
}

TEST_F(RegistrationConfigBlock, EndInsideACountRaisesTheStreamError) {
    block_builder block;
    block.entry(threshold_id, {5, 0, 0, 0, 0, 0, 0, 0}).raw_guid(console_id).raw({1, 0});
    sonavel::stream_reader_memblock reader(block.bytes());
    sonavel::abort_callback_dummy abort;
    EXPECT_THROW(quennet::ComponentClient::instance().set_config(&reader, abort),
                 sonavel::exception_io_data_truncation);
    // What came before the damage is kept.
    EXPECT_EQ(threshold(), 5u);
}

TEST_F(RegistrationConfigBlock, CountBeyondTheBlockReadsWhatIsThere) {
    // The variable meets the end of the block inside its own data: its error, ignored.
    read(block_builder().entry(console_id, {1}).entry(threshold_id, 8, {3, 0, 0}).bytes());
    EXPECT_TRUE(console());
    EXPECT_EQ(threshold(), 100u);
}

}  // namespace
