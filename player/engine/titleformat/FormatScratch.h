#pragma once
// Reusable text buffers for the evaluator, so that formatting many records allocates only while the
// buffers grow to their working size.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace player::titleformat {

class FormatScratch {
public:
    // One borrowed buffer, returned on destruction; borrows nest (last borrowed, first returned).
    class Lease {
    public:
        Lease(FormatScratch& owner, std::string& text) noexcept : owner_(&owner), text_(&text) {}
        Lease(Lease&& other) noexcept : owner_(other.owner_), text_(other.text_) { other.owner_ = nullptr; }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        Lease& operator=(Lease&&) = delete;
        ~Lease() {
            if (owner_) --owner_->used_;
        }
        std::string& text() const noexcept { return *text_; }

    private:
        FormatScratch* owner_;
        std::string* text_;
    };

    // An empty buffer.
    Lease borrow();

private:
    // unique_ptr keeps a lent string in place while the pool grows.
    std::vector<std::unique_ptr<std::string>> pool_;
    std::size_t used_ = 0;
};

}  // namespace player::titleformat
