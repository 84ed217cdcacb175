// Reading a SWORD commentary's verse index.
#include "tools/library_builder/sword_verse_index.h"

#include <cstdint>
#include <filesystem>

#include "engine/verse_types.h"
#include "engine/versification.h"
#include "platform/file_util.h"

namespace kvx::library {
namespace {

namespace fs = std::filesystem;

constexpr int kZComRecordSize = 10;
constexpr int kZCom4RecordSize = 12;
constexpr int kOldTestamentBooks = 39;
// The module heading and the testament heading come before the first book.
constexpr int kLeadingKeys = 2;

// The verse number of every key of a testament; 0 for headings and introductions.
std::vector<int> TestamentKeys(bool oldTestament) {
    std::vector<int> keys(kLeadingKeys, 0);
    const auto& books = StandardVersification().Books;
    int verse = 0;
    for (size_t b = 0; b < books.size(); ++b) {
        const bool inTestament = (b < kOldTestamentBooks) == oldTestament;
        if (inTestament) keys.push_back(0);
        for (int count : books[b].VersesPerChapter) {
            if (inTestament) keys.push_back(0);
            for (int v = 0; v < count; ++v) {
                ++verse;
                if (inTestament) keys.push_back(verse);
            }
        }
    }
    return keys;
}

uint32_t ReadU32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    return value;
}

// The index file of a testament: "ot.bzv" or the like.
std::string FindIndexFile(const fs::path& folder, const char* testament) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() == 6 && name.rfind(testament, 0) == 0 && name[2] == '.' && name.substr(4) == "zv")
            return entry.path().string();
    }
    return {};
}

}  // namespace

std::string TSwordVerseIndex::Driver() const {
    return RecordSize == kZComRecordSize ? "zCom" : RecordSize == kZCom4RecordSize ? "zCom4" : "";
}

TSwordVerseIndex ReadSwordVerseIndex(const std::string& dataFolder) {
    TSwordVerseIndex index;
    std::vector<int> rangeEnd(kStandardVerseCount, 0);
    int recordSize = 0;
    for (bool old : {true, false}) {
        const std::string file = FindIndexFile(dataFolder, old ? "ot" : "nt");
        if (file.empty()) return index;
        std::string bytes;
        try {
            bytes = ReadWholeFile(file);
        } catch (const std::exception&) {
            return index;
        }
        const std::vector<int> keys = TestamentKeys(old);
        int size = 0;
        for (int candidate : {kZComRecordSize, kZCom4RecordSize})
            if (bytes.size() == keys.size() * static_cast<size_t>(candidate)) size = candidate;
        if (size == 0 || (recordSize != 0 && size != recordSize)) return index;
        recordSize = size;

        std::string_view previous;
        int start = 0;
        for (size_t k = 0; k < keys.size(); ++k) {
            std::string_view record(bytes.data() + k * static_cast<size_t>(size), static_cast<size_t>(size));
            const uint32_t stored = size == kZComRecordSize
                                        ? static_cast<uint32_t>(static_cast<unsigned char>(record[8]) |
                                                                (static_cast<unsigned char>(record[9]) << 8))
                                        : ReadU32(bytes, k * static_cast<size_t>(size) + 8);
            const int verse = keys[k];
            // A heading or introduction ends every range: none crosses a chapter.
            if (verse == 0 || stored == 0) {
                previous = {};
                continue;
            }
            if (!previous.empty() && record == previous) {
                rangeEnd[static_cast<size_t>(start - 1)] = verse;
            } else {
                start = verse;
                rangeEnd[static_cast<size_t>(verse - 1)] = verse;
            }
            previous = record;
        }
    }
    index.RecordSize = recordSize;
    index.RangeEnd = std::move(rangeEnd);
    return index;
}

}  // namespace kvx::library
