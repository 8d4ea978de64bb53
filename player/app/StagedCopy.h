#pragma once
// A copy of a file, made beside it, that is edited instead of the file and then put in its place whole:
// the file is either left as it was or replaced by the finished copy, never half-written (TagLib saves in
// place and shifts the audio as a tag grows; a failure in the middle would cut the file).
#include <string>

namespace player {

// Names of copies start with this: a copy left behind by a process that ended during a write is no track.
inline constexpr const wchar_t* staged_copy_prefix = L"~tagging-";

class StagedCopy {
public:
    // Throws the host's I/O error when the file is read-only or cannot be copied.
    explicit StagedCopy(std::wstring original);
    // Removes the copy unless it took the original's place.
    ~StagedCopy();
    StagedCopy(const StagedCopy&) = delete;
    StagedCopy& operator=(const StagedCopy&) = delete;

    const std::wstring& path() const noexcept { return copy_; }
    // Puts the copy in the original's place; throws the host's I/O error and leaves the original when the
    // system refuses.
    void commit();

private:
    std::wstring original_, copy_;
    bool committed_ = false;
};

}  // namespace player
