#include "player/app/TagLibTagStore.h"

#include "player/app/StagedCopy.h"
#include "player/app/TagFile.h"
#include "player/app/TagProperties.h"
#include "sdk/errors.h"
#include "sdk/utf8.h"

namespace player {

void TagLibTagStore::write(const sonavel::metadb_handle_ptr& track, const sonavel::file_info& record,
                           sonavel::abort_callback& abort) {
    abort.check();
    std::wstring path = sonavel::utf8_to_wide(track->get_path());
    int length_before = TagFile(path).length_ms();

    StagedCopy staged(path);
    {
        TagFile file(staged.path());
        // A field the format cannot hold would be lost without a word: refuse the whole record instead.
        if (!file.set_properties(to_property_map(record)).isEmpty()) throw sonavel::exception_io_data();
        if (!file.save()) throw sonavel::exception_io_data();
    }
    // TagLib ignores short writes: a copy that no longer reads as the same audio is not put in place.
    if (TagFile(staged.path()).length_ms() != length_before) throw sonavel::exception_io_data();
    abort.check();
    staged.commit();
}

}  // namespace player
