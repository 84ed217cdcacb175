// A module file laid out in memory before it is written: a zeroed header of fixed
// size, then blocks appended one after the other, and the little-endian helpers both
// module writers fill them with. Offsets are 32-bit, so a file stays below 4 GB.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/zb_zlib.h"

namespace kvx {

class TModuleOutput {
public:
    // `tooLargeMessage` is raised when an append would pass 4 GB.
    TModuleOutput(size_t headerSize, const char* tooLargeMessage)
        : data_(headerSize, '\0'), tooLargeMessage_(tooLargeMessage) {}

    uint32_t Position() const { return static_cast<uint32_t>(data_.size()); }
    // Appends and returns where the bytes went. Appending may move the buffer: take
    // addresses with At only afterwards.
    uint32_t Append(std::string_view bytes);
    uint8_t* At(size_t offset) { return reinterpret_cast<uint8_t*>(data_.data()) + offset; }
    std::string& Data() { return data_; }

    // Compresses a block at the maximum level and appends it; the descriptor says where.
    TBlockDescriptor StoreBlock(std::string_view text);

private:
    std::string data_;
    const char* tooLargeMessage_;
};

void PutU16(std::string& s, uint16_t v);
void PutU32(std::string& s, uint32_t v);
void SetU16(uint8_t* p, uint16_t v);
void SetU32(uint8_t* p, uint32_t v);
// A length-prefixed string field, cut to maxLength characters.
void SetShortString(uint8_t* field, std::string_view s, size_t maxLength = 255);

}  // namespace kvx
