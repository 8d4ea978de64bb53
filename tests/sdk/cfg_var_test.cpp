// Configuration variables and the module's configuration block: layout, round trip, and how damaged or
// foreign blocks are read.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "sdk/cfg_var.h"
#include "tests/sdk/config_block_builder.h"

namespace {

using namespace sonavel;
using config_test::bytes_t;

constexpr guid big_id = {0x3F1D2B10, 0x77A0, 0x4C55, {0x8E, 0x01, 0x11, 0x22, 0x33, 0x44, 0x55, 0x01}};
constexpr guid flag_id = {0x3F1D2B10, 0x77A0, 0x4C55, {0x8E, 0x01, 0x11, 0x22, 0x33, 0x44, 0x55, 0x02}};
constexpr guid small_id = {0x3F1D2B10, 0x77A0, 0x4C55, {0x8E, 0x01, 0x11, 0x22, 0x33, 0x44, 0x55, 0x03}};
constexpr guid unknown_id = {0x3F1D2B10, 0x77A0, 0x4C55, {0x8E, 0x01, 0x11, 0x22, 0x33, 0x44, 0x55, 0xFF}};

constexpr std::uint64_t big_default = 0x1122334455667788ull;
constexpr bool flag_default = true;
constexpr std::int32_t small_default = -5;

// The only variables of this module; constructed in this order, so the list reads small, flag, big.
cfg_int_t<std::uint64_t> g_big(big_id, big_default);
cfg_int_t<bool> g_flag(flag_id, flag_default);
cfg_int_t<std::int32_t> g_small(small_id, small_default);

using config_test::block_builder;

class CfgVarBlock : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset() {
        g_big = big_default;
        g_flag = flag_default;
        g_small = small_default;
    }
    static void read(const bytes_t& block) {
        stream_reader_memblock reader(block);
        abort_callback_dummy abort;
        cfg_var::config_read_all(reader, abort);
        EXPECT_EQ(reader.remaining(), 0u) << "the block was not read to its end";
    }
    static bytes_t write() {
        stream_writer_buffer writer;
        abort_callback_dummy abort;
        cfg_var::config_write_all(writer, abort);
        return writer.data();
    }
};

TEST_F(CfgVarBlock, ListStartsWithTheLastConstructedVariable) {
    std::vector<const cfg_var*> order;
    for (cfg_var* v = cfg_var::list_head(); v; v = v->next()) order.push_back(v);
    EXPECT_EQ(order, (std::vector<const cfg_var*>{&g_small, &g_flag, &g_big}));
}

TEST_F(CfgVarBlock, WriteLaysOutGuidCountAndDataPerVariableFromTheHead) {
    block_builder expected;
    expected.entry(small_id, {0xFB, 0xFF, 0xFF, 0xFF})
        .entry(flag_id, {0x01})
        .entry(big_id, {0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11});
    EXPECT_EQ(write(), expected.bytes());
    // The GUID goes out as it lies in memory: Data1 little-endian first.
    EXPECT_EQ(write()[0], 0x10);
    EXPECT_EQ(write()[3], 0x3F);
}

TEST_F(CfgVarBlock, RoundTripRestoresEveryValue) {
    g_big = 0xFEDCBA9876543210ull;
    g_flag = false;
    g_small = 123456;
    bytes_t block = write();
    reset();
    read(block);
    EXPECT_EQ(g_big.get(), 0xFEDCBA9876543210ull);
    EXPECT_FALSE(g_flag.get());
    EXPECT_EQ(g_small.get(), 123456);
}

TEST_F(CfgVarBlock, BoolIsOneByteZeroOrOne) {
    g_flag = false;
    bytes_t off = write();
    g_flag = true;
    bytes_t on = write();
    // small: 16 + 4 + 4 bytes, then flag's GUID and count.
    const std::size_t at = 24 + 16;
    EXPECT_EQ(off[at], 1u);
    EXPECT_EQ(off[at + 4], 0u);
    EXPECT_EQ(on[at + 4], 1u);
    EXPECT_EQ(on.size(), 24u + 21u + 28u);

    // Any non-zero byte reads as true and writes back as 1.
    g_flag = false;
    read(block_builder().entry(flag_id, {0x02}).bytes());
    EXPECT_TRUE(g_flag.get());
    EXPECT_EQ(write()[at + 4], 1u);
}

