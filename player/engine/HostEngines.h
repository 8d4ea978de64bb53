#pragma once
// The stand-in host's engines, wired together and registered as the host's services. Tests use it with
// tracks held in memory; the player application uses it with real files. Needs no window: the player
// plugs in its windows (progress, message loop, message boxes) through the hooks below.
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "player/core/HostCore.h"
#include "player/engine/Console.h"
#include "player/engine/KeyboardShortcuts.h"
#include "player/engine/Library.h"
#include "player/engine/MainThreadQueue.h"
#include "player/engine/MetadbIo.h"
#include "player/engine/PanelHostServices.h"
#include "player/engine/PlaylistManager.h"
#include "player/engine/PopupMessages.h"
#include "player/engine/StatusLine.h"
#include "player/engine/query/SearchFilterFactory.h"
#include "player/engine/titleformat/TitleformatCompiler.h"
#include "player/engine/Progress.h"
#include "player/engine/TagStore.h"
#include "player/engine/ThreadedProcess.h"
#include "player/engine/TrackStore.h"
#include "player/engine/UpdateRecorder.h"
#include "player/engine/WorkerThreads.h"
#include "player/engine/WrittenRecords.h"

namespace player {

// Field values of a track as tests write them: {{"GENRE", {"Rock", "Pop"}}, {"ARTIST", {"A"}}}.
using FieldValues = std::vector<std::pair<std::string, std::vector<std::string>>>;

struct HostEngines {
    HostEngines();
    ~HostEngines();
    HostEngines(const HostEngines&) = delete;
    HostEngines& operator=(const HostEngines&) = delete;

    // Registers the host's services, then each module's service list (components in load order), and
    // makes this host the core of the calling module.
    void register_services(std::initializer_list<sonavel::service_factory_base*> module_lists = {});
    // Start-up is over: services may be called.
    void start();
    void begin_shutdown();

    // Tracks held in memory.
    sonavel::metadb_handle_ptr add_track(const std::string& path, const FieldValues& fields, bool in_library = true);
    static sonavel::file_info_impl make_record(const FieldValues& fields);
    // Creates a playlist with the tracks, unselected, and makes it active when asked.
    std::size_t add_playlist(const std::string& name, const sonavel::metadb_handle_list& tracks, bool activate = true);
    // Selects exactly these items of the active playlist.
    void select(const std::vector<std::size_t>& items);
    // Moves the focus of the active playlist (sonavel::no_item: no focus).
    void focus(std::size_t item);
    // Another program rewrote these tracks' tags.
    void change_tags(const sonavel::metadb_handle_ptr& track, const FieldValues& fields);

    // Runs the main-thread queue until `done` holds (the native stand-in for a message loop).
    bool run_until(const std::function<bool()>& done, int timeout_ms = 5000);
    // Runs queued work until no update is in flight and the queue is empty.
    bool run_until_idle(int timeout_ms = 5000);

    HostState state;
    ModuleCore core{state, "player.exe"};
    sonavel::service_impl_single_t<Console> console;
    sonavel::service_impl_single_t<MainThreadQueue> queue{console};
    sonavel::service_impl_single_t<TrackStore> store;
    sonavel::service_impl_single_t<Library> library;
    sonavel::service_impl_single_t<PlaylistManager> playlists;
    sonavel::service_impl_single_t<MetadbIo> io{*this};
    sonavel::service_impl_single_t<ThreadedProcess> processes{*this};
    sonavel::service_impl_single_t<PopupMessages> popups;
    sonavel::service_impl_single_t<SearchFilterFactory> search;
    sonavel::service_impl_single_t<TitleformatCompiler> titleformat;
    sonavel::service_impl_single_t<KeyboardShortcuts> shortcuts;
    sonavel::service_impl_single_t<PanelHostVersion> panel_host_version;
    sonavel::service_impl_single_t<GlobalFonts> fonts;
    sonavel::service_impl_single_t<GlobalColours> colours;
    StatusLine status;

    HeadlessProgressFactory headless_progress;
    ProgressFactory* progress = &headless_progress;
    MemoryTagStore memory_tags;
    TagStore* tags = &memory_tags;
    // Keeps each update for undo when set (the player's history of tag updates).
    UpdateRecorder* recorder = nullptr;
    // Told of every record a tag update leaves in a file when set (the library's database).
    WrittenRecords* written_records = nullptr;
    // Runs the message loop until the condition holds (modal waits); the player sets a real loop.
    std::function<void(const std::function<bool()>&)> modal_loop;

    // Declared last: joined first, while the engines the workers use still exist.
    WorkerThreads workers;

private:
    // The player's own small table: Ctrl+A selects the active playlist, Delete in the playlist context
    // removes its selected items.
    void bind_default_shortcuts();
};

}  // namespace player
