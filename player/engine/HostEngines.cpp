#include "player/engine/HostEngines.h"

#include <chrono>
#include <thread>

namespace player {
namespace {
template <typename Interface, typename Impl>
void add(ServiceRegistry& registry, Impl& engine) {
    using cls = typename sonavel::detail::service_class_of<Interface>::type;
    registry.add_instance(cls::class_guid, static_cast<sonavel::service_base*>(static_cast<Interface*>(&engine)));
}
}  // namespace

HostEngines::HostEngines() {
    modal_loop = [this](const std::function<bool()>& done) { run_until(done, 24 * 3600 * 1000); };
    bind_default_shortcuts();
}

void HostEngines::bind_default_shortcuts() {
    using ks = sonavel::keyboard_shortcut_manager;
    constexpr unsigned key_a = 'A', key_delete = 0x2E;  // virtual-key codes
    auto on_active = [this](auto action) {
        return [this, action] {
            std::size_t active = playlists.get_active_playlist();
            if (active != sonavel::no_item) action(active);
        };
    };
    shortcuts.bind(ks::type_main, ks::mod_ctrl | key_a, "Select all", on_active([this](std::size_t p) {
        playlists.set_selection(p, sonavel::bit_array_true(), sonavel::bit_array_true());
    }));
    shortcuts.bind(ks::type_context_playlist, key_delete, "Remove", on_active([this](std::size_t p) {
        sonavel::bit_array_bittable selected(playlists.get_item_count(p));
        for (std::size_t i = 0; i < playlists.get_item_count(p); ++i) selected.set(i, playlists.is_item_selected(p, i));
        playlists.remove_items(p, selected);
    }));
}

HostEngines::~HostEngines() {
    // Background work may still post to the queue: let it finish before the engines go.
    workers.join_all();
    if (sonavel::core() == &core) sonavel::set_core(nullptr);
    state.registry.clear();
}

void HostEngines::register_services(std::initializer_list<sonavel::service_factory_base*> module_lists) {
    auto& r = state.registry;
    add<sonavel::console_output>(r, console);
    add<sonavel::main_thread_service>(r, queue);
    add<sonavel::metadb>(r, store);
    add<sonavel::library_service>(r, library);
    add<sonavel::playlist_service>(r, playlists);
    add<sonavel::metadb_io_service>(r, io);
    add<sonavel::threaded_process_service>(r, processes);
    add<sonavel::popup_message>(r, popups);
    add<sonavel::search_filter_service>(r, search);
    add<sonavel::titleformat_service>(r, titleformat);
    add<sonavel::keyboard_shortcut_manager_v2>(r, shortcuts);
    // The panel host is a component of its own, loaded before the others.
    add<sonavel::componentversion>(r, panel_host_version);
    add<panoplex::fonts::manager>(r, fonts);
    add<panoplex::colours::manager>(r, colours);
    for (auto* list : module_lists) r.add_module(list);
    sonavel::set_core(&core);
}

void HostEngines::start() {
    state.services_available = true;
    state.initializing = false;
}

void HostEngines::begin_shutdown() { state.shutting_down = true; }

sonavel::file_info_impl HostEngines::make_record(const FieldValues& fields) {
    sonavel::file_info_impl record;
    for (const auto& [name, values] : fields) {
        for (const auto& value : values) record.meta_add(name.c_str(), value.c_str());
    }
    return record;
}

sonavel::metadb_handle_ptr HostEngines::add_track(const std::string& path, const FieldValues& fields, bool in_library) {
    Track& track = store.track(path.c_str());
    sonavel::file_info_impl record = make_record(fields);
    store.set_record(track, &record);
    sonavel::metadb_handle_ptr handle(&track);
    if (in_library) library.add_items({handle});
    return handle;
}

std::size_t HostEngines::add_playlist(const std::string& name, const sonavel::metadb_handle_list& tracks, bool activate) {
    std::size_t index = playlists.create_playlist(name.c_str(), sonavel::no_item);
    playlists.insert_items(index, 0, tracks, sonavel::bit_array_false());
    if (activate) playlists.set_active_playlist(index);
    return index;
}

void HostEngines::select(const std::vector<std::size_t>& items) {
    std::size_t active = playlists.get_active_playlist();
    if (active == sonavel::no_item) throw sonavel::exception_bug_check();
    sonavel::bit_array_bittable state(playlists.get_item_count(active));
    for (std::size_t i : items) state.set(i, true);
    playlists.set_selection(active, sonavel::bit_array_true(), state);
}

void HostEngines::focus(std::size_t item) {
    std::size_t active = playlists.get_active_playlist();
    if (active == sonavel::no_item) throw sonavel::exception_bug_check();
    playlists.set_focus_item(active, item);
}

void HostEngines::change_tags(const sonavel::metadb_handle_ptr& track, const FieldValues& fields) {
    io.apply_changes({{track, make_record(fields)}});
}

bool HostEngines::run_until(const std::function<bool()>& done, int timeout_ms) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        if (queue.run_pending() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

bool HostEngines::run_until_idle(int timeout_ms) {
    return run_until([this] { return io.running() == 0 && queue.empty(); }, timeout_ms);
}

}  // namespace player
