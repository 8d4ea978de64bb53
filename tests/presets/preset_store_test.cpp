// The preset store: its round trip, how older versions read, post-processing, and streams that end early.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "player/engine/HostEngines.h"
#include "presets/PresetStore.h"
#include "tests/presets/preset_test_support.h"
#include "tests/presets/preset_stream_builder.h"

namespace {

using preset_test::bytes_t;
using preset_test::stored_record;
using preset_test::stream_builder;
using quennet::Options;
using Strings = std::vector<std::string>;

// Counts the largest single request, to see whether a string claims its stored size before the data.
class recording_reader final : public sonavel::stream_reader {
public:
    explicit recording_reader(bytes_t bytes) : bytes_(std::move(bytes)), inner_(bytes_) {}
    std::size_t read(void* buffer, std::size_t bytes, sonavel::abort_callback& abort) override {
        largest = std::max(largest, bytes);
        return inner_.read(buffer, bytes, abort);
    }
    std::size_t largest = 0;

private:
    bytes_t bytes_;
    sonavel::stream_reader_memblock inner_;
};

bool font_filled(const panoplex::log_font& font, std::uint8_t fill) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&font);
    return std::all_of(p, p + sizeof font, [fill](std::uint8_t b) { return b == fill; });
}

using preset_test::expect_same_stored_fields;
using preset_test::same_font;
using preset_test::started_host;

class PresetStore : public ::testing::Test {
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
    bool has_global_look(const Options& o) {
        Options globals;
        return same_font(o.list_font, globals.list_font) && same_font(o.text_font, globals.text_font) &&
               o.text_color == globals.text_color && o.list_color == globals.list_color &&
               o.back_color == globals.back_color && o.list_back_color == globals.list_back_color;
    }

    started_host host;
    sonavel::abort_callback_dummy abort;
    Options current;
    std::vector<Options> presets;
};

TEST_F(PresetStore, RoundTripKeepsEveryStoredFieldAndLeavesOutValuesHoldingSemicolons) {
    Options mine;
    mine.name = "Moods";
    mine.metadata_field = "MOOD";
    mine.sort_list = false;
    mine.add_value("Calm");
    mine.add_value("a;b");
    mine.value_counts["Calm"] = 3;
    mine.scan_library = true;
    mine.doubleclick_action = Options::add_to_playlist;
    mine.scan_fields = "GENRE;STYLE";
    mine.playlist_name = "Picked";
    mine.filter_fields = "ARTIST";
    mine.edge_style = Options::edge_grey;
    mine.sort_order = "%title%\r\n%artist%";
    mine.same_value_fields = "ALBUM";
    mine.global_colors_and_fonts = false;
    mine.list_font.height = -20;
    mine.text_font.face_name[0] = u'Q';
    mine.text_color = 0x112233;
    mine.list_back_color = 0x445566;
    Options other;
    other.name = "Two";
    other.filter_on_focused_tags = true;
    other.add_tags("Rock;Pop", ';');

    read(write(mine, {other, mine}));

    expect_same_stored_fields(current, mine);
    // "a;b" would come back as "a" and "b", values nobody chose: it stays out, the selection finds it again.
    EXPECT_EQ(current.tags, (Strings{"Calm"}));
    EXPECT_TRUE(current.value_counts.empty());
    EXPECT_TRUE(current.tags_text.empty());
    ASSERT_EQ(presets.size(), 2u);
    expect_same_stored_fields(presets[0], other);
    EXPECT_EQ(presets[0].tags, (Strings{"Pop", "Rock"}));
    expect_same_stored_fields(presets[1], mine);
}

TEST_F(PresetStore, LongStringsArriveInChunksAndADamagedCountClaimsNothingUpFront) {
    Options mine;
    mine.name = std::string(70000, 'n');
    recording_reader whole(write(mine, {}));
    quennet::read_store(whole, abort, current, presets);
    EXPECT_EQ(current.name, mine.name);
    EXPECT_EQ(whole.largest, 65536u);

    recording_reader damaged(stream_builder(5).u32(0xFFFFFFF0u).fill(100, 'x').bytes());
    EXPECT_THROW(quennet::read_store(damaged, abort, current, presets), sonavel::exception_io_data_truncation);
    EXPECT_LE(damaged.largest, 65536u);

    // A preset count nothing follows: the first string ends the read, nothing is reserved for the count.
    EXPECT_THROW(read(stream_builder(2).current_head({}).u32(0xFFFFFFFFu).bytes()),
                 sonavel::exception_io_data_truncation);
    EXPECT_TRUE(presets.empty());
}

