// Reading "stgdat.zb4".
#include "modules/strongs_data.h"

#include <cstring>

#include "engine/bible_module.h"
#include "modules/strongs_format.h"

namespace kvx {

namespace sf = strongs_format;

TZBStrongsDataModule::TZBStrongsDataModule(const std::string& fileName) : fileName_(fileName) {
    try {
        file_ = std::make_unique<TMappedFile>(fileName);
    } catch (const EMappedFileError& e) {
        // The step that failed and the system's own words for why.
        throw ESCreateError((e.OpenFailed ? " File open failed on " : " File mapping failed on ") + fileName + "\n" +
                            std::strerror(e.Code));
    }
    std::string found;
    if (file_->Size() >= sf::kTableSize) {
        const uint8_t* base = file_->Memory();
        table_.assign(base, base + sf::kTableSize);
        found = ReadShortString(table_.data() + sf::kMagicOffset, 8);
        if (table_[sf::kMagicOffset] == 8 && found == sf::kMagicText) return;
    }
    throw ESCreateError(("File header invalid: " + found).substr(0, 29));
}

TZBStrongsDataModule::~TZBStrongsDataModule() = default;

std::string TZBStrongsDataModule::Field(size_t record, size_t field) const {
    uint32_t offset = ReadU32(table_.data() + record * sf::kRecordSize + field * 4);
    if (offset >= file_->Size()) return {};
    const char* start = reinterpret_cast<const char*>(file_->Memory() + offset);
    const size_t room = file_->Size() - offset;
    const void* nul = std::memchr(start, 0, room);
    return std::string(start, nul ? static_cast<const char*>(nul) - start : room);
}

std::string TZBStrongsDataModule::HebrewWord(int n) const {
    return n >= 1 && n <= sf::kHebrewCount ? Field(static_cast<size_t>(n - 1), 0) : std::string();
}

std::string TZBStrongsDataModule::HebrewTransliteration(int n) const {
    return n >= 1 && n <= sf::kHebrewCount ? Field(static_cast<size_t>(n - 1), 1) : std::string();
}

std::string TZBStrongsDataModule::GreekWord(int n) const {
    return n >= 1 && n <= sf::kGreekCount ? Field(static_cast<size_t>(sf::kHebrewCount - 1 + n), 0) : std::string();
}

std::string TZBStrongsDataModule::GreekTransliteration(int n) const {
    return n >= 1 && n <= sf::kGreekCount ? Field(static_cast<size_t>(sf::kHebrewCount - 1 + n), 1) : std::string();
}

}  // namespace kvx
