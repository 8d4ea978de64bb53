#include "player/tagwriter/TagLibTagStore.h"

#include "player/tagwriter/EndTags.h"
#include "player/tagwriter/PreparedGroup.h"
#include "player/tagwriter/TagProperties.h"

namespace player {
namespace {

sonavel::file_info_impl record_of(const sonavel::file_info& technical, const tagwriter::FieldMap& fields) {
    sonavel::file_info_impl record;
    record.copy(technical);
    record.meta_remove_all();
    for (const auto& [name, values] : fields)
        for (const auto& value : values) record.meta_add_ex(name.data(), name.size(), value.data(), value.size());
    return record;
}

// The record learns the fingerprint of the tags after the audio that the file holds now, so that the
// next write compares them with what it finds.
void set_end_tags(sonavel::file_info& record, const std::optional<std::uint64_t>& fingerprint) {
    if (fingerprint) record.info_set(tagwriter::end_tags_info_name, tagwriter::end_tags_text(*fingerprint).c_str());
}

struct PreparedFiles final : PreparedWrites {
    PreparedFiles(std::vector<TagWrite>& w, tagwriter::PreparedGroup g) : writes(w), group(std::move(g)) {}
    std::vector<TagWrite>& writes;
    tagwriter::PreparedGroup group;
};

}  // namespace

tagwriter::FileUpdate file_update(const std::string& path, const sonavel::file_info& before,
                                  const sonavel::file_info& after) {
    tagwriter::FileUpdate update;
    update.path = path;
    update.expected = to_field_map(before);
    tagwriter::FieldMap wanted = to_field_map(after);
    for (const auto& [name, values] : wanted) {
        auto old = update.expected.find(name);
        if (old == update.expected.end() || old->second != values) update.edits.push_back({name, values});
    }
    for (const auto& [name, values] : update.expected)
        if (!wanted.count(name)) update.edits.push_back({name, {}});
    std::size_t found = before.info_find(tagwriter::end_tags_info_name);
    if (found != sonavel::file_info::npos)
        update.expected_end_tags = tagwriter::end_tags_from_text(before.info_enum_value(found));
    return update;
}

void TagLibTagStore::write(std::vector<TagWrite>& writes, const std::function<bool(std::size_t)>& proceed) {
    commit(*prepare(writes, proceed));
}

std::unique_ptr<PreparedWrites> TagLibTagStore::prepare(std::vector<TagWrite>& writes,
                                                        const std::function<bool(std::size_t)>& proceed) {
    std::vector<tagwriter::FileUpdate> updates;
    updates.reserve(writes.size());
    for (const TagWrite& write : writes) updates.push_back(file_update(write.track->get_path(), write.before, write.after));
    return std::make_unique<PreparedFiles>(writes, writer_.prepare(updates, proceed));
}

void TagLibTagStore::commit(PreparedWrites& prepared) {
    auto& files = dynamic_cast<PreparedFiles&>(prepared);
    std::vector<TagWrite>& writes = files.writes;
    std::vector<tagwriter::UpdateResult> results = writer_.commit(std::move(files.group));
    for (std::size_t i = 0; i < writes.size(); ++i) {
        TagWrite& write = writes[i];
        tagwriter::UpdateResult& result = results[i];
        write.message = result.message;
        switch (result.status) {
        case tagwriter::UpdateResult::Status::written:
            write.outcome = TagWrite::Outcome::written;
            set_end_tags(write.after, result.end_tags);
            break;
        case tagwriter::UpdateResult::Status::failed: write.outcome = TagWrite::Outcome::failed; break;
        case tagwriter::UpdateResult::Status::skipped: write.outcome = TagWrite::Outcome::skipped; break;
        case tagwriter::UpdateResult::Status::changed_elsewhere:
            write.outcome = TagWrite::Outcome::changed_elsewhere;
            write.on_disk = record_of(write.before, result.fields_on_disk);
            set_end_tags(*write.on_disk, result.end_tags);
            break;
        }
    }
}

}  // namespace player
