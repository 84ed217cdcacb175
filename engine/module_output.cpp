// The in-memory layout of a module file being written.
#include "engine/module_output.h"

#include <algorithm>
#include <cstring>

#include "platform/exception.h"

namespace kvx {

uint32_t TModuleOutput::Append(std::string_view bytes) {
    if (data_.size() + bytes.size() > UINT32_MAX) throw Exception(tooLargeMessage_);
    const uint32_t at = Position();
    data_.append(bytes);
    return at;
}

TBlockDescriptor TModuleOutput::StoreBlock(std::string_view text) {
    const std::string packed = CompressBlock(text, TCompressionLevel::Max);
    const uint32_t at = Append(packed);
    return {at, static_cast<uint32_t>(packed.size()), static_cast<uint32_t>(text.size())};
}

void PutU16(std::string& s, uint16_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}

void PutU32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void SetU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void SetU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

void SetShortString(uint8_t* field, std::string_view s, size_t maxLength) {
    const size_t n = std::min({s.size(), maxLength, size_t{255}});
    field[0] = static_cast<uint8_t>(n);
    std::memcpy(field + 1, s.data(), n);
}

}  // namespace kvx
