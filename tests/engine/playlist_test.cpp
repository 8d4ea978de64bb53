// Playlists: names, items, focus and selection, and the events of the active playlist as subscribed
// listeners hear them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host_fixture.h"
#include "sdk/playlist.h"
#include "sdk/ui_services.h"

namespace engine_test {
namespace {

using sonavel::bit_array;
using sonavel::bit_array_bittable;
using sonavel::bit_array_false;
using sonavel::bit_array_one;
using sonavel::bit_array_true;
using sonavel::metadb_handle_list;
using sonavel::metadb_handle_ptr;
using sonavel::no_item;
using Flags = sonavel::playlist_callback_single;

std::string bits(const bit_array& mask, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) out += mask.get(i) ? '1' : '0';
    return out;
}

std::string index_text(std::size_t index) { return index == no_item ? "none" : std::to_string(index); }

std::size_t active_item_count() {
    auto playlists = sonavel::standard_api_create_t<sonavel::playlist_service>();
    std::size_t active = playlists->get_active_playlist();
    return active == no_item ? 0 : playlists->get_item_count(active);
}

// Writes each event it hears as one line whose first word names the event.
class PlaylistRecorder : public sonavel::playlist_callback_single_static {
public:
    using interface_t = sonavel::playlist_callback_single_static;

    unsigned mask = 0;
    std::vector<std::string> log;
    // What the listener does to the host while it is told of a coming removal.
    std::function<void()> while_removing;

    void reset() {
        mask = 0;
        log.clear();
        while_removing = nullptr;
    }

    unsigned get_flags() override { return mask; }

    void on_items_added(std::size_t base, const metadb_handle_list& tracks, const bit_array& selection) override {
        log.push_back("added " + std::to_string(base) + " " + join(paths_of(tracks)) + " sel " + bits(selection, tracks.size()) +
                      " now " + std::to_string(active_item_count()));
    }
    void on_items_reordered(const std::size_t*, std::size_t count) override { log.push_back("reordered " + std::to_string(count)); }
    void on_items_removing(const bit_array& mask, std::size_t old_count, std::size_t new_count) override {
        log.push_back("removing " + bits(mask, old_count) + " " + std::to_string(old_count) + ">" + std::to_string(new_count) +
                      " now " + std::to_string(active_item_count()));
        if (while_removing) while_removing();
    }
    void on_items_removed(const bit_array& mask, std::size_t old_count, std::size_t new_count) override {
        log.push_back("removed " + bits(mask, old_count) + " " + std::to_string(old_count) + ">" + std::to_string(new_count) +
                      " now " + std::to_string(active_item_count()));
    }
    void on_items_selection_change(const bit_array& affected, const bit_array& state) override {
        std::size_t n = active_item_count();
        log.push_back("selection " + bits(affected, n) + " " + bits(state, n));
    }
    void on_item_focus_change(std::size_t from, std::size_t to) override {
        log.push_back("focus " + index_text(from) + ">" + index_text(to));
    }
    void on_items_modified(const bit_array& mask) override { log.push_back("modified " + bits(mask, active_item_count())); }
    void on_items_modified_fromplayback(const bit_array&) override { log.push_back("modified_fromplayback"); }
    void on_items_replaced(const bit_array& mask) override { log.push_back("replaced " + bits(mask, active_item_count())); }
    void on_item_ensure_visible(std::size_t item) override { log.push_back("ensure_visible " + std::to_string(item)); }
    void on_playlist_switch() override {
        auto playlists = sonavel::standard_api_create_t<sonavel::playlist_service>();
        const std::size_t active = playlists->get_active_playlist();
        log.push_back("switch " + (active == sonavel::no_item ? std::string("(none)") : playlists->get_playlist_name(active)));
    }
    void on_playlist_renamed(const char* name) override { log.push_back(std::string("renamed ") + name); }
    void on_playlist_locked(bool) override { log.push_back("locked"); }
    void on_default_format_changed() override { log.push_back("default_format_changed"); }
    void on_playback_order_changed(std::size_t) override { log.push_back("playback_order_changed"); }
};

sonavel::service_factory_single_t<PlaylistRecorder> g_listener;
sonavel::service_factory_single_t<PlaylistRecorder> g_other_listener;

class EnginePlaylists : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        // The listeners outlive every test: start each one deaf and with an empty log.
        listener.reset();
        other.reset();
        playlists = sonavel::standard_api_create_t<sonavel::playlist_service>();
        for (const char* name : {"a", "b", "c", "d", "e", "f"}) {
            tracks.push_back(engines.add_track(name, {{"TITLE", {name}}}, false));
        }
    }
    void TearDown() override {
        listener.reset();
        other.reset();
    }

    metadb_handle_ptr track(char name) { return tracks.at(std::size_t(name - 'a')); }
    metadb_handle_list list(const std::string& names) {
        metadb_handle_list out;
        for (char c : names) out.push_back(track(c));
        return out;
    }
    std::string items(std::size_t playlist) { return join(paths_of(playlists->get_all_items(playlist))); }
    std::string selected(std::size_t playlist) {
        std::string out;
        for (std::size_t i = 0; i < playlists->get_item_count(playlist); ++i) out += playlists->is_item_selected(playlist, i) ? '1' : '0';
        return out;
    }
    static bit_array_bittable mask_of(const std::string& ones) {
        bit_array_bittable mask(ones.size());
        for (std::size_t i = 0; i < ones.size(); ++i) mask.set(i, ones[i] == '1');
        return mask;
    }

    PlaylistRecorder& listener = g_listener.get_static_instance();
    PlaylistRecorder& other = g_other_listener.get_static_instance();
    sonavel::service_ptr_t<sonavel::playlist_service> playlists;
    metadb_handle_list tracks;
};

