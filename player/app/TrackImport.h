#pragma once
// Audio files entering the player: their records read from the files, the tracks added to the library
// and to the active playlist. Main thread.
#include <string>
#include <vector>

#include "player/engine/HostEngines.h"

namespace player {

// Files of a kind TagLib reads as audio: such a file that gives no record is damaged or unreadable and
// is worth a word; other files (pictures, playlists, notes) are simply not tracks.
bool named_as_audio(const std::wstring& file);

// The tracks of the files TagLib opens as audio, with their records current; other files are skipped.
sonavel::metadb_handle_list load_tracks(HostEngines& engines, const std::vector<std::wstring>& files);

// Files named as audio that cannot be read are listed on the console and in one popup message.
// Loads the audio files below the folder, adds them to the library and appends them to the active
// playlist (a playlist "Default" is created and activated when none is active). Returns the tracks.
sonavel::metadb_handle_list import_folder(HostEngines& engines, const std::wstring& folder);

}  // namespace player
