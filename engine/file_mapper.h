// A read-only memory mapping of a whole module file. Readers address headers,
// tables and compressed blocks by file offset, and every region they take from the
// file is checked against the mapping first: module files come from anywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/exception.h"

namespace kvx {

// Carries the stage that failed and errno, for callers that report in words of their own.
class EMappedFileError : public Exception {
public:
    EMappedFileError(const std::string& message, bool openFailed, int code)
        : Exception(message), OpenFailed(openFailed), Code(code) {}
    bool OpenFailed;
    int Code;
};

class TMappedFile {
public:
    // Raises "Failed to open %s (%d)" or "File mapping failed on %s (%d)" with errno.
    explicit TMappedFile(const std::string& fileName);
    ~TMappedFile();
    TMappedFile(const TMappedFile&) = delete;
    TMappedFile& operator=(const TMappedFile&) = delete;

    const std::string& FileName() const { return fileName_; }
    uint64_t Size() const { return size_; }
    const uint8_t* Memory() const { return memory_; }

    // True when [offset, offset+length) lies inside the file.
    bool Contains(uint64_t offset, uint64_t length) const {
        return offset <= size_ && length <= size_ - offset;
    }
    // The address of a region, or raises "Module file is corrupt: the %s lies outside
    // the file (%s)." naming what was sought.
    const uint8_t* Region(uint64_t offset, uint64_t length, const char* what) const;

private:
    std::string fileName_;
    int fd_ = -1;
    uint64_t size_ = 0;
    const uint8_t* memory_ = nullptr;
};

// Little-endian reads from unaligned memory.
inline uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace kvx
