#include "player/tagwriter/FormatEditors.h"

#include <flacfile.h>
#include <mpegfile.h>

#include "player/tagwriter/flac/FlacTagEditor.h"
#include "player/tagwriter/mpeg/MpegTagEditor.h"

namespace player::tagwriter {

std::optional<ByteEdits> edit_exactly(TagLib::File& file, const ByteSource& bytes, const FieldEdits& edits) {
    try {
        if (dynamic_cast<TagLib::FLAC::File*>(&file)) return edit_flac_tags(bytes, edits);
        if (dynamic_cast<TagLib::MPEG::File*>(&file)) return edit_mpeg_tags(bytes, edits);
    } catch (const unsupported_layout&) {
    }
    return std::nullopt;
}

}  // namespace player::tagwriter