TEST_F(PresetStore, VersionTwoTakesTheGlobalLookWhateverItStored) {
    stored_record r;
    r.name = "Old";
    r.scan_fields = "STYLE";
    read(stream_builder(2).current_head(r).presets({r}).bytes());
    ASSERT_EQ(presets.size(), 1u);
    for (const Options* o : {&current, &presets[0]}) {
        EXPECT_EQ(o->name, "Old");
        EXPECT_EQ(o->scan_fields, "STYLE");
        EXPECT_TRUE(o->global_colors_and_fonts);
        EXPECT_TRUE(has_global_look(*o));
    }
}

TEST_F(PresetStore, VersionsThreeAndFourKeepTheirStoredLookAndSkipTheUnusedBytes) {
    for (std::uint32_t version : {3u, 4u}) {
        SCOPED_TRACE(version);
        current = Options();
        presets.clear();
        stored_record r;
        r.name = "Look";
        r.scan_library = true;
        r.filter_fields = "ARTIST";
        r.sort_order = "not in these versions";
        read(stream_builder(version).current_head(r).presets({r}).group_t(r).bytes());
        ASSERT_EQ(presets.size(), 1u);
        for (const Options* o : {&current, &presets[0]}) {
            EXPECT_EQ(o->name, "Look");
            EXPECT_TRUE(o->scan_library);
            EXPECT_FALSE(o->global_colors_and_fonts);
            EXPECT_TRUE(font_filled(o->list_font, r.list_font_fill));
            EXPECT_TRUE(font_filled(o->text_font, r.text_font_fill));
            EXPECT_EQ(o->list_color, r.list_color);
            EXPECT_EQ(o->back_color, r.back_color);
            EXPECT_EQ(o->list_back_color, r.list_back_color);
            EXPECT_EQ(o->filter_fields, version == 4 ? "ARTIST" : "");
            EXPECT_TRUE(o->sort_order.empty());
        }
    }
}

TEST_F(PresetStore, ReadRecordsAreUniqueSortedAndFilteringRulesOutTheScan) {
    stored_record r;
    r.tags_text = "b;a;b;;c";
    r.scan_library = true;
    r.filter_on_focused_tags = true;
    // The values the current record had before go: the stored ones replace them.
    current.add_value("z");
    current.add_value("b");
    read(stream_builder(5).current_head(r).presets({r}).group_t(r).bytes());
    for (const Options* o : {&current, &presets.at(0)}) {
        EXPECT_EQ(o->tags, (Strings{"a", "b", "c"}));
        EXPECT_EQ(o->tag_set.size(), 3u);
        EXPECT_TRUE(o->filter_on_focused_tags);
        EXPECT_FALSE(o->scan_library);
    }
}

TEST_F(PresetStore, StoredPresetsAreAppendedAndSameNamesAreAllKept) {
    presets.emplace_back().name = "Kept";
    stored_record first, second;
    first.name = second.name = "Twin";
    first.metadata_field = "GENRE";
    second.metadata_field = "MOOD";
    read(stream_builder(5).current_head({}).presets({first, second}).group_t({}).bytes());
    ASSERT_EQ(presets.size(), 3u);
    EXPECT_EQ(presets[0].name, "Kept");
    EXPECT_EQ(quennet::find_preset(presets, "Twin"), 1);
    EXPECT_EQ(presets[2].metadata_field, "MOOD");
}

TEST_F(PresetStore, VersionOneCarriesOnlyTheFirstGroupOfTheCurrentRecord) {
    stored_record r;
    r.name = "not stored in version 1";
    r.metadata_field = "STYLE";
    r.tags_text = "x;y";
    r.edge_style = Options::edge_none;
    read(stream_builder(1).current_head(r).bytes());
    const Options defaults;
    EXPECT_EQ(current.metadata_field, "STYLE");
    EXPECT_EQ(current.tags, (Strings{"x", "y"}));
    EXPECT_EQ(current.edge_style, Options::edge_none);
    EXPECT_EQ(current.name, "");
    EXPECT_EQ(current.doubleclick_action, defaults.doubleclick_action);
    EXPECT_TRUE(presets.empty());
}