using Log = std::vector<std::string>;

// --- Playlists and their items -------------------------------------------------------------------

TEST_F(EnginePlaylists, TheListObserverHearsOfPlaylistsCreatedRemovedAndActivated) {
    int told = 0;
    engines.playlists.set_list_observer([&] { ++told; });
    std::size_t p = playlists->create_playlist("P", no_item);
    EXPECT_EQ(told, 1);
    playlists->set_active_playlist(p);
    EXPECT_EQ(told, 2);
    playlists->set_active_playlist(p);
    EXPECT_EQ(told, 2) << "already active";
    playlists->remove_playlist(p);
    EXPECT_GE(told, 3);
    engines.playlists.set_list_observer(nullptr);
}

TEST_F(EnginePlaylists, FindsPlaylistsByNameWithoutRegardToCase) {
    playlists->create_playlist("Rock Classics", no_item);
    playlists->create_playlist("Ärger", no_item);
    playlists->create_playlist("rock", no_item);
    playlists->create_playlist("Mix", no_item);
    playlists->create_playlist("MIX", no_item);
    EXPECT_EQ(playlists->find_playlist("ROCK CLASSICS"), 0u);
    EXPECT_EQ(playlists->find_playlist("Ärger"), 1u);
    EXPECT_EQ(playlists->find_playlist("ärger"), 1u);
    EXPECT_EQ(playlists->find_playlist("äRGER"), 1u);
    EXPECT_EQ(playlists->find_playlist("Rock"), 2u);
    EXPECT_EQ(playlists->find_playlist("mix"), 3u);
    EXPECT_EQ(playlists->find_playlist("Arger"), no_item);
    EXPECT_EQ(playlists->find_playlist("Rock Classic"), no_item);
    EXPECT_EQ(playlists->find_playlist("Rock Classics "), no_item);
    EXPECT_EQ(playlists->find_playlist(""), no_item);
}

TEST_F(EnginePlaylists, CreatesPlaylistsAtTheEndUnlessToldWhere) {
    EXPECT_EQ(playlists->get_playlist_count(), 0u);
    EXPECT_EQ(playlists->get_active_playlist(), no_item);
    EXPECT_EQ(playlists->create_playlist("A", no_item), 0u);
    EXPECT_EQ(playlists->create_playlist("B", no_item), 1u);
    EXPECT_EQ(playlists->create_playlist("C", 99), 2u);
    playlists->set_active_playlist(0);
    EXPECT_EQ(playlists->create_playlist("Z", 0), 0u);
    EXPECT_EQ(playlists->create_playlist("Y", 2), 2u);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < playlists->get_playlist_count(); ++i) names.push_back(playlists->get_playlist_name(i));
    EXPECT_EQ(names, (std::vector<std::string>{"Z", "A", "Y", "B", "C"}));
    // The active playlist is the same one after others were inserted before it.
    EXPECT_EQ(playlists->get_playlist_name(playlists->get_active_playlist()), "A");
    EXPECT_EQ(playlists->get_item_count(4), 0u);
    EXPECT_EQ(playlists->get_focus_item(4), no_item);
}

