// The baseline of the tag-write benchmark: TagLib's own in-place save, with none of the player's
// safeguards (no journal, no flush, no check of what reached the disk). Adds a value to a field of
// every file in a folder.
//   taglib_save FIELD=VALUE <folder>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <fileref.h>
#include <mpegfile.h>
#include <tpropertymap.h>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    std::string assignment = argv[1];
    std::size_t equals = assignment.find('=');
    if (equals == std::string::npos) return 2;
    TagLib::String field(assignment.substr(0, equals), TagLib::String::UTF8);
    TagLib::String value(assignment.substr(equals + 1), TagLib::String::UTF8);
    std::vector<std::string> files;
    for (const auto& item : std::filesystem::directory_iterator(argv[2])) files.push_back(item.path().string());
    std::sort(files.begin(), files.end());
    int failed = 0;
    for (const auto& path : files) {
        TagLib::FileRef ref(path.c_str());
        if (ref.isNull()) {
            ++failed;
            continue;
        }
        TagLib::PropertyMap map = ref.file()->properties();
        map[field].append(value);
        ref.file()->setProperties(map);
        bool saved = false;
        if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(ref.file()))
            saved = mpeg->save(TagLib::MPEG::File::ID3v2, TagLib::File::StripNone, TagLib::ID3v2::v4, TagLib::File::DoNotDuplicate);
        else
            saved = ref.file()->save();
        failed += !saved;
    }
    return failed ? 1 : 0;
}
