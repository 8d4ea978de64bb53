#include "player/engine/titleformat/TitleformatCompiler.h"

#include <string>
#include <vector>

#include "player/engine/titleformat/TitleformatObject.h"
#include "player/engine/titleformat/logical_sort.h"
#include "sdk/metadb.h"

namespace player {

namespace {

std::vector<std::string> format_all(const sonavel::metadb_handle_list& tracks, sonavel::titleformat_object& script) {
    std::vector<std::string> texts(tracks.size());
    // Scripts of other implementations read their own records, one lock each.
    auto* ours = dynamic_cast<TitleformatObject*>(&script);
    if (!ours) {
        for (std::size_t i = 0; i < tracks.size(); ++i) script.run(tracks[i], nullptr, texts[i]);
        return texts;
    }
    titleformat::FormatScratch scratch;
    sonavel::metadb_read_lock lock;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const sonavel::metadb_handle* track = tracks[i].get_ptr();
        ours->run_locked(track, track ? track->get_info_locked() : nullptr, texts[i], scratch);
    }
    return texts;
}

}  // namespace

bool TitleformatCompiler::compile(sonavel::service_ptr_t<sonavel::titleformat_object>& out, const char* script) {
    out.release();
    if (!script) return false;
    std::optional<titleformat::Script> compiled = titleformat::Script::compile(script);
    if (!compiled) return false;
    out = sonavel::service_impl_t<TitleformatObject>::create(std::move(*compiled));
    return true;
}

void TitleformatCompiler::sort_by_format(sonavel::metadb_handle_list& tracks, sonavel::titleformat_object& script) {
    std::vector<std::string> texts = format_all(tracks, script);
    sort_logically(tracks, texts);
}

}  // namespace player
