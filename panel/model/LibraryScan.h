#pragma once
// Values from the media library: the library scan step and the focused-tags filter step of a fill, and
// the re-scan of tracks the library reports as added or modified.
#include "presets/Options.h"
#include "sdk/metadb.h"

namespace quennet {

class PanelFiller;

// Gathers the library's values of scan_fields (empty pieces dropped), or of metadata_field when
// scan_fields is empty; with `force` the value list is emptied first.
void library_scan_step(Options& options, const sonavel::metadb_handle_list& library, bool force);

// When filter_on_focused_tags is on and filter_fields is not empty: empties the value list and, if the
// focused track has a record, lists the values of metadata_field that library tracks sharing a value
// (without regard to case) of a filter field with the focused track carry. True when the filter ran,
// false when it did not apply or found no focused record.
bool focused_tags_filter_step(Options& options, const sonavel::metadb_handle_list& library,
                              const sonavel::metadb_handle_ptr& focused);

// Gathers metadata_field of `tracks`; refills with event 2 when that added a value.
void rescan_added_tracks(Options& options, PanelFiller& filler, const sonavel::metadb_handle_list& tracks);

}  // namespace quennet
