#pragma once
// Writes a planned library-wide value change the way Apply writes: the large-update warning, then the
// host's asynchronous update (its progress window, its checks of files changed meanwhile, one step of the
// history), and the panels' refresh when it completes. Main thread only.
#include "panel/model/LibraryValueChange.h"

namespace quennet {

class PanelModel;

// False when nothing was started: nothing to write, the warning answered No, or the panel is busy. The
// panel is busy from the start until the write's completion; its preset's value list follows the change.
bool start_library_value_change(PanelModel& panel, const LibraryValueChange& change, LibraryChangePlan plan);

}  // namespace quennet
