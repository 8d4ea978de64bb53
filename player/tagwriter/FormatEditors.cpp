#include "player/tagwriter/FormatEditors.h"

#include <flacfile.h>
#include <mpegfile.h>

#include "player/tagwriter/flac/FlacTagEditor.h"
#include "player/tagwriter/mpeg/MpegTagEditor.h"

namespace player::tagwriter {

std::optional<ByteEdits> edit_exactly(TagLib::File& file, const ByteSource& bytes, const FieldEdits& edits) {
    try {
        if (dynamic_cast<TagLib::FLAC::File*>(&file)) return edit_flac_tags(bytes, edits);
        if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(&file)) {
            // Readers take an MPEG file's fields from its first tag: a new ID3v2 tag holding the edited
            // field alone would hide every field of the APE or ID3v1 tag. TagLib then writes them all.
            if (!mpeg->hasID3v2Tag() && (mpeg->hasAPETag() || mpeg->hasID3v1Tag())) return std::nullopt;
            return edit_mpeg_tags(bytes, edits);
        }
    } catch (const unsupported_layout&) {
    }
    return std::nullopt;
}

}  // namespace player::tagwriter
