// Bit set operations.
#include "engine/boolean_array.h"

#include <bit>

#include "platform/exception.h"

namespace kvx {

TBooleanArray::TBooleanArray(int32_t count)
    : count_(count < 0 ? 0 : count), bits_(static_cast<size_t>(count_ / 32 + 2), 0u) {}

bool TBooleanArray::GetItemValue(int32_t index) const {
    if (index < 0 || index >= count_) throw Exception("TBooleanArray.GetItemValue Item index out of bounds.");
    return Test(index);
}

void TBooleanArray::AndWith(const TBooleanArray& other) {
    const size_t n = std::min(bits_.size(), other.bits_.size());
    for (size_t i = 0; i < n; ++i) bits_[i] &= other.bits_[i];
}

void TBooleanArray::OrWith(const TBooleanArray& other) {
    const size_t n = std::min(bits_.size(), other.bits_.size());
    for (size_t i = 0; i < n; ++i) bits_[i] |= other.bits_[i];
}

void TBooleanArray::XorWith(const TBooleanArray& other) {
    const size_t n = std::min(bits_.size(), other.bits_.size());
    for (size_t i = 0; i < n; ++i) bits_[i] ^= other.bits_[i];
}

void TBooleanArray::Invert() {
    for (uint32_t& w : bits_) w = ~w;
}

std::vector<uint16_t> TBooleanArray::ItemList(int32_t firstNumber) const {
    std::vector<uint16_t> list;
    // Word at a time, but only items inside the set count.
    for (size_t w = 0; w < bits_.size(); ++w) {
        uint32_t word = bits_[w];
        while (word) {
            int bit = std::countr_zero(word);
            int64_t item = static_cast<int64_t>(w) * 32 + bit;
            if (item >= count_) return list;
            list.push_back(static_cast<uint16_t>(item + firstNumber));
            word &= word - 1;
        }
    }
    return list;
}

int32_t TBooleanArray::CountSet() const {
    int32_t n = 0;
    for (size_t w = 0; w < bits_.size(); ++w) {
        uint32_t word = bits_[w];
        int64_t base = static_cast<int64_t>(w) * 32;
        if (base + 32 > count_) {
            int64_t keep = count_ - base;
            word = keep <= 0 ? 0 : word & (keep >= 32 ? ~0u : ((1u << keep) - 1));
        }
        n += std::popcount(word);
    }
    return n;
}

}  // namespace kvx
