#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// Search positions as fixed-size records of cell numbers (the sorted box cells, then the reduced keeper
// cell) in one flat array, with an open-addressing hash index over them. Indices are dense from 0, so the
// searches keep their own per-position fields in plain vectors beside the store. With keeperWords 0 the
// records are box sets alone.
class StateStore {
public:
    explicit StateStore(int boxCount, int keeperWords = 1)
        : stride_(static_cast<std::size_t>(boxCount + keeperWords)) {
        slots_.assign(1024, -1);
    }

    std::size_t size() const { return count_; }
    const std::uint16_t* state(std::int32_t index) const {
        return &words_[static_cast<std::size_t>(index) * stride_];
    }

    // Index of the stored copy of state, or -1.
    std::int32_t find(const std::uint16_t* state) const {
        for (std::size_t slot = hashOf(state) & (slots_.size() - 1);;
             slot = (slot + 1) & (slots_.size() - 1)) {
            const std::int32_t index = slots_[slot];
            if (index < 0) return -1;
            if (std::equal(state, state + stride_, this->state(index))) return index;
        }
    }

    // Index of the stored copy of state, adding it when new.
    std::int32_t findOrAdd(const std::uint16_t* state, bool& added) {
        if ((count_ + 1) * 2 > slots_.size()) grow();
        std::size_t slot = hashOf(state) & (slots_.size() - 1);
        for (;; slot = (slot + 1) & (slots_.size() - 1)) {
            const std::int32_t index = slots_[slot];
            if (index < 0) break;
            if (std::equal(state, state + stride_, this->state(index))) {
                added = false;
                return index;
            }
        }
        const auto index = static_cast<std::int32_t>(count_++);
        slots_[slot] = index;
        words_.insert(words_.end(), state, state + stride_);
        added = true;
        return index;
    }

private:
    std::uint64_t hashOf(const std::uint16_t* state) const {
        std::uint64_t hash = 0x9E3779B97F4A7C15ull;
        for (std::size_t i = 0; i < stride_; ++i) {
            hash = (hash ^ state[i]) * 0xBF58476D1CE4E5B9ull;
            hash ^= hash >> 29;
        }
        return hash;
    }

    void grow() {
        slots_.assign(slots_.size() * 2, -1);
        for (std::size_t index = 0; index < count_; ++index) {
            std::size_t slot = hashOf(state(static_cast<std::int32_t>(index))) & (slots_.size() - 1);
            while (slots_[slot] >= 0) slot = (slot + 1) & (slots_.size() - 1);
            slots_[slot] = static_cast<std::int32_t>(index);
        }
    }

    std::size_t stride_;
    std::size_t count_ = 0;
    std::vector<std::uint16_t> words_;
    std::vector<std::int32_t> slots_;
};