TEST_F(CfgVarBlock, U64IsStoredLittleEndian) {
    g_big = 0x0102030405060708ull;
    bytes_t block = write();
    const std::size_t data_at = 24 + 21 + 20;
    ASSERT_EQ(block.size(), data_at + 8);
    EXPECT_EQ(bytes_t(block.begin() + data_at, block.end()), (bytes_t{8, 7, 6, 5, 4, 3, 2, 1}));

    read(block_builder().entry(big_id, {0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23, 0x01}).bytes());
    EXPECT_EQ(g_big.get(), 0x0123456789ABCDEFull);
}

TEST_F(CfgVarBlock, EmptyBlockLeavesDefaults) {
    g_small = 9;
    read({});
    EXPECT_EQ(g_big.get(), big_default);
    EXPECT_EQ(g_flag.get(), flag_default);
    EXPECT_EQ(g_small.get(), 9);
}

TEST_F(CfgVarBlock, VariablesMissingFromTheBlockKeepTheirValues) {
    read(block_builder().entry(small_id, {0x07, 0, 0, 0}).bytes());
    EXPECT_EQ(g_small.get(), 7);
    EXPECT_EQ(g_big.get(), big_default);
    EXPECT_EQ(g_flag.get(), flag_default);
}

TEST_F(CfgVarBlock, UnknownEntryIsSkippedAndTheNextOneRead) {
    block_builder block;
    block.entry(unknown_id, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11})
        .entry(unknown_id, {})
        .entry(small_id, {0x2A, 0, 0, 0})
        .entry(unknown_id, {0xFF});
    read(block.bytes());
    EXPECT_EQ(g_small.get(), 42);
}

TEST_F(CfgVarBlock, ShortDataOfAVariableIsIgnoredAndReadingContinues) {
    // Three bytes for an eight-byte variable: its own data error, not the block's.
    block_builder block;
    block.entry(big_id, 3, {0xAA, 0xBB, 0xCC}).entry(flag_id, {0x00}).entry(small_id, {0x01, 0, 0, 0});
    read(block.bytes());
    EXPECT_EQ(g_big.get(), big_default);
    EXPECT_FALSE(g_flag.get());
    EXPECT_EQ(g_small.get(), 1);
}

TEST_F(CfgVarBlock, ExtraDataOfAVariableIsSkipped) {
    block_builder block;
    block.entry(small_id, {0x05, 0, 0, 0, 0xEE, 0xEE, 0xEE}).entry(flag_id, {0x00});
    read(block.bytes());
    EXPECT_EQ(g_small.get(), 5);
    EXPECT_FALSE(g_flag.get());
}

TEST_F(CfgVarBlock, EndInsideAGuidEndsQuietly) {
    block_builder block;
    block.entry(small_id, {0x0C, 0, 0, 0}).raw({0x10, 0x2B, 0x1D, 0x3F, 0xA0, 0x77, 0x55});
    EXPECT_NO_THROW(read(block.bytes()));
    EXPECT_EQ(g_small.get(), 12);
}

TEST_F(CfgVarBlock, EndInsideACountRaisesTheStreamError) {
    block_builder block;
    block.entry(small_id, {0x0C, 0, 0, 0}).raw_guid(flag_id).raw({0x01, 0x00});
    stream_reader_memblock reader(block.bytes());
    abort_callback_dummy abort;
    try {
        cfg_var::config_read_all(reader, abort);
        FAIL() << "a block cut inside a count was accepted";
    } catch (const exception_io_data_truncation& e) {
        EXPECT_STREQ(e.what(), "Unsupported format or corrupted file");
    }
    // Entries before the damage are in.
    EXPECT_EQ(g_small.get(), 12);
    EXPECT_EQ(g_flag.get(), flag_default);
}

TEST_F(CfgVarBlock, UserAbortIsNotForgivenLikeDamagedData) {
    bytes_t block = block_builder().entry(small_id, {0x0C, 0, 0, 0}).bytes();
    stream_reader_memblock reader(block);
    abort_callback_impl abort;
    abort.abort();
    EXPECT_THROW(cfg_var::config_read_all(reader, abort), exception_aborted);
    EXPECT_EQ(g_small.get(), small_default);
}

}  // namespace