TEST_F(EnginePlaylists, InsertsAndAppendsItemsInOrder) {
    std::size_t p = engines.add_playlist("P", list("ab"));
    EXPECT_EQ(items(p), "a,b");
    EXPECT_EQ(selected(p), "00");
    EXPECT_EQ(playlists->add_items_unselected(p, list("cd")), 2u);
    EXPECT_EQ(items(p), "a,b,c,d");
    EXPECT_EQ(selected(p), "0000");
    EXPECT_EQ(playlists->insert_items(p, 1, list("ef"), bit_array_one(1)), 1u);
    EXPECT_EQ(items(p), "a,e,f,b,c,d");
    EXPECT_EQ(selected(p), "001000");
    EXPECT_EQ(playlists->insert_items(p, 100, list("a"), bit_array_true()), 6u);
    EXPECT_EQ(items(p), "a,e,f,b,c,d,a");
    EXPECT_EQ(selected(p), "0010001");
    EXPECT_EQ(playlists->get_item_handle(p, 1).get_ptr(), track('e').get_ptr());
    EXPECT_FALSE(playlists->get_item_handle(p, 7).is_valid());
    EXPECT_EQ(join(paths_of(playlists->get_selected_items(p))), "f,a");
}

TEST_F(EnginePlaylists, InsertingBeforeTheFocusMovesItWithItsItem) {
    std::size_t p = engines.add_playlist("P", list("abc"));
    playlists->set_focus_item(p, 1);
    playlists->insert_items(p, 0, list("de"), bit_array_false());
    EXPECT_EQ(playlists->get_focus_item(p), 3u);
    EXPECT_EQ(playlists->get_item_handle(p, 3).get_ptr(), track('b').get_ptr());
    playlists->insert_items(p, 4, list("f"), bit_array_false());
    EXPECT_EQ(playlists->get_focus_item(p), 3u);
}

TEST_F(EnginePlaylists, RemovingItemsKeepsTheFocusOnItsItemOrClearsIt) {
    std::size_t p = engines.add_playlist("P", list("abcde"));
    playlists->set_focus_item(p, 3);
    engines.select({2, 4});
    playlists->remove_items(p, bit_array_one(1));
    EXPECT_EQ(items(p), "a,c,d,e");
    EXPECT_EQ(selected(p), "0101");
    EXPECT_EQ(playlists->get_focus_item(p), 2u);
    EXPECT_EQ(playlists->get_item_handle(p, 2).get_ptr(), track('d').get_ptr());
    playlists->remove_items(p, mask_of("0110"));
    EXPECT_EQ(items(p), "a,e");
    EXPECT_EQ(selected(p), "01");
    EXPECT_EQ(playlists->get_focus_item(p), no_item);
    playlists->clear(p);
    EXPECT_EQ(playlists->get_item_count(p), 0u);
}

TEST_F(EnginePlaylists, ActivatesPlaylistsAndANeighbourTakesOverFromARemovedOne) {
    engines.add_playlist("A", list("a"), false);
    engines.add_playlist("B", list("b"), false);
    engines.add_playlist("C", list("c"), false);
    EXPECT_EQ(playlists->get_active_playlist(), no_item);
    playlists->set_active_playlist(1);
    EXPECT_EQ(playlists->get_active_playlist(), 1u);
    playlists->remove_playlist(0);
    EXPECT_EQ(playlists->get_active_playlist(), 0u);
    EXPECT_EQ(playlists->get_playlist_name(0), "B");
    playlists->remove_playlist(0);
    EXPECT_EQ(playlists->get_active_playlist(), 0u);
    EXPECT_EQ(playlists->get_playlist_name(0), "C");
    playlists->remove_playlist(0);
    EXPECT_EQ(playlists->get_active_playlist(), no_item);
    EXPECT_EQ(playlists->get_playlist_count(), 0u);
}

TEST_F(EnginePlaylists, RemovingTheLastActivePlaylistActivatesTheOneBefore) {
    engines.add_playlist("A", list("a"), false);
    engines.add_playlist("B", list("b"));
    playlists->remove_playlist(1);
    EXPECT_EQ(playlists->get_active_playlist(), 0u);
    EXPECT_EQ(playlists->get_playlist_name(0), "A");
}

