// Apply over real panels: which files are written with which values, the large-update warning, the
// refresh of related panels and the preset switch after the write.
#include "panel/model/TagUpdate.h"

#include "tests/update/panel_fixture.h"

namespace {

using update_test::PanelsOnHost;
using Strings = std::vector<std::string>;

class TagUpdateWrites : public PanelsOnHost {
protected:
    void rock_and_pop() {
        genre = &panel("GENRE");
        playlist({{{"GENRE", {"Rock"}}}, {{"GENRE", {"Pop"}}}}, {0, 1});
    }
    void apply() {
        quennet::commit_pending(quennet::tags_updated, nullptr, "");
        settle();
    }
    update_test::PanelWindow* genre = nullptr;
};

TEST_F(TagUpdateWrites, TickingAGreyValueAddsItOnlyWhereItIsMissing) {
    rock_and_pop();
    genre->click(L"Rock");
    genre->click(L"Rock");
    apply();
    EXPECT_EQ(written(), Strings{path(1)});
    EXPECT_EQ(values_of(0, "GENRE"), Strings{"Rock"});
    EXPECT_EQ(values_of(1, "GENRE"), (Strings{"Pop", "Rock"}));
}

TEST_F(TagUpdateWrites, UntickingAGreyValueRemovesItWhereItIs) {
    rock_and_pop();
    genre->click(L"Rock");
    apply();
    EXPECT_EQ(written(), Strings{path(0)});
    EXPECT_EQ(values_of(0, "GENRE"), Strings{});
    EXPECT_EQ(values_of(1, "GENRE"), Strings{"Pop"});
}

TEST_F(TagUpdateWrites, UntickingRemovesOnlyTheFirstOfTwoEqualValues) {
    genre = &panel("GENRE");
    playlist({{{"GENRE", {"Rock", "Rock"}}}}, {0});
    genre->click(L"Rock");
    apply();
    EXPECT_EQ(values_of(0, "GENRE"), Strings{"Rock"});
}

TEST_F(TagUpdateWrites, TheComparisonIsCaseSensitive) {
    genre = &panel("GENRE");
    genre->model->current_options().add_value("Rock");
    playlist({{{"GENRE", {"rock"}}}}, {0});
    genre->click(L"Rock");
    apply();
    EXPECT_EQ(values_of(0, "GENRE"), (Strings{"rock", "Rock"}));
}

TEST_F(TagUpdateWrites, TypedValuesAreAppendedInOrderAndEnterThePreset) {
    genre = &panel("GENRE");
    playlist({{{"GENRE", {"Rock"}}}, {{"GENRE", {"Pop"}}}}, {0, 1});
    genre->type_add("Blues;Soul");
    // What the panel window does when the user types into the add box.
    genre->model->values().set_pending(true);
    apply();
    EXPECT_EQ(values_of(0, "GENRE"), (Strings{"Rock", "Blues", "Soul"}));
    EXPECT_EQ(values_of(1, "GENRE"), (Strings{"Pop", "Blues", "Soul"}));
    const auto& preset = genre->model->preset_list()[0];
    EXPECT_EQ(preset.tags, (Strings{"Blues", "Pop", "Rock", "Soul"}));
}

TEST_F(TagUpdateWrites, AnEmptyPieceOfTheAddBoxAddsNoEmptyValue) {
    genre = &panel("GENRE");
    playlist({{{"GENRE", {"Rock"}}}}, {0});
    genre->click(L"Rock");
    genre->click(L"Rock");
    genre->type_add("Blues;;");
    apply();
    EXPECT_EQ(values_of(0, "GENRE"), (Strings{"Rock", "Blues"}));
}

TEST_F(TagUpdateWrites, TwoPanelsOnTwoFieldsAreWrittenInOneUpdate) {
    genre = &panel("GENRE");
    auto& mood = panel("MOOD");
    playlist({{{"GENRE", {"Rock"}}, {"MOOD", {"Calm"}}}}, {0});
    genre->click(L"Rock");
    mood.type_add("Happy");
    mood.click(L"Calm");
    apply();
    EXPECT_EQ(written(), Strings{path(0)});
    EXPECT_EQ(values_of(0, "GENRE"), Strings{});
    EXPECT_EQ(values_of(0, "MOOD"), Strings{"Happy"});
}

TEST_F(TagUpdateWrites, OfTwoPanelsOnOneFieldTheLaterOnesListsWin) {
    genre = &panel("GENRE");
    auto& second = panel("GENRE");
    playlist({{{"GENRE", {"Rock", "Pop"}}}}, {0});
    // The first panel adds Blues and removes Rock; the second adds Soul and removes nothing.
    genre->type_add("Blues");
    genre->click(L"Rock");
    second.type_add("Soul");
    second.model->values().set_pending(true);
    apply();
    // The later add list replaced [Blues]; having no removals, it left the earlier remove list alone.
    EXPECT_EQ(values_of(0, "GENRE"), (Strings{"Pop", "Soul"}));
    // Removals follow the same rule on their own: Soul, not Pop, goes.
    genre->click(L"Pop");
    second.click(L"Soul");
    apply();
    EXPECT_EQ(values_of(0, "GENRE"), Strings{"Pop"});
}

TEST_F(TagUpdateWrites, EachPanelsEditsGoToItsOwnPendingTracks) {
    genre = &panel("GENRE");
    auto& mood = panel("MOOD");
    playlist({{{"GENRE", {"Rock"}}, {"MOOD", {"Calm"}}}, {{"GENRE", {"Rock"}}, {"MOOD", {"Calm"}}}}, {0});
    genre->click(L"Rock");  // pending for track 0
    // Not committed by the selection change: the panel's own edits stay with track 0.
    quennet::set_tag_update_reaction(true);
    mood.model->set_shown(false);
    genre->model->set_shown(false);
    engines().select({1});
    settle();
    mood.model->set_shown(true);
    mood.model->request_fill(quennet::refresh);
    mood.click(L"Calm");  // pending for track 1
    apply();
    EXPECT_EQ(values_of(0, "GENRE"), Strings{});
    EXPECT_EQ(values_of(0, "MOOD"), Strings{"Calm"});
    EXPECT_EQ(values_of(1, "GENRE"), Strings{"Rock"});
    EXPECT_EQ(values_of(1, "MOOD"), Strings{});
}

TEST_F(TagUpdateWrites, AHiddenInitiatorIsNotCollectedAgainAfterItsWrite) {
    genre = &panel("GENRE");
    playlist({{{"GENRE", {"Rock"}}}, {{"GENRE", {"Rock"}}}}, {0});
    genre->click(L"Rock");
    genre->model->set_shown(false);
    quennet::commit_pending(quennet::tags_updated, genre->model.get(), "");
    settle();
    EXPECT_EQ(written(), Strings{path(0)});
    EXPECT_FALSE(genre->model->has_pending_edits());
    auto& other = panel("MOOD");
    engines().select({1});
    settle();
    other.type_add("Calm");
    other.model->values().set_pending(true);
    apply();
    EXPECT_EQ(written(), (Strings{path(0), path(1)}));
    EXPECT_EQ(values_of(1, "GENRE"), Strings{"Rock"});
}

class TagUpdateWarning : public PanelsOnHost {
protected:
    void many(std::size_t count) {
        genre = &panel("GENRE");
        std::vector<player::FieldValues> fields(count, player::FieldValues{{"GENRE", {"Rock"}}});
        std::vector<std::size_t> all;
        for (std::size_t i = 0; i < count; ++i) all.push_back(i);
        playlist(fields, all);
        genre->click(L"Rock");
    }
    update_test::PanelWindow* genre = nullptr;
};

TEST_F(TagUpdateWarning, AboveTheThresholdTheUserIsAsked) {
    many(150);
    harness::MessageBoxAnswerer answers({IDYES});
    quennet::commit_pending(quennet::tags_updated, nullptr, "");
    settle();
    ASSERT_EQ(answers.answered(), 1u);
    const auto& box = answers.boxes()[0];
    EXPECT_EQ(box.text, L"You will update 150 files. Continue?");
    EXPECT_EQ(box.caption, L"Update tags");
    EXPECT_EQ(box.button_ids(), (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(written().size(), 150u);
}

TEST_F(TagUpdateWarning, NoLeavesEveryFileAndDropsTheEdits) {
    many(150);
    harness::MessageBoxAnswerer answers({IDNO});
    quennet::commit_pending(quennet::tags_updated, nullptr, "");
    settle();
    EXPECT_EQ(answers.answered(), 1u);
    EXPECT_TRUE(written().empty());
    EXPECT_EQ(values_of(0, "GENRE"), Strings{"Rock"});
    EXPECT_FALSE(genre->model->has_pending_edits());
    EXPECT_EQ(harness::state_image(genre->list, genre->row_of(L"Rock")), 2);
    EXPECT_FALSE(genre->model->busy());
}

TEST_F(TagUpdateWarning, AtTheThresholdNobodyIsAsked) {
    many(100);
    quennet::commit_pending(quennet::tags_updated, nullptr, "");
    settle();
    EXPECT_EQ(written().size(), 100u);
}

TEST_F(TagUpdateWarning, TheWholeSixtyFourBitThresholdCounts) {
    quennet::cfg_update_warning_threshold() = 4294967296ull;
    many(150);
    quennet::commit_pending(quennet::tags_updated, nullptr, "");
    settle();
    EXPECT_EQ(written().size(), 150u);
    EXPECT_FALSE(quennet::update_needs_warning(4294967296ull, 150));
    EXPECT_TRUE(quennet::update_needs_warning(100, 101));
    EXPECT_FALSE(quennet::update_needs_warning(0, 1000));
}

class TagUpdateRefresh : public PanelsOnHost {};

TEST_F(TagUpdateRefresh, RelatedPanelsAreRefilledAfterTheWrite) {
    auto& editing = panel("GENRE");
    auto& same_field = panel("GENRE");
    auto& filtering = panel("ARTIST", "Album;genre");
    auto& unrelated = panel("ARTIST");
    playlist({{{"GENRE", {"Rock"}}, {"ARTIST", {"A"}}}}, {0});
    editing.type_add("Jazz");
    editing.model->values().set_pending(true);
    const unsigned same_before = same_field.model->fills_started();
    const unsigned filtering_before = filtering.model->fills_started();
    const unsigned unrelated_before = unrelated.model->fills_started();
    quennet::commit_pending(quennet::tags_updated, nullptr, "");
    settle();
    EXPECT_EQ(values_of(0, "GENRE"), (Strings{"Rock", "Jazz"}));
    EXPECT_EQ(same_field.model->fills_started(), same_before + 1);
    EXPECT_EQ(filtering.model->fills_started(), filtering_before + 1);
    EXPECT_EQ(filtering.model->filler().flags(), quennet::fill_flags_of(quennet::refresh));
    EXPECT_EQ(unrelated.model->fills_started(), unrelated_before);
    EXPECT_NO_THROW(same_field.row_of(L"Jazz"));
}

TEST_F(TagUpdateRefresh, APresetChosenWithPendingEditsIsSwitchedToAfterTheWrite) {
    auto& genre = panel("GENRE");
    playlist({{{"GENRE", {"Rock"}}}}, {0});
    genre.click(L"Rock");
    quennet::commit_pending(quennet::tags_updated, genre.model.get(), "Other");
    // Still the old preset while the host writes.
    EXPECT_EQ(genre.model->current_options().name, "GENRE preset");
    settle();
    EXPECT_EQ(written(), Strings{path(0)});
    EXPECT_EQ(genre.model->current_options().name, "Other");
    EXPECT_FALSE(genre.model->has_pending_edits());
}

TEST_F(TagUpdateRefresh, ACancelledWriteKeepsThePreset) {
    auto& genre = panel("GENRE");
    playlist({{{"GENRE", {"Rock"}}}}, {0});
    genre.click(L"Rock");
    genre.click(L"Rock");  // back to where it was: nothing to write
    quennet::commit_pending(quennet::tags_updated, genre.model.get(), "Other");
    settle();
    EXPECT_TRUE(written().empty());
    EXPECT_EQ(genre.model->current_options().name, "GENRE preset");
}

}  // namespace
