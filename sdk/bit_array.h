#pragma once
// Item masks for playlist operations and enumeration.
#include <cstddef>
#include <vector>

namespace sonavel {

class bit_array {
public:
    virtual bool get(std::size_t n) const = 0;

protected:
    ~bit_array() = default;
};

class bit_array_true final : public bit_array {
public:
    bool get(std::size_t) const override { return true; }
};

class bit_array_false final : public bit_array {
public:
    bool get(std::size_t) const override { return false; }
};

class bit_array_one final : public bit_array {
public:
    explicit bit_array_one(std::size_t index) : index_(index) {}
    bool get(std::size_t n) const override { return n == index_; }
    std::size_t index() const noexcept { return index_; }

private:
    std::size_t index_;
};

class bit_array_bittable final : public bit_array {
public:
    explicit bit_array_bittable(std::size_t count = 0) : bits_(count) {}
    explicit bit_array_bittable(std::vector<bool> bits) : bits_(std::move(bits)) {}
    bool get(std::size_t n) const override { return n < bits_.size() && bits_[n]; }
    void set(std::size_t n, bool value) {
        if (n >= bits_.size()) bits_.resize(n + 1);
        bits_[n] = value;
    }

private:
    std::vector<bool> bits_;
};

}  // namespace sonavel