TEST_F(EnginePlaylists, FocusCanBeSetAndCleared) {
    std::size_t p = engines.add_playlist("P", list("abc"));
    EXPECT_EQ(playlists->get_focus_item(p), no_item);
    playlists->set_focus_item(p, 2);
    EXPECT_EQ(playlists->get_focus_item(p), 2u);
    playlists->set_focus_item(p, 3);  // past the end: ignored
    EXPECT_EQ(playlists->get_focus_item(p), 2u);
    playlists->set_focus_item(p, no_item);
    EXPECT_EQ(playlists->get_focus_item(p), no_item);
}

TEST_F(EnginePlaylists, SelectionChangesOnlyTheAffectedItems) {
    std::size_t p = engines.add_playlist("P", list("abcd"));
    playlists->set_selection(p, bit_array_true(), mask_of("0110"));
    EXPECT_EQ(selected(p), "0110");
    playlists->set_selection(p, mask_of("0011"), mask_of("1001"));
    EXPECT_EQ(selected(p), "0101");
    playlists->set_selection(p, mask_of("1000"), bit_array_true());
    EXPECT_EQ(selected(p), "1101");
    EXPECT_EQ(join(paths_of(playlists->get_selected_items(p))), "a,b,d");
    std::vector<std::size_t> seen;
    playlists->enum_items(p, mask_of("1011"), [&](std::size_t i, const metadb_handle_ptr&, bool sel) {
        if (sel) seen.push_back(i);
        return true;
    });
    EXPECT_EQ(seen, (std::vector<std::size_t>{0, 3}));
}

TEST_F(EnginePlaylists, EnumerationStopsWhenTheReceiverSaysSo) {
    std::size_t p = engines.add_playlist("P", list("abcd"));
    std::vector<std::size_t> seen;
    playlists->enum_items(p, bit_array_true(), [&](std::size_t i, const metadb_handle_ptr&, bool) {
        seen.push_back(i);
        return i < 1;
    });
    EXPECT_EQ(seen, (std::vector<std::size_t>{0, 1}));
}

// --- Events --------------------------------------------------------------------------------------

TEST_F(EnginePlaylists, ItemsAddedEvent) {
    std::size_t p = engines.add_playlist("P", list("ab"));
    std::size_t q = engines.add_playlist("Q", list("a"), false);
    listener.mask = Flags::flag_on_items_added;
    playlists->add_items_unselected(p, list("cd"));
    playlists->insert_items(p, 1, list("ef"), bit_array_one(1));
    playlists->add_items_unselected(p, {});
    playlists->add_items_unselected(q, list("b"));
    EXPECT_EQ(listener.log, (Log{"added 2 c,d sel 00 now 4", "added 1 e,f sel 01 now 6"}));
}

TEST_F(EnginePlaylists, RemovingThenRemovedEvents) {
    std::size_t p = engines.add_playlist("P", list("abcde"));
    listener.mask = Flags::flag_on_items_removing | Flags::flag_on_items_removed;
    playlists->remove_items(p, mask_of("01010"));
    playlists->remove_items(p, bit_array_false());
    playlists->remove_items(p, mask_of("000000001"));  // past the end: nothing
    EXPECT_EQ(listener.log, (Log{"removing 01010 5>3 now 5", "removed 01010 5>3 now 3"}));
}

TEST_F(EnginePlaylists, SelectionChangeEventNamesOnlyChangedItems) {
    std::size_t p = engines.add_playlist("P", list("abcd"));
    listener.mask = Flags::flag_on_items_selection_change;
    playlists->set_selection(p, bit_array_true(), mask_of("0110"));
    playlists->set_selection(p, bit_array_true(), mask_of("0011"));
    // Nothing changes: no event.
    playlists->set_selection(p, bit_array_true(), mask_of("0011"));
    playlists->set_selection(p, mask_of("1000"), bit_array_false());
    playlists->set_selection(p, mask_of("0011"), bit_array_true());
    EXPECT_EQ(listener.log, (Log{"selection 0110 0110", "selection 0101 0011"}));
}

TEST_F(EnginePlaylists, OneItemSelectedOrDeselectedAtATimeNamesThatItemAndTheWholeSelection) {
    std::size_t p = engines.add_playlist("P", list("abcd"));
    listener.mask = Flags::flag_on_items_selection_change;
    playlists->set_selection(p, bit_array_one(2), bit_array_true());
    playlists->set_selection(p, bit_array_one(2), bit_array_true());  // no change: no event
    playlists->set_selection(p, bit_array_one(0), bit_array_true());
    playlists->set_selection(p, bit_array_one(2), mask_of("0000"));
    playlists->set_selection(p, bit_array_one(7), bit_array_true());  // past the end: nothing
    EXPECT_EQ(listener.log, (Log{"selection 0010 0010", "selection 1000 1010", "selection 0010 1000"}));
    EXPECT_EQ(selected(p), "1000");
}

