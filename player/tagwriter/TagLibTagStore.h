#pragma once
// The player's tag store: writes the fields an update changed into the tracks' files through the tag
// writer, which keeps every other field and byte of the files as they were. Worker thread.
#include <string>

#include "player/engine/TagStore.h"
#include "player/tagwriter/TagWriter.h"

namespace player {

class TagLibTagStore final : public TagStore {
public:
    // `journal_folder`: the player's own folder (UTF-8), where interrupted writes are journalled.
    explicit TagLibTagStore(std::string journal_folder, tagwriter::IoFaults* faults = nullptr)
        : writer_(std::move(journal_folder), faults) {}

    void write(std::vector<TagWrite>& writes, const std::function<bool(std::size_t)>& proceed) override;
    std::unique_ptr<PreparedWrites> prepare(std::vector<TagWrite>& writes,
                                            const std::function<bool(std::size_t)>& proceed) override;
    void commit(PreparedWrites& prepared) override;

private:
    tagwriter::TagWriter writer_;
};

// What a write changes: the fields whose values differ between the records (names compared as TagLib
// keys, upper-cased), with the new values and the values they replace.
tagwriter::FileUpdate file_update(const std::string& path, const sonavel::file_info& before,
                                  const sonavel::file_info& after);

}  // namespace player
