#pragma once
// The library's scans on this system: folders listed with FindFirstFile (size and time of last write
// come with each name), records read with TagLib.
#include "player/library/LibraryScan.h"

namespace player {

library::ScanSources disk_sources();

}  // namespace player