TEST_F(EnginePlaylists, FocusChangeEventGivesFromAndTo) {
    std::size_t p = engines.add_playlist("P", list("abcd"));
    listener.mask = Flags::flag_on_item_focus_change;
    playlists->set_focus_item(p, 2);
    playlists->set_focus_item(p, 2);
    playlists->set_focus_item(p, 0);
    playlists->set_focus_item(p, 9);
    playlists->set_focus_item(p, no_item);
    playlists->set_focus_item(p, no_item);
    playlists->set_focus_item(p, 1);
    EXPECT_EQ(listener.log, (Log{"focus none>2", "focus 2>0", "focus 0>none", "focus none>1"}));
}

TEST_F(EnginePlaylists, RemovingTheFocusedItemMovesTheFocusToNoItemAfterRemoval) {
    std::size_t p = engines.add_playlist("P", list("abcd"));
    playlists->set_focus_item(p, 1);
    listener.mask = Flags::flag_on_item_focus_change | Flags::flag_on_items_removed;
    playlists->remove_items(p, mask_of("0100"));
    EXPECT_EQ(listener.log, (Log{"removed 0100 4>3 now 3", "focus 1>none"}));
    EXPECT_EQ(playlists->get_focus_item(p), no_item);
}

TEST_F(EnginePlaylists, ItemsReplacedEvent) {
    std::size_t p = engines.add_playlist("P", list("abc"));
    listener.mask = Flags::flag_on_items_replaced;
    playlists->replace_item(p, 1, track('f'));
    playlists->replace_item(p, 3, track('f'));  // past the end: nothing
    EXPECT_EQ(listener.log, (Log{"replaced 010"}));
    EXPECT_EQ(items(p), "a,f,c");
}

TEST_F(EnginePlaylists, ReorderingMovesSelectionAndFocusWithTheirItemsAndIsHeardAsAReorderOnly) {
    std::size_t p = engines.add_playlist("P", list("abcd"));
    playlists->set_selection(p, bit_array_true(), mask_of("1001"));
    playlists->set_focus_item(p, 0);
    listener.mask = Flags::flag_all;
    engines.playlists.reorder_items(p, {3, 1, 0, 2});
    EXPECT_EQ(listener.log, (Log{"reordered 4"}));
    EXPECT_EQ(items(p), "d,b,a,c");
    EXPECT_EQ(selected(p), "1010");
    EXPECT_EQ(playlists->get_focus_item(p), 2u);
    EXPECT_THROW(engines.playlists.reorder_items(p, {0, 0, 1, 2}), sonavel::exception_bug_check);
    EXPECT_EQ(items(p), "d,b,a,c") << "an order that is no permutation changes nothing";
}

TEST_F(EnginePlaylists, PlaylistSwitchEvent) {
    engines.add_playlist("A", list("a"));
    engines.add_playlist("B", list("b"), false);
    engines.add_playlist("C", list("c"), false);
    listener.mask = Flags::flag_on_playlist_switch;
    playlists->set_active_playlist(1);
    playlists->set_active_playlist(1);
    playlists->remove_playlist(1);  // the active one: C takes over
    playlists->remove_playlist(0);  // not the active one: no switch
    EXPECT_EQ(listener.log, (Log{"switch B", "switch C"}));
    EXPECT_EQ(playlists->get_active_playlist(), 0u);
}

TEST_F(EnginePlaylists, RemovingTheLastPlaylistTellsListenersThatNoneIsActive) {
    engines.add_playlist("A", list("a"));
    engines.add_playlist("B", list("b"), false);
    listener.mask = Flags::flag_on_playlist_switch;
    playlists->remove_playlist(1);  // not the active one
    playlists->remove_playlist(0);  // the last one, active
    EXPECT_EQ(listener.log, (Log{"switch (none)"}));
    EXPECT_EQ(playlists->get_active_playlist(), sonavel::no_item);
}

