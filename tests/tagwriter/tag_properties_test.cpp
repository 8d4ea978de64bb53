// The host's records as the tag writer's fields: made directly, they must be what TagLib's property map
// makes of them, odd names and bytes included.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "player/tagwriter/TagProperties.h"
#include "sdk/file_info.h"

namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;

sonavel::file_info_impl record_of(const Fields& fields) {
    sonavel::file_info_impl record;
    for (const auto& [name, value] : fields) record.meta_add_ex(name.data(), name.size(), value.data(), value.size());
    return record;
}

TEST(TagProperties, FieldsOfARecordAreWhatTagLibsPropertyMapMakesOfIt) {
    const std::vector<Fields> records = {
        {},
        {{"GENRE", "Rock"}, {"GENRE", "Jazz"}, {"ARTIST", "Band"}},
        // Names that differ in case are one field, values in order.
        {{"Genre", "Rock"}, {"GENRE", "Jazz"}, {"genre", "Pop"}},
        // Only ASCII letters change case; other letters stay as they are.
        {{"ärtist", "Ünïcode ✓"}, {"straße", "日本語"}, {"MOOD", "\xF0\x9F\x8E\xB5"}},
        {{"COMMENT", ""}, {"TITLE", "a;b"}},
        // Bytes that are not UTF-8: TagLib's own reading decides.
        {{"GENRE", "Rock"}, {"TITLE", "bad \xC3 byte"}},
        {{"GENRE", "\xC0\xAF overlong"}},
        {{"GENRE", "\xED\xA0\x80 surrogate"}},
        {{"GENRE", "\xF4\x90\x80\x80 past Unicode"}},
        {{"G\xFF", "name not UTF-8"}},
        {{"GENRE", "cut \xE2\x82"}},
    };
    for (const auto& fields : records) {
        const auto record = record_of(fields);
        EXPECT_EQ(player::to_field_map(record), player::to_field_map(player::to_property_map(record)))
            << "record of " << fields.size() << " values, first " << (fields.empty() ? "" : fields[0].second);
    }
    const auto merged = player::to_field_map(record_of(records[2]));
    ASSERT_EQ(merged.size(), 1u);
    EXPECT_EQ(merged.at("GENRE"), (std::vector<std::string>{"Rock", "Jazz", "Pop"}));
}

}  // namespace
