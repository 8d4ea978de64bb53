// A record stored in the library database comes back as it was.
#include <gtest/gtest.h>

#include <stdexcept>

#include "player/library/RecordCodec.h"

namespace {

using player::library::decode_record;
using player::library::encode_record;

TEST(RecordCodec, FieldsWithSeveralValuesInfoLengthAndGainComeBack) {
    sonavel::file_info_impl record;
    record.meta_add("ARTIST", "Ann");
    record.meta_add("GENRE", "Rock");
    record.meta_add("GENRE", "Pop");
    record.meta_add("TITLE", "Caf\xC3\xA9 \xE3\x83\x86");
    record.info_set("bitrate", "192");
    record.set_length(183.25);
    sonavel::replaygain_info gain;
    gain.track_gain = -6.5f;
    gain.track_gain_present = true;
    record.set_replaygain(gain);

    auto bytes = encode_record(record);
    auto back = decode_record(bytes.data(), bytes.size());
    ASSERT_EQ(back.meta_get_count(), 3u);
    EXPECT_STREQ(back.meta_get("GENRE", 0), "Rock");
    EXPECT_STREQ(back.meta_get("GENRE", 1), "Pop");
    EXPECT_STREQ(back.meta_get("TITLE"), "Caf\xC3\xA9 \xE3\x83\x86");
    ASSERT_NE(back.info_find("bitrate"), sonavel::file_info::npos);
    EXPECT_STREQ(back.info_enum_value(back.info_find("bitrate")), "192");
    EXPECT_DOUBLE_EQ(back.get_length(), 183.25);
    EXPECT_TRUE(back.get_replaygain() == gain);
}

TEST(RecordCodec, CutOrForeignBytesAreRefused) {
    sonavel::file_info_impl record;
    record.meta_add("ARTIST", "Ann");
    auto bytes = encode_record(record);
    EXPECT_THROW(decode_record(bytes.data(), bytes.size() - 1), std::runtime_error);
    bytes[0] = 99;
    EXPECT_THROW(decode_record(bytes.data(), bytes.size()), std::runtime_error);
    EXPECT_THROW(decode_record(nullptr, 0), std::runtime_error);
}

}  // namespace