TEST_F(EnginePlaylists, ChoosingNoActivePlaylistTellsListeners) {
    engines.add_playlist("A", list("a"));
    listener.mask = Flags::flag_on_playlist_switch;
    playlists->set_active_playlist(sonavel::no_item);
    playlists->set_active_playlist(sonavel::no_item);
    playlists->set_active_playlist(0);
    EXPECT_EQ(listener.log, (Log{"switch (none)", "switch A"}));
}

TEST_F(EnginePlaylists, ItemsModifiedEventAfterTagsChanged) {
    std::size_t p = engines.add_playlist("P", list("abac"));
    engines.add_playlist("Q", list("de"), false);
    listener.mask = Flags::flag_on_items_modified;
    engines.change_tags(track('a'), {{"TITLE", {"A!"}}});
    engines.change_tags(track('d'), {{"TITLE", {"D!"}}});  // only in an inactive playlist
    EXPECT_EQ(listener.log, (Log{"modified 1010"}));
    EXPECT_EQ(values_of(playlists->get_item_handle(p, 2), "TITLE"), std::vector<std::string>{"A!"});
}

TEST_F(EnginePlaylists, EventsOfInactivePlaylistsAreNotDelivered) {
    engines.add_playlist("Active", list("a"));
    std::size_t q = engines.add_playlist("Other", list("abcd"), false);
    listener.mask = Flags::flag_all;
    playlists->add_items_unselected(q, list("e"));
    playlists->set_selection(q, bit_array_true(), bit_array_true());
    playlists->set_focus_item(q, 1);
    playlists->replace_item(q, 0, track('f'));
    engines.change_tags(track('b'), {{"TITLE", {"B!"}}});
    playlists->remove_items(q, bit_array_one(1));
    EXPECT_EQ(listener.log, Log{});
    EXPECT_EQ(selected(q), "1111");
}

TEST_F(EnginePlaylists, NoListenerHearsAnEventItsMaskExcludes) {
    struct kind {
        unsigned flag;
        const char* word;
    };
    const kind kinds[] = {
        {Flags::flag_on_items_added, "added"},       {Flags::flag_on_items_removing, "removing"},
        {Flags::flag_on_items_removed, "removed"},   {Flags::flag_on_items_selection_change, "selection"},
        {Flags::flag_on_item_focus_change, "focus"}, {Flags::flag_on_items_modified, "modified"},
        {Flags::flag_on_items_replaced, "replaced"}, {Flags::flag_on_playlist_switch, "switch"},
    };
    auto first_word = [](const std::string& line) { return line.substr(0, line.find(' ')); };
    int round = 0;
    for (const kind& k : kinds) {
        SCOPED_TRACE(k.word);
        listener.log.clear();
        other.log.clear();
        listener.mask = k.flag;
        other.mask = Flags::flag_all & ~k.flag;
        // One of every event of the active playlist.
        std::size_t p = engines.add_playlist("round " + std::to_string(round++), list("abc"));
        playlists->add_items_unselected(p, list("d"));
        playlists->set_selection(p, bit_array_true(), bit_array_one(1));
        playlists->set_focus_item(p, 1);
        playlists->replace_item(p, 0, track('e'));
        engines.change_tags(track('b'), {{"TITLE", {"b" + std::to_string(round)}}});
        playlists->remove_items(p, bit_array_one(1));

        EXPECT_FALSE(listener.log.empty());
        for (const auto& line : listener.log) EXPECT_EQ(first_word(line), k.word) << line;
        for (const auto& line : other.log) EXPECT_NE(first_word(line), k.word) << line;
        // Between them the two heard everything once, with nothing the engine never sends.
        EXPECT_EQ(listener.log.size() + other.log.size(), 9u);
    }
}

// --- Listeners that change playlists while told of a removal ---------------------------------------

TEST_F(EnginePlaylists, ListenersMayCreatePlaylistsWhileItemsAreBeingRemoved) {
    std::size_t p = engines.add_playlist("P", list("abcde"));
    playlists->set_focus_item(p, 3);
    listener.mask = Flags::flag_on_items_removing | Flags::flag_on_items_removed | Flags::flag_on_item_focus_change;
    // Enough new playlists to move every existing one in memory.
    listener.while_removing = [&] {
        for (int i = 0; i < 40; ++i) playlists->create_playlist(("new " + std::to_string(i)).c_str(), 0);
    };
    playlists->remove_items(p, mask_of("01010"));
    std::size_t moved = playlists->find_playlist("P");
    ASSERT_EQ(moved, 40u);
    EXPECT_EQ(playlists->get_active_playlist(), moved);
    EXPECT_EQ(items(moved), "a,c,e");
    EXPECT_EQ(playlists->get_focus_item(moved), no_item);
    EXPECT_EQ(listener.log, (Log{"removing 01010 5>3 now 5", "removed 01010 5>3 now 3", "focus 3>none"}));
    for (std::size_t i = 0; i < 40; ++i) EXPECT_EQ(playlists->get_item_count(i), 0u);
}

