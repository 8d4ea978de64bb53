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
      listener_(sonavel::service_impl_t<PlaylistListener>::create_object()) {
    engines_.state.registry.add_instance(sonavel::playlist_callback_single_static::class_guid,
                                         static_cast<sonavel::service_base*>(listener_.get_ptr()));
    listener_->attach(this);
    engines_.status.listen([this](const std::string& text) { bar_.set_text(part_news, text); });
    bar_.set_text(part_news, engines_.status.text());
    count();
}

PlayerStatus::~PlayerStatus() {
    engines_.status.listen({});
    listener_->attach(nullptr);
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
