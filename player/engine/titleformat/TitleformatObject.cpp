#include "player/engine/titleformat/TitleformatObject.h"

#include <string_view>

#include "sdk/metadb.h"

namespace player {

void TitleformatObject::run(const sonavel::metadb_handle_ptr& track, const sonavel::file_info* info,
                            std::string& out) {
    titleformat::FormatScratch scratch;
    if (info || !track.is_valid()) {
        run_locked(track.get_ptr(), info, out, scratch);
        return;
    }
    sonavel::metadb_read_lock lock;
    run_locked(track.get_ptr(), track->get_info_locked(), out, scratch);
}

void TitleformatObject::run_locked(const sonavel::metadb_handle* track, const sonavel::file_info* info,
                                   std::string& out, titleformat::FormatScratch& scratch) const {
    const char* path = track ? track->get_path() : nullptr;
    script_.format(info, path ? std::string_view(path) : std::string_view(), out, scratch);
}

}  // namespace player