TEST_F(EnginePlaylists, AListenerRemovingThePlaylistEndsTheRemovalOfItsItems) {
    engines.add_playlist("Other", list("f"), false);
    std::size_t p = engines.add_playlist("P", list("abc"));
    listener.mask = Flags::flag_on_items_removing | Flags::flag_on_items_removed | Flags::flag_on_playlist_switch;
    listener.while_removing = [&] { playlists->remove_playlist(playlists->find_playlist("P")); };
    playlists->remove_items(p, mask_of("010"));
    EXPECT_EQ(listener.log, (Log{"removing 010 3>2 now 3", "switch Other"}));
    EXPECT_EQ(playlists->get_playlist_count(), 1u);
    EXPECT_EQ(items(0), "f");
}

TEST_F(EnginePlaylists, AListenerChangingTheItemsBeingRemovedIsABug) {
    std::size_t p = engines.add_playlist("P", list("abc"));
    listener.mask = Flags::flag_on_items_removing;
    listener.while_removing = [&] { playlists->add_items_unselected(p, list("d")); };
    EXPECT_THROW(playlists->remove_items(p, mask_of("010")), sonavel::exception_bug_check);
    // Nothing was removed by a mask that no longer fits.
    EXPECT_EQ(items(p), "a,b,c,d");
}

}  // namespace
}  // namespace engine_test

namespace {

class EngineShortcuts : public engine_test::HostFixture {};

TEST_F(EngineShortcuts, TheDefaultTableSelectsAllAndRemovesTheSelection) {
    using ks = sonavel::keyboard_shortcut_manager;
    auto a = engines.add_track("mem://a", {{"TITLE", {"A"}}});
    auto b = engines.add_track("mem://b", {{"TITLE", {"B"}}});
    auto c = engines.add_track("mem://c", {{"TITLE", {"C"}}});
    engines.add_playlist("Default", {a, b, c});
    auto shortcuts = sonavel::standard_api_create_t<sonavel::keyboard_shortcut_manager>();
    EXPECT_FALSE(shortcuts->process_keydown(ks::type_main, {}, 'A')) << "A without Ctrl is no shortcut";
    ASSERT_TRUE(shortcuts->process_keydown(ks::type_main, {}, ks::mod_ctrl | 'A'));
    EXPECT_EQ(engines.playlists.get_selected_items(0).size(), 3u);
    engines.select({1});
    // A context command works on the tracks it is given: offered without any, it removes nothing.
    EXPECT_FALSE(shortcuts->process_keydown(ks::type_context_playlist, {}, 0x2E));
    EXPECT_EQ(engines.playlists.get_all_items(0).size(), 3u);
    ASSERT_TRUE(shortcuts->process_keydown(ks::type_context_playlist, {b}, 0x2E));
    EXPECT_EQ(engines.playlists.get_all_items(0), (sonavel::metadb_handle_list{a, c}));
    EXPECT_EQ(engines.shortcuts.executed(), (std::vector<std::string>{"Select all", "Remove"}));
    // A key the text box with the focus takes runs nothing.
    engines.shortcuts.typing_takes = [](unsigned keycode) { return keycode == (ks::mod_ctrl | 'A'); };
    engines.select({0});
    EXPECT_FALSE(shortcuts->process_keydown(ks::type_main, {}, ks::mod_ctrl | 'A'));
    EXPECT_EQ(engines.playlists.get_selected_items(0).size(), 1u);
    engines.shortcuts.typing_takes = nullptr;
    // The extension reads the held modifiers from the player.
    auto simple = sonavel::service_query_t<sonavel::keyboard_shortcut_manager_v2>(shortcuts);
    engines.shortcuts.current_modifiers = [] { return unsigned(sonavel::keyboard_shortcut_manager::mod_ctrl); };
    EXPECT_TRUE(simple->process_keydown_simple(ks::type_main, {}, 'A'));
}

}  // namespace
