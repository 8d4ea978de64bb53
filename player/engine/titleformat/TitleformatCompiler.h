#pragma once
// The title-formatting service: compiles scripts and sorts tracks by them.
#include "sdk/titleformat.h"

namespace player {

class TitleformatCompiler : public sonavel::titleformat_service {
public:
    using interface_t = sonavel::titleformat_service;

    // On failure `out` is emptied.
    bool compile(sonavel::service_ptr_t<sonavel::titleformat_object>& out, const char* script) override;
    // Reads the records under the database read lock (a host is needed); formats each track once.
    void sort_by_format(sonavel::metadb_handle_list& tracks, sonavel::titleformat_object& script) override;
};

}  // namespace player
