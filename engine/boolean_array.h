// A set of verse numbers (or entry numbers) as bits; the query evaluator combines
// such sets word by word.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/verse_types.h"

namespace kvx {

using TBLongWordArray = std::vector<uint32_t>;

class TBooleanArray {
public:
    explicit TBooleanArray(int32_t count);

    int32_t Count() const { return count_; }
    const TBLongWordArray& Bits() const { return bits_; }

    // Bounds-tested read; raises outside 0..Count-1.
    bool GetItemValue(int32_t index) const;
    // The caller guarantees 0 <= index < Count.
    void SetItemValue(int32_t index, bool value) {
        uint32_t mask = 1u << (static_cast<uint32_t>(index) & 31);
        if (value)
            bits_[static_cast<uint32_t>(index) >> 5] |= mask;
        else
            bits_[static_cast<uint32_t>(index) >> 5] &= ~mask;
    }
    // Unchecked read for hot loops that already know the index is in range.
    bool Test(int32_t index) const {
        return (bits_[static_cast<uint32_t>(index) >> 5] >> (static_cast<uint32_t>(index) & 31)) & 1u;
    }

    void AndWith(const TBooleanArray& other);
    void OrWith(const TBooleanArray& other);
    void XorWith(const TBooleanArray& other);
    // Complements every word, the spare ones too; bits beyond Count-1 stay outside the set.
    void Invert();

    // Verse list of the set items: item i gives verse i+1, ascending.
    TVerseList ToVerseList() const { return ItemList(1); }
    // The set items in ascending order, numbered from firstNumber.
    std::vector<uint16_t> ItemList(int32_t firstNumber) const;
    int32_t CountSet() const;

private:
    int32_t count_;
    TBLongWordArray bits_;
};

}  // namespace kvx
