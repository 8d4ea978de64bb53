// The media library: membership and the changes its listeners hear of.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host_fixture.h"
#include "sdk/library.h"

namespace engine_test {
namespace {

using sonavel::metadb_handle_list;
using sonavel::metadb_handle_ptr;
using Log = std::vector<std::string>;

class Listener : public sonavel::library_callback_dynamic {
public:
    Listener(std::string name, Log& log) : name_(std::move(name)), log_(log) {}
    void on_items_added(const metadb_handle_list& t) override { hear("added", t); }
    void on_items_removed(const metadb_handle_list& t) override { hear("removed", t); }
    void on_items_modified(const metadb_handle_list& t) override { hear("modified", t); }
    // Runs after the listener wrote down what it heard.
    std::function<void()> then;

private:
    void hear(const char* what, const metadb_handle_list& t) {
        log_.push_back(name_ + " " + what + " " + join(paths_of(t)));
        if (then) then();
    }
    std::string name_;
    Log& log_;
};

class EngineLibrary : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        library = sonavel::standard_api_create_t<sonavel::library_service>();
        for (const char* name : {"a", "b", "c", "d"}) tracks.push_back(engines.add_track(name, {{"TITLE", {name}}}, false));
    }
    void TearDown() override {
        library->unregister_callback(&first);
        library->unregister_callback(&second);
    }
    metadb_handle_ptr track(char name) { return tracks.at(std::size_t(name - 'a')); }
    std::string members() { return join(paths_of(library->get_all_items())); }

    sonavel::service_ptr_t<sonavel::library_service> library;
    metadb_handle_list tracks;
    Log log;
    Listener first{"first", log}, second{"second", log};
};

TEST_F(EngineLibrary, AddingNotifiesOnlyTracksNotYetInTheLibrary) {
    library->register_callback(&first);
    engines.library.add_items({track('a'), track('b')});
    engines.library.add_items({track('b'), track('c'), track('a')});
    engines.library.add_items({track('c')});
    EXPECT_EQ(log, (Log{"first added a,b", "first added c"}));
    EXPECT_EQ(members(), "a,b,c");
    EXPECT_EQ(engines.library.size(), 3u);
}

TEST_F(EngineLibrary, AddingTheSameTrackTwiceInOneCallAddsItOnce) {
    library->register_callback(&first);
    engines.library.add_items({track('a'), track('a')});
    EXPECT_EQ(log, (Log{"first added a"}));
    EXPECT_EQ(members(), "a");
}

TEST_F(EngineLibrary, RemovingNotifiesOnlyMembers) {
    engines.library.add_items({track('a'), track('b'), track('c')});
    library->register_callback(&first);
    engines.library.remove_items({track('d'), track('b')});
    engines.library.remove_items({track('b'), track('d')});
    EXPECT_EQ(log, (Log{"first removed b"}));
    EXPECT_EQ(members(), "a,c");
    EXPECT_FALSE(library->is_item_in_library(track('b')));
    // A removed track may come back.
    engines.library.add_items({track('b')});
    EXPECT_EQ(members(), "a,c,b");
    EXPECT_TRUE(library->is_item_in_library(track('b')));
}

TEST_F(EngineLibrary, ModifiedReachesListenersOnlyForLibraryTracks) {
    engines.library.add_items({track('a'), track('c')});
    library->register_callback(&first);
    engines.library.notify_modified({track('d'), track('c'), track('b'), track('a')});
    engines.library.notify_modified({track('b'), track('d')});
    EXPECT_EQ(log, (Log{"first modified c,a"}));
}

TEST_F(EngineLibrary, MembershipAnswersForEveryKindOfHandle) {
    engines.library.add_items({track('a')});
    EXPECT_TRUE(library->is_item_in_library(track('a')));
    EXPECT_FALSE(library->is_item_in_library(track('b')));
    EXPECT_FALSE(library->is_item_in_library(metadb_handle_ptr()));
    // A handle created after the library last grew.
    auto fresh = sonavel::standard_api_create_t<sonavel::metadb>()->handle_create("fresh.mp3", 0);
    EXPECT_FALSE(library->is_item_in_library(fresh));
    // add_track puts tracks into the library unless told otherwise.
    EXPECT_TRUE(library->is_item_in_library(engines.add_track("member.mp3", {{"TITLE", {"m"}}})));
}

TEST_F(EngineLibrary, EveryRegisteredListenerHearsInRegistrationOrderAndOnlyOnce) {
    library->register_callback(&first);
    library->register_callback(&second);
    library->register_callback(&first);
    engines.library.add_items({track('a')});
    EXPECT_EQ(log, (Log{"first added a", "second added a"}));
    log.clear();
    library->unregister_callback(&first);
    engines.library.add_items({track('b')});
    EXPECT_EQ(log, (Log{"second added b"}));
}

TEST_F(EngineLibrary, AListenerMayUnregisterItselfWhileBeingTold) {
    Listener third{"third", log};
    library->register_callback(&first);
    library->register_callback(&second);
    library->register_callback(&third);
    first.then = [&] { library->unregister_callback(&first); };
    engines.library.add_items({track('a')});
    engines.library.add_items({track('b')});
    library->unregister_callback(&third);
    EXPECT_EQ(log, (Log{"first added a", "second added a", "third added a", "second added b", "third added b"}));
}

TEST_F(EngineLibrary, AListenerUnregisteredByAnotherDuringANotificationHearsNoMore) {
    library->register_callback(&first);
    library->register_callback(&second);
    first.then = [&] { library->unregister_callback(&second); };
    engines.library.add_items({track('a')});
    EXPECT_EQ(log, (Log{"first added a"}));
}

TEST_F(EngineLibrary, AListenerRegisteredDuringANotificationHearsTheNextOne) {
    library->register_callback(&first);
    bool registered = false;
    first.then = [&] {
        if (registered) return;
        registered = true;
        library->register_callback(&second);
    };
    engines.library.add_items({track('a')});
    engines.library.add_items({track('b')});
    EXPECT_EQ(log, (Log{"first added a", "first added b", "second added b"}));
}

}  // namespace
}  // namespace engine_test
