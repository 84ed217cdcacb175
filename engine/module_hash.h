// The header hash of module files: Adler-32 started from a seed instead of 1. The
// seed that matches tells who made the module.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kvx {

// Modules issued by the publisher.
constexpr uint32_t kPublisherSeed = 0x5C27D41B;
// Modules written by the program's own builders, and by anyone else.
constexpr uint32_t kBuilderSeed = 0x6A93B2C5;

inline uint32_t SeededAdler32(uint32_t seed, const uint8_t* data, size_t length) {
    constexpr uint32_t kMod = 65521;
    uint32_t s1 = (seed & 0xFFFF) % kMod;
    uint32_t s2 = (seed >> 16) % kMod;
    for (size_t i = 0; i < length; ++i) {
        s1 = (s1 + data[i]) % kMod;
        s2 = (s2 + s1) % kMod;
    }
    return (s2 << 16) | s1;
}

}  // namespace kvx
