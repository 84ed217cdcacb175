// Compressed blocks: one complete zlib stream per text, described in a file by
// offset, stored length and uncompressed length. Bible and resource modules share it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/exception.h"

namespace kvx {

class TMappedFile;

class EZLibError : public Exception {
public:
    using Exception::Exception;
};
class EZCompressionError : public EZLibError {
public:
    using EZLibError::EZLibError;
};
class EZDecompressionError : public EZLibError {
public:
    using EZLibError::EZLibError;
};

enum class TCompressionLevel { None, Fastest, Default, Max };

// Inflates one complete zlib stream. lengthHint is only the first size of the output
// buffer (0: the smallest multiple of 256 not below sourceLength). Raises
// EZDecompressionError with zlib's message on a corrupt or incomplete stream.
std::string DecompressBlock(const uint8_t* source, size_t sourceLength, size_t lengthHint);

// Deflates into one complete zlib stream. Raises EZCompressionError on failure.
std::string CompressBlock(std::string_view source, TCompressionLevel level);

// The 12-byte descriptor of a stored block.
struct TBlockDescriptor {
    static constexpr size_t kEncodedLength = 12;
    uint32_t Offset = 0;  // 0: empty text, nothing stored
    uint32_t StoredLength = 0;
    uint32_t UncompressedLength = 0;

    static TBlockDescriptor DecodeFrom(const uint8_t* p);
    void EncodeTo(uint8_t* p) const;
};

// The text of a block of a mapped file: empty when nothing is stored, otherwise the
// region is checked against the file (naming `what` in the error) and inflated.
std::string ReadBlockText(const TMappedFile& file, const TBlockDescriptor& block, const char* what);

}  // namespace kvx
