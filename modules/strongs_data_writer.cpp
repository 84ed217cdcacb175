// Laying out "stgdat.zb4": records, magic, then the strings. Identical strings are
// stored once.
#include "modules/strongs_data_writer.h"

#include <unordered_map>

#include "engine/module_output.h"
#include "modules/strongs_format.h"
#include "platform/exception.h"
#include "platform/file_util.h"

namespace kvx {

namespace sf = strongs_format;

std::string BuildStrongsData(const std::vector<TStrongsEntry>& hebrew, const std::vector<TStrongsEntry>& greek) {
    if (hebrew.size() > static_cast<size_t>(sf::kHebrewCount) || greek.size() > static_cast<size_t>(sf::kGreekCount))
        throw Exception("Strong's data holds at most 8674 Hebrew and 5624 Greek numbers.");
    std::string out(sf::kTableSize, '\0');
    out[sf::kMagicOffset] = 8;
    out.replace(sf::kMagicOffset + 1, 8, sf::kMagicText);

    std::unordered_map<std::string, uint32_t> stored;
    auto store = [&](const std::string& s) -> uint32_t {
        if (s.find('\0') != std::string::npos) throw Exception("Strong's data strings cannot hold NUL bytes.");
        auto it = stored.find(s);
        if (it != stored.end()) return it->second;
        uint32_t at = static_cast<uint32_t>(out.size());
        out.append(s);
        out += '\0';
        stored.emplace(s, at);
        return at;
    };
    auto put = [&](size_t record, const TStrongsEntry& e) {
        const uint32_t word = store(e.Word), transliteration = store(e.Transliteration);
        uint8_t* fields = reinterpret_cast<uint8_t*>(out.data()) + record * sf::kRecordSize;
        SetU32(fields, word);
        SetU32(fields + 4, transliteration);
    };
    const TStrongsEntry empty;
    for (size_t n = 0; n < static_cast<size_t>(sf::kHebrewCount); ++n) put(n, n < hebrew.size() ? hebrew[n] : empty);
    for (size_t n = 0; n < static_cast<size_t>(sf::kGreekCount); ++n)
        put(static_cast<size_t>(sf::kHebrewCount) + n, n < greek.size() ? greek[n] : empty);
    return out;
}

void WriteStrongsData(const std::string& fileName, const std::vector<TStrongsEntry>& hebrew,
                      const std::vector<TStrongsEntry>& greek) {
    WriteFileAtomically(fileName, BuildStrongsData(hebrew, greek));
}

}  // namespace kvx
