#pragma once
// Tracks and their metadata: handles, the database with its read lock, the asynchronous tag write and
// its notifications.
#include <cstdint>
#include <string>
#include <vector>

#include "sdk/file_info.h"
#include "sdk/service.h"

struct HWND__;

namespace sonavel {

// One track (a location and a sub-song). The host keeps one handle per location; handles compare by
// identity. Implemented by the host; usable from any thread.
class metadb_handle : public service_base {
public:
    static constexpr guid class_guid = {0xB2D43EB8, 0x93F1, 0x4EDA, {0x96, 0xF0, 0xE4, 0x82, 0xFE, 0x99, 0x62, 0xC8}};
    using parent_t = service_base;

    virtual const char* get_path() const noexcept = 0;
    virtual std::uint32_t get_subsong() const noexcept = 0;
    // The current record, valid while the caller holds the database read lock; nullptr when the host has
    // none for this track (the track is then skipped).
    virtual const file_info* get_info_locked() const noexcept = 0;
    // A copy of the current record (takes the lock itself); false when there is none.
    virtual bool get_info(file_info& out) const = 0;
};
using metadb_handle_ptr = service_ptr_t<metadb_handle>;
using metadb_handle_list_t = std::vector<metadb_handle_ptr>;
using metadb_handle_list = metadb_handle_list_t;

// The metadata database. Implemented by the host.
class metadb : public service_base {
public:
    static constexpr guid class_guid = {0x2D5C5465, 0x8545, 0x406D, {0xBD, 0x56, 0x24, 0xC6, 0xA6, 0xA9, 0xC5, 0x4D}};
    using parent_t = service_base;

    // Shared read lock around reads of many records; any thread; may be nested by one thread.
    virtual void database_lock() = 0;
    virtual void database_unlock() = 0;
    // The handle of a location (the same object for the same location).
    virtual metadb_handle_ptr handle_create(const char* path, std::uint32_t subsong) = 0;
};

// Holds the database read lock for a scope.
class metadb_read_lock {
public:
    metadb_read_lock();
    ~metadb_read_lock();
    metadb_read_lock(const metadb_read_lock&) = delete;
    metadb_read_lock& operator=(const metadb_read_lock&) = delete;

private:
    service_ptr_t<metadb> db_;
};

// Runs on the main thread when an asynchronous operation ends. Implemented by callers.
class completion_notify : public service_base {
public:
    static constexpr guid class_guid = {0x607B7E5F, 0xC085, 0x4524, {0x84, 0x8A, 0xE0, 0xC6, 0x34, 0x07, 0x51, 0x6E}};
    using parent_t = service_base;

    enum : unsigned { success = 0, aborted = 1, failed = 2 };
    virtual void on_completion(unsigned code) = 0;
};

// Gives the new record of each track of an asynchronous update. Called by the host's worker thread with
// `info` holding the track's current record; returns whether `info` was changed. Implemented by callers.
class file_info_filter : public service_base {
public:
    static constexpr guid class_guid = {0x9179F3AE, 0x4921, 0x48DC, {0x89, 0x3A, 0xF4, 0x4C, 0x31, 0x93, 0xF2, 0xAE}};
    using parent_t = service_base;

    virtual bool apply_filter(const metadb_handle_ptr& track, file_info& info) = 0;
};

// What started an update, in the words of its menu or button ("Tag with same value from library"), for
// the host's history of tag updates. An optional extension of a file_info_filter, reached by
// service_query_t; implemented by callers, called by the host on the main thread.
class file_info_filter_origin : public service_base {
public:
    static constexpr guid class_guid = {0x5B0C31E4, 0x9A27, 0x4F6D, {0xA1, 0x58, 0x3E, 0x72, 0xC9, 0x0D, 0x46, 0xB3}};
    using parent_t = service_base;

    virtual void get_origin(std::string& out) = 0;
};

// Tag writing. Implemented by the host; called on the main thread.
class metadb_io_service : public service_base {
public:
    static constexpr guid class_guid = {0x04D6BE69, 0xFFB7, 0x46B0, {0xB6, 0xA8, 0xC0, 0x04, 0x59, 0x65, 0xF7, 0x07}};
    using parent_t = service_base;

    // Writes the filtered records of `tracks` in the background with a progress window owned by `parent`.
    // Then, on the main thread: the records become current, metadb_io_callback services hear of the
    // changed tracks, library callbacks hear of modified items, and last `notify` runs.
    virtual void update_info_async(const metadb_handle_list& tracks, service_ptr_t<file_info_filter> filter,
                                   HWND__* parent, std::uint32_t op_flags, service_ptr_t<completion_notify> notify) = 0;
};

// Tags of tracks changed. Implemented by components (a registered service); called on the main thread.
class metadb_io_callback : public service_base {
public:
    static constexpr guid class_guid = {0xD29BABAB, 0x3C68, 0x4034, {0xB9, 0x6A, 0x6C, 0x4F, 0x44, 0x19, 0xDB, 0xFD}};
    using parent_t = service_base;

    // `items_sorted` is ordered by handle (pointer order); `from_hook` marks changes that came from a
    // display hook rather than from the tags.
    virtual void on_changed_sorted(const metadb_handle_list& items_sorted, bool from_hook) = 0;
};

// Orders a track list by handle, the order of metadb_io_callback's lists.
void sort_by_pointer(metadb_handle_list& tracks);
// Bisection in a list sorted by pointer.
bool contains_sorted(const metadb_handle_list& sorted, const metadb_handle_ptr& track);

}  // namespace sonavel
