// zlib streams for module text.
#include "engine/zb_zlib.h"

#include <zlib.h>

#include <algorithm>
#include <memory>

#include "engine/file_mapper.h"

namespace kvx {
namespace {

// deflate cannot expand data by more than this factor, so a larger size hint in a
// file is a lie and is not honoured as an allocation size.
constexpr size_t kMaxInflateRatio = 1040;

std::string ZlibMessage(const z_stream& z, int code) {
    if (z.msg) return z.msg;
    switch (code) {
        case Z_BUF_ERROR: return "buffer error";
        case Z_DATA_ERROR: return "data error";
        case Z_MEM_ERROR: return "insufficient memory";
        case Z_STREAM_ERROR: return "stream error";
        case Z_NEED_DICT: return "need dictionary";
        default: return "zlib error " + std::to_string(code);
    }
}

// One inflater per thread, reset between blocks: showing a chapter or verifying a
// phrase inflates thousands of tiny streams and a fresh inflateInit each costs more
// than the inflating.
struct Inflater {
    z_stream z{};
    bool ready = false;
    Inflater() { ready = inflateInit(&z) == Z_OK; }
    ~Inflater() {
        if (ready) inflateEnd(&z);
    }
};

size_t RoundUp256(size_t n) { return (n + 255) / 256 * 256; }

}  // namespace

std::string DecompressBlock(const uint8_t* source, size_t sourceLength, size_t lengthHint) {
    thread_local Inflater inflater;
    if (!inflater.ready) throw EZDecompressionError("insufficient memory");
    z_stream& z = inflater.z;
    inflateReset(&z);

    size_t step = lengthHint;
    const size_t maxPlausible = sourceLength * kMaxInflateRatio + 256;
    if (step == 0 || step > maxPlausible) step = std::max<size_t>(RoundUp256(sourceLength), 256);
    std::string out(step, '\0');

    z.next_in = const_cast<Bytef*>(source);
    z.avail_in = static_cast<uInt>(sourceLength);
    size_t produced = 0;
    for (;;) {
        z.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
        z.avail_out = static_cast<uInt>(out.size() - produced);
        int rc = inflate(&z, Z_NO_FLUSH);
        produced = out.size() - z.avail_out;
        if (rc == Z_STREAM_END) break;
        if (rc == Z_OK && z.avail_out == 0) {
            if (out.size() > maxPlausible) throw EZDecompressionError("data error");
            out.resize(out.size() + step);
            continue;
        }
        if (rc == Z_OK) rc = Z_BUF_ERROR;  // input ended before the stream did
        throw EZDecompressionError(ZlibMessage(z, rc));
    }
    out.resize(produced);
    return out;
}

// One deflater per thread and level, reset between blocks, for the same reason as
// the inflater: a Bible is tens of thousands of tiny streams.
struct Deflater {
    z_stream z{};
    int rc;
    explicit Deflater(int level) { rc = deflateInit(&z, level); }
    ~Deflater() {
        if (rc == Z_OK) deflateEnd(&z);
    }
};

std::string CompressBlock(std::string_view source, TCompressionLevel level) {
    const int index = static_cast<int>(level);
    static constexpr int kZlibLevels[] = {0, 1, Z_DEFAULT_COMPRESSION, 9};
    thread_local std::unique_ptr<Deflater> deflaters[4];
    if (!deflaters[index]) deflaters[index] = std::make_unique<Deflater>(kZlibLevels[index]);
    Deflater& d = *deflaters[index];
    if (d.rc != Z_OK) throw EZCompressionError(ZlibMessage(d.z, d.rc));
    z_stream& z = d.z;
    deflateReset(&z);
    std::string out(deflateBound(&z, static_cast<uLong>(source.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(source.data()));
    z.avail_in = static_cast<uInt>(source.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    int rc = deflate(&z, Z_FINISH);
    if (rc != Z_STREAM_END) throw EZCompressionError(ZlibMessage(z, rc));
    out.resize(out.size() - z.avail_out);
    return out;
}

TBlockDescriptor TBlockDescriptor::DecodeFrom(const uint8_t* p) {
    return {ReadU32(p), ReadU32(p + 4), ReadU32(p + 8)};
}

void TBlockDescriptor::EncodeTo(uint8_t* p) const {
    const uint32_t v[3] = {Offset, StoredLength, UncompressedLength};
    for (int i = 0; i < 3; ++i)
        for (int b = 0; b < 4; ++b) p[i * 4 + b] = static_cast<uint8_t>(v[i] >> (8 * b));
}

std::string ReadBlockText(const TMappedFile& file, const TBlockDescriptor& block, const char* what) {
    if (block.Offset == 0) return {};
    const uint8_t* data = file.Region(block.Offset, block.StoredLength, what);
    return DecompressBlock(data, block.StoredLength, block.UncompressedLength);
}

}  // namespace kvx
