// The word splitter and the Strong's-number word test.
#include "engine/parse_words.h"

#include "platform/ansi_text.h"

namespace kvx {

static_assert(BibleWordDelimiters.Size() == 49);
static_assert(ResourceWordDelimiters.Size() == 65);

void ParseWords(std::string_view text, const TCharSet& delimiters, std::vector<std::string>& words,
                TZBParsedStringLocations& locations, bool htmlAware, bool skipStrongs) {
    words.clear();
    locations.clear();
    if (text.empty()) return;

    // 0-based [begin, end) internally; locations are reported 1-based.
    size_t begin = 0;
    size_t end = text.size();
    if (htmlAware) {
        size_t body = AnsiFindText("<body>", text);
        if (body != std::string_view::npos) {
            begin = body + 6;
            size_t close = AnsiFindText("</body>", text.substr(begin));
            end = close == std::string_view::npos ? text.size() : begin + close;
        }
    }

    size_t pos = begin;
    auto skipDelimiters = [&] {
        while (pos < end && delimiters.Contains(text[pos])) {
            if (htmlAware && text[pos] == '<') break;
            ++pos;
        }
    };

    skipDelimiters();
    while (pos < end) {
        if (htmlAware && text[pos] == '<') {
            size_t close = text.find('>', pos);
            pos = close == std::string_view::npos || close >= end ? end : close;
            if (pos >= end) break;
        }
        const size_t start = pos;
        unsigned char c = static_cast<unsigned char>(text[pos]);
        if (c == kHebrewStrongsMarker || c == kGreekStrongsMarker) ++pos;
        while (pos < end) {
            c = static_cast<unsigned char>(text[pos]);
            if (delimiters.Contains(c) || c == kHebrewStrongsMarker || c == kGreekStrongsMarker ||
                (htmlAware && c == '<'))
                break;
            ++pos;
        }
        if (pos > start) {
            std::string_view word = text.substr(start, pos - start);
            if (!skipStrongs || !IsStrongsToken(word)) {
                words.emplace_back(word);
                locations.push_back(static_cast<int32_t>(start + 1));
            }
        }
        skipDelimiters();
    }
}

bool IsStrongsToken(std::string_view word) {
    if (word.size() < 2) return false;
    unsigned char first = static_cast<unsigned char>(word[0]);
    if (!(first == kHebrewStrongsMarker || first == kGreekStrongsMarker || first == 'G' || first == 'H' ||
          first == 'g' || first == 'h'))
        return false;
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    auto isHex = [&](char c) { return isDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); };
    if (word[1] == '$') {
        // "every character from the third on" of an empty tail holds vacuously.
        for (size_t i = 2; i < word.size(); ++i)
            if (!isHex(word[i])) return false;
        return true;
    }
    for (size_t i = 1; i < word.size(); ++i)
        if (!isDigit(word[i])) return false;
    return true;
}

}  // namespace kvx