TEST_F(PresetStore, AStreamEndingInsideAStringThrowsAndKeepsWhatWasRead) {
    stored_record kept, lost;
    kept.name = "Kept";
    stored_record head;
    head.tags_text = "p;q";
    head.scan_library = true;
    current.add_value("before");
    stream_builder b(5);
    b.current_head(head).u32(2).preset(kept);
    const std::size_t inside_second = b.size() + 6;
    b.preset(lost).group_t({});

    EXPECT_THROW(read(b.cut(inside_second)), sonavel::exception_io_data_truncation);
    ASSERT_EQ(presets.size(), 1u);
    EXPECT_EQ(presets[0].name, "Kept");
    // Not post-processed: the values are still the stored text.
    EXPECT_EQ(current.tags, (Strings{"before"}));
    EXPECT_EQ(current.tags_text, "p;q");
}

TEST_F(PresetStore, AStreamEndingInsideAFixedFieldLeavesThatFieldAlone) {
    current.edge_style = Options::edge_none;
    stream_builder b(1);
    stored_record r;
    r.edge_style = Options::edge_grey;
    b.current_head(r);
    // Version 1 ends with the edge style, two colours, the unused word and two more colours: keep half
    // of the edge style.
    read(b.cut(b.size() - 5 * 4 - 2));
    EXPECT_EQ(current.edge_style, Options::edge_none);
    EXPECT_EQ(current.metadata_field, "GENRE");

    // A preset count cut short counts no presets; the current record is still post-processed.
    current = Options();
    stream_builder two(2);
    r.tags_text = "v";
    two.current_head(r).u32(1);
    read(two.cut(two.size() - 2));
    EXPECT_TRUE(presets.empty());
    EXPECT_EQ(current.tags, (Strings{"v"}));
}

TEST_F(PresetStore, LaterVersionsReadAsFive) {
    stored_record r;
    r.sort_order = "%date%";
    r.same_value_fields = "ALBUM ARTIST";
    read(stream_builder(9).current_head(r).presets({r}).group_t(r).bytes());
    for (const Options* o : {&current, &presets.at(0)}) {
        EXPECT_EQ(o->sort_order, "%date%");
        EXPECT_EQ(o->same_value_fields, "ALBUM ARTIST");
        EXPECT_TRUE(o->global_colors_and_fonts);
    }
}

TEST_F(PresetStore, AnEmptyStreamResetsTheCurrentRecordOnly) {
    current.name = "Changed";
    current.edge_style = Options::edge_none;
    presets.resize(1);
    read({});
    EXPECT_EQ(current.name, "");
    EXPECT_EQ(current.edge_style, Options::edge_sunken);
    EXPECT_EQ(presets.size(), 1u);
}

TEST_F(PresetStore, AStreamEndingInsideTheVersionWordIsNotEmptyAndRaisesTheStreamError) {
    for (const bytes_t& cut : {bytes_t{5}, bytes_t{5, 0}, bytes_t{5, 0, 0}, bytes_t{1, 0, 0}}) {
        current = Options();
        current.name = "Changed";
        current.edge_style = Options::edge_none;
        presets.resize(1);
        EXPECT_THROW(read(cut), sonavel::exception_io_data_truncation) << cut.size() << " bytes";
        EXPECT_EQ(current.name, "Changed");
        EXPECT_EQ(current.edge_style, Options::edge_none);
        EXPECT_EQ(presets.size(), 1u);
    }
    // A version of 0 taken from a cut word carries no record at all.
    current.name = "Changed";
    read({0, 0});
    EXPECT_EQ(current.name, "Changed");
}

TEST_F(PresetStore, AValueHoldingASemicolonLeavesTheStoredListInItsOwnForm) {
    Options mine;
    mine.sort_list = false;
    for (const char* value : {"Jazz", "Jazz; Acoustic", "Folk", ";", "Blues"}) mine.add_value(value);
    const bytes_t bytes = write(mine, {});
    // The list other versions read: the plain values joined by ";", nothing else.
    const std::string stored = "Jazz;Folk;Blues";
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), stored.begin(), stored.end()), bytes.end());
    read(bytes);
    EXPECT_EQ(current.tags, (Strings{"Jazz", "Folk", "Blues"}));
}

}  // namespace
