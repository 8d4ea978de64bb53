#pragma once
// A double click on a value fills a playlist with the library tracks that carry it: the query names the
// preset's field and the value, narrowed, when the preset filters on focused tags, to tracks that share a
// value of the listed fields with the focused track. The preset's playlist settings say where the tracks
// go, whether they replace what is there, and their order. Main thread.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "presets/Options.h"
#include "sdk/metadb.h"

namespace quennet {

// NM_DBLCLK of the value list `list`: only a double click on a value's text counts.
void on_double_click(const Options& preset, HWND list, const NMITEMACTIVATE& click);

// The values of each of the ";"-separated `filter_fields` in the focused track's record, one list per
// field name in order. false when there is no track or its record cannot be read.
bool focused_track_values(const sonavel::metadb_handle_ptr& focused, const std::string& filter_fields,
                          std::vector<std::string>& names, std::vector<std::vector<std::string>>& values);

// `field IS "value"`, and with focused values ` AND (name IS "v" OR ...)` over every value of every name.
std::string double_click_query(const std::string& field, const std::string& value,
                               const std::vector<std::string>& names,
                               const std::vector<std::vector<std::string>>& values);

// The library tracks the query accepts, ordered by the preset's sort order, go to the preset's playlist.
// Nothing changes when the query text cannot be parsed.
void fill_playlist_from_query(const Options& preset, const std::string& value, const std::string& query);

}  // namespace quennet
