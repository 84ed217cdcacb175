// Verse links: making stored links from ranges, converting and indexing the links of
// an entry when a module is built, and turning stored links back into authored ones.
#include "refs/verse_links.h"

#include <cstdlib>
#include <string_view>

#include "platform/ansi_text.h"
#include "platform/exception.h"
#include "refs/parse_refs.h"

namespace kvx {
namespace {

constexpr std::string_view kLinkOpen = "<vrl:";
constexpr std::string_view kLinkClose = "</vrl>";
constexpr std::string_view kScriprefOpen = "<scripref>";
constexpr std::string_view kScriprefClose = "</scripref>";
// A reader takes at most this many digits of a range's count.
constexpr size_t kCountDigits = 4;

// Where a tag occurs in text from `from` on, without regard to case; npos when it does not.
size_t FindTag(const std::string& text, std::string_view tag, size_t from) {
    if (from > text.size()) return std::string::npos;
    const size_t at = AnsiFindText(tag, std::string_view(text).substr(from));
    return at == std::string_view::npos ? std::string::npos : from + at;
}


// A hexadecimal number of an item list; values beyond 32 bits saturate, which names
// no verse all the same.
uint32_t ReadHexItem(std::string_view digits, std::string_view item) {
    if (digits.empty()) throw Exception(Format("'%.*s' is not a valid integer value", int(item.size()), item.data()));
    uint64_t value = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            throw Exception(Format("'%.*s' is not a valid integer value", int(item.size()), item.data()));
        value = std::min<uint64_t>(value * 16 + static_cast<uint64_t>(d), UINT32_MAX);
    }
    return static_cast<uint32_t>(value);
}

// Adds the entry to the lists of the verses first to last, when they name verses.
void AddToIndex(TVerseIndexLists& index, int64_t first, int64_t last, uint16_t entry) {
    if (first < 1 || last < first || last > static_cast<int64_t>(index.size())) return;
    for (int64_t v = first; v <= last; ++v) {
        TEntryIndexArray& list = index[static_cast<size_t>(v - 1)];
        if (list.empty() || list.back() != entry) list.push_back(entry);
    }
}

void IndexLinkItems(std::string_view items, uint16_t entry, TVerseIndexLists& index) {
    if (items.empty()) return;
    size_t start = 0;
    while (start <= items.size()) {
        size_t comma = items.find(',', start);
        std::string_view item = items.substr(start, comma == std::string_view::npos ? std::string_view::npos
                                                                                     : comma - start);
        if (comma != std::string_view::npos && comma + 1 == items.size()) comma = std::string_view::npos;
        int64_t first, last;
        size_t plus = item.find('+');
        if (plus == std::string_view::npos) {
            first = last = ReadHexItem(item, item);
        } else {
            first = ReadHexItem(item.substr(0, plus), item);
            const int64_t count = ReadHexItem(item.substr(plus + 1, kCountDigits), item);
            last = first + count > kStandardVerseCount ? first : first + count;
        }
        if (last - first > kMaxIndexedRangeSpan) last = first;
        AddToIndex(index, first, last, entry);
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
}

}  // namespace

std::string VerseLinkItems(const TVerseRangeList& ranges) {
    std::string items;
    for (const TVerseRange& r : ranges) {
        if (r.First < 1) continue;
        if (!items.empty()) items += ',';
        items += Format("%X", static_cast<unsigned>(r.First));
        if (r.First < r.Last) items += Format("+%X", static_cast<unsigned>(r.Last - r.First));
    }
    return items;
}

std::string MakeVerseLink(const TVerseRangeList& ranges, const TZBBibleModule& bible) {
    return Format("<vrl:%s>%s</vrl>", VerseLinkItems(ranges).c_str(), bible.FormatVerseRanges(ranges).c_str());
}

void ParseVerseLinks(std::string& text, const TZBBibleModule& bible, uint16_t entry, std::string& messages,
                     TVerseIndexLists& index) {
    messages.clear();
    if (text.empty()) return;
    if (index.size() < static_cast<size_t>(kStandardVerseCount)) index.resize(kStandardVerseCount);

    // The stored links first, so that the links made below are indexed once.
    for (size_t open = text.find(kLinkOpen); open != std::string::npos;) {
        const size_t close = text.find('>', open);
        if (close == std::string::npos) break;
        IndexLinkItems(std::string_view(text).substr(open + kLinkOpen.size(), close - open - kLinkOpen.size()), entry,
                       index);
        open = text.find(kLinkOpen, close);
    }

    for (size_t open = FindTag(text, kScriprefOpen, 0); open != std::string::npos;) {
        const size_t close = FindTag(text, kScriprefClose, open);
        if (close == std::string::npos) {
            messages += "Unbalanced <scripref> </scripref> tags. Verse link parsing aborted for this entry. ";
            break;
        }
        const size_t refStart = open + kScriprefOpen.size();
        std::string reference(TrimBlanks(std::string_view(text).substr(refStart, close - refStart)));
        reference = ReplaceAll(ReplaceAll(ReplaceAll(reference, "\r\n", " "), "\n", " "), ": ", ":");

        int32_t stop = 0;
        TVerseRangeList ranges;
        ParseRefs(reference, bible, stop, ranges);
        size_t searchFrom = open;
        if (ranges.empty()) {
            messages += "\"" + reference + "\" is not a valid verse reference string. ";
            text.erase(close, kScriprefClose.size());
            text.erase(open, kScriprefOpen.size());
        } else {
            if (std::llabs(static_cast<long long>(reference.size()) - stop) > 1)
                messages += "\"" + reference + "\" may be ambiguous or contain invalid/spurious items. ";
            for (const TVerseRange& r : ranges) {
                if (r.Last - r.First > kMaxIndexedRangeSpan) {
                    messages += "\"" + reference + "\" contains a reference spanning over " +
                                std::to_string(kMaxIndexedRangeSpan) + " verses. ";
                    AddToIndex(index, r.First, r.First, entry);
                } else {
                    AddToIndex(index, r.First, r.Last, entry);
                }
            }
            const std::string link = MakeVerseLink(ranges, bible);
            text.replace(open, close + kScriprefClose.size() - open, link);
            // Past the link: its display text is the Bible's, not the author's, and is
            // never read as a reference again.
            searchFrom = open + link.size();
        }
        open = FindTag(text, kScriprefOpen, searchFrom);
    }
    messages = std::string(TrimBlanks(messages));
}

std::string VerseLinksToScriprefs(const std::string& text) {
    std::string opened;
    opened.reserve(text.size());
    size_t at = 0;
    for (size_t open = text.find(kLinkOpen); open != std::string::npos; open = text.find(kLinkOpen, at)) {
        const size_t close = text.find('>', open);
        if (close == std::string::npos) break;
        opened.append(text, at, open - at);
        opened.append(kScriprefOpen);
        at = close + 1;
    }
    opened.append(text, at, std::string::npos);

    std::string out;
    out.reserve(opened.size());
    at = 0;
    for (size_t close = FindTag(opened, kLinkClose, 0); close != std::string::npos;
         close = FindTag(opened, kLinkClose, at)) {
        out.append(opened, at, close - at);
        out.append(kScriprefClose);
        at = close + kLinkClose.size();
    }
    out.append(opened, at, std::string::npos);
    return out;
}

}  // namespace kvx
