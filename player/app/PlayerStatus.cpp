#include "player/app/PlayerStatus.h"

#include <string>

namespace player {
namespace {
std::string counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}
}  // namespace

PlayerStatus::PlayerStatus(HWND parent, HostEngines& engines)
    : engines_(engines),
      bar_(parent, control_id, {L"0000000 tracks", L"0000000 selected"}),
      listener_(sonavel::service_impl_t<PlaylistListener>::create_object()),
      pending_line_(sonavel::service_impl_t<PendingChangesLine>::create_object()) {
    engines_.state.registry.add_instance(sonavel::playlist_callback_single_static::class_guid,
                                         static_cast<sonavel::service_base*>(listener_.get_ptr()));
    engines_.state.registry.add_instance(sonavel::pending_changes_status::class_guid,
                                         static_cast<sonavel::service_base*>(pending_line_.get_ptr()));
    listener_->attach(this);
    engines_.status.listen([this](const std::string&) { show_news(); });
    pending_line_->attach([this](const std::string& text) {
        pending_text_ = text;
        show_news();
    });
    show_news();
    count();
}

PlayerStatus::~PlayerStatus() {
    engines_.status.listen({});
    pending_line_->attach({});
    listener_->attach(nullptr);
}

void PlayerStatus::show_news() {
    bar_.set_text(part_news, pending_text_.empty() ? engines_.status.text() : pending_text_);
}

void PlayerStatus::count() {
    auto& playlists = engines_.playlists;
    std::size_t playlist = playlists.get_active_playlist(), tracks = 0, selected = 0;
    if (playlist != sonavel::no_item) {
        tracks = playlists.get_item_count(playlist);
        for (std::size_t i = 0; i < tracks; ++i) selected += playlists.is_item_selected(playlist, i) ? 1 : 0;
    }
    bar_.set_text(part_tracks, counted(tracks, "track", "tracks"));
    bar_.set_text(part_selected, counted(selected, "selected", "selected"));
}

}  // namespace player
