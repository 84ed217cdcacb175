// Building a resource module: entries placed or sorted, verse links converted and
// indexed, words indexed, then the file laid out in memory in the order header,
// entry data array, information text, verse index, entry texts, titles, word list,
// word index, and written through a new file renamed into place.
#include "modules/resource_builder.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>
#include <set>
#include <unordered_map>

#include "engine/module_output.h"
#include "engine/name_list.h"
#include "engine/parse_words.h"
#include "engine/zb_zlib.h"
#include "modules/resource_format.h"
#include "platform/ansi_text.h"
#include "platform/exception.h"
#include "platform/file_util.h"
#include "refs/parse_refs.h"
#include "refs/verse_links.h"

namespace kvx {

namespace rf = resource_format;

namespace {

constexpr char kMakerAddress[] = "www.karvelindorax.org";
constexpr char kThirdPartyNotice[] =
    " THIS MODULE WAS BUILT BY A THIRD PARTY. THIS MODULE IS NOT PROVIDED BY THE PUBLISHERS OF KARVELINDORAX.";

struct Slot {
    std::string title;
    std::string text;
    bool used = false;  // a commentary slot that took an entry
};

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

bool IsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

// Seconds from 1970-01-01 00:00 to now, both read on the local clock.
long long LocalBuildTime() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const double seconds = std::chrono::duration<double>(now.time_since_epoch()).count();
    return std::llround(seconds + static_cast<double>(local.tm_gmtoff));
}

// Writes each list as u16 entry numbers and returns its (offset, count) records;
// an empty list gets (0, 0).
std::string StorePostings(TModuleOutput& out, const std::vector<const TEntryIndexArray*>& lists) {
    std::string records;
    std::string bytes;
    for (const TEntryIndexArray* list : lists) {
        uint32_t at = 0;
        if (!list->empty()) {
            bytes.clear();
            for (uint16_t e : *list) PutU16(bytes, e);
            at = out.Append(bytes);
        }
        PutU32(records, at);
        PutU16(records, static_cast<uint16_t>(list->size()));
    }
    return records;
}

void CheckAbbreviation(const std::string& abbreviation) {
    // The abbreviation names the file: it must not reach outside the folder.
    const bool bad = abbreviation.empty() || std::any_of(abbreviation.begin(), abbreviation.end(), [](char c) {
                         return c == '/' || c == '\\' || static_cast<unsigned char>(c) < ' ';
                     });
    if (bad)
        throw Exception(
            Format("The abbreviation \"%s\" cannot be used as a module file name.", abbreviation.c_str()));
}

}  // namespace

std::string ResourceModuleFileName(const std::string& folder, const std::string& abbreviation, bool isCommentary) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
    path += abbreviation.substr(0, rf::kAbbreviationMax);
    path += isCommentary ? rf::kCommentaryExtension : rf::kBookExtension;
    return path;
}

void BuildResourceModule(std::vector<std::string>* log, TBuildStatusLine* statusLine, bool isCommentary,
                         TBuildProgress* progress, const TZBBibleModule& bible, const std::string& folder,
                         uint32_t seed, bool sortTitles, const std::string& infoText, const std::string& moduleCode,
                         const std::string& abbreviation, const std::string& moduleName,
                         const TResourceEntryList& entries) {
    auto Log = [log](std::string line) {
        if (log) log->push_back(std::move(line));
    };
    const std::string shortName = moduleName.substr(0, rf::kModuleNameMax);
    const std::string shortAbbreviation = abbreviation.substr(0, rf::kAbbreviationMax);
    const std::string shortCode = moduleCode.substr(0, rf::kModuleCodeMax);
    CheckAbbreviation(shortAbbreviation);
    if (!isCommentary && entries.size() > static_cast<size_t>(rf::kMaxEntries))
        throw Exception(Format("A resource module holds at most %d entries; %zu were given.", rf::kMaxEntries,
                               entries.size()));
    const std::string path = ResourceModuleFileName(folder, shortAbbreviation, isCommentary);

    Log(Format("Building Resource Module: %s (%s)", moduleName.c_str(), abbreviation.c_str()));
    Log("Sorting entries...");

    std::vector<Slot> slots;
    if (isCommentary) {
        slots.resize(rf::kCommentaryEntryCount);
        for (const TResourceEntrySource& item : entries) {
            if (!item.Lines) continue;
            std::string text = JoinLines(*item.Lines);
            if (IsBlank(text)) continue;
            int32_t stop = 0;
            TVerseRangeList ranges;
            ParseRefs(item.Title, bible, stop, ranges);
            // A Bible numbered beyond the standard verses names no slot of a commentary.
            if (ranges.empty() || ranges[0].First < 1 || ranges[0].First > rf::kCommentaryEntryCount) {
                Log(Format("ERROR: Entry \"%s\" cannot be parsed as a verse reference. Text for this entry ignored.",
                           item.Title.c_str()));
                continue;
            }
            const int v = ranges[0].First;
            const std::string slotTitle = bible.VerseReference(v);
            if (ranges.size() > 1 || ranges[0].Last > ranges[0].First)
                Log(Format("Warning: Entry title \"%s\" refers to more than one verse. Text for this entry will be "
                           "placed on %s.",
                           item.Title.c_str(), slotTitle.c_str()));
            Slot& slot = slots[static_cast<size_t>(v - 1)];
            if (slot.used) {
                Log(Format("ERROR: Commentary text for %s already exists. Additional entry text ignored.",
                           slotTitle.c_str()));
                continue;
            }
            slot = {slotTitle, std::move(text), true};
        }
    } else {
        auto caseLess = [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; };
        std::set<std::string, decltype(caseLess)> present(caseLess);
        slots.reserve(entries.size());
        for (const TResourceEntrySource& item : entries) {
            if (!present.insert(item.Title).second)
                Log(Format("Warning: There is more than one entry with title \"%s\"", item.Title.c_str()));
            slots.push_back({item.Title, item.Lines ? JoinLines(*item.Lines) : std::string(), true});
        }
        if (sortTitles)
            std::stable_sort(slots.begin(), slots.end(),
                             [](const Slot& a, const Slot& b) { return AnsiCompareText(a.title, b.title) < 0; });
    }
    const int entryCount = static_cast<int>(slots.size());

    TVerseIndexLists verseLists(rf::kVerseRecordCount);
    if (progress) {
        progress->SetPassText("Reindexing...");
        progress->SetDetailText("");
        progress->SetRange(0, entryCount - 1);
        progress->SetPosition(0);
    }
    Log("Processing verse references and indexing words...");

    std::unordered_map<std::string, TEntryIndexArray> wordEntries;
    std::vector<std::string> words;
    TZBParsedStringLocations locations;
    auto indexWords = [&](uint16_t e) {
        for (std::string& w : words) {
            TEntryIndexArray& list = wordEntries[std::move(w)];
            if (list.empty() || list.back() != e) list.push_back(e);
        }
    };
    std::string messages;
    for (int e = 0; e < entryCount; ++e) {
        Slot& slot = slots[static_cast<size_t>(e)];
        const uint16_t entry = static_cast<uint16_t>(e);
        if (progress && slot.text.size() > 3) progress->SetPosition(e);
        if (statusLine) statusLine->SetSimpleText(slot.title);
        ParseVerseLinks(slot.text, bible, entry, messages, verseLists);
        if (!messages.empty()) Log(slot.title + ": " + messages);
        ParseWords(slot.text, ResourceWordDelimiters, words, locations, true, false);
        indexWords(entry);
        if (!isCommentary) {
            ParseWords(slot.title, ResourceWordDelimiters, words, locations, false, false);
            indexWords(entry);
        }
    }

    std::vector<std::string> wordList;
    wordList.reserve(wordEntries.size());
    for (const auto& [word, list] : wordEntries) wordList.push_back(word);
    std::sort(wordList.begin(), wordList.end());

    int referencedVerses = 0;
    size_t verseReferences = 0;
    for (const TEntryIndexArray& list : verseLists) {
        if (!list.empty()) ++referencedVerses;
        verseReferences += list.size();
    }
    Log("Indexing complete.");
    Log(Format("%zu unique (case sensitive) words indexed.", wordList.size()));
    Log(Format("%d of %d verses are referenced.", referencedVerses, rf::kVerseRecordCount));
    Log(Format("%zu verse references indexed across all entries.", verseReferences));
    if (progress) {
        progress->SetPassText("Compiling module file...");
        progress->SetDetailText("");
        progress->SetRange(0, entryCount - 1);
        progress->SetPosition(0);
    }

    TModuleOutput out(rf::kHeaderSize, "Resource module would exceed 4 GB.");
    {
        uint8_t* h = out.At(0);
        std::string banner = Format("Karvelindorax Bible Software resource module file [%s] [%lld]", kMakerAddress,
                                    LocalBuildTime());
        if (seed == kBuilderSeed || seed == kUserModuleSeed) banner += kThirdPartyNotice;
        banner.resize(std::min(banner.size(), rf::kBannerSize));
        std::memcpy(h + rf::kBanner, banner.data(), banner.size());
        SetShortString(h + rf::kModuleName, shortName);
        SetShortString(h + rf::kAbbreviation, shortAbbreviation);
        SetShortString(h + rf::kModuleCode, shortCode);
        h[rf::kIsCommentary] = isCommentary ? 1 : 0;
        h[rf::kHasVerseIndex] = verseReferences > 0 ? 1 : 0;
        SetU16(h + rf::kEntryCount, static_cast<uint16_t>(entryCount));
        SetU32(h + rf::kWordCount, static_cast<uint32_t>(wordList.size()));
        SetShortString(h + rf::kMagic, rf::kMagicText);
    }

    Log("Creating target module file: " + path);
    const uint32_t entryArrayAt = out.Append(std::string(static_cast<size_t>(entryCount) * rf::kEntryRecordSize, '\0'));
    SetU32(out.At(rf::kEntryArrayOffset), entryArrayAt);

    if (!infoText.empty()) out.StoreBlock(infoText).EncodeTo(out.At(rf::kInfoTextBlock));

    if (verseReferences > 0) {
        Log("Writing verse indexing data...");
        std::vector<const TEntryIndexArray*> lists;
        lists.reserve(verseLists.size());
        for (const TEntryIndexArray& list : verseLists) lists.push_back(&list);
        const std::string records = StorePostings(out, lists);
        // Appending may move the buffer: take the header address only afterwards.
        const uint32_t recordsAt = out.Append(records);
        SetU32(out.At(rf::kVerseRecordsOffset), recordsAt);
    }

    Log("Writing entry text...");
    std::vector<std::string> titles;
    std::vector<TBlockDescriptor> descriptors(static_cast<size_t>(entryCount));
    for (int e = 0; e < entryCount; ++e) {
        const Slot& slot = slots[static_cast<size_t>(e)];
        if (!isCommentary || slot.used) titles.push_back(slot.title);
        if (slot.text.empty()) continue;
        if (progress) progress->SetPosition(e);
        descriptors[static_cast<size_t>(e)] = out.StoreBlock(slot.text);
    }

    Log("Writing entry titles...");
    out.StoreBlock(JoinCommaText(titles)).EncodeTo(out.At(rf::kTitlesBlock));
    Log("Writing word list...");
    out.StoreBlock(JoinCommaText(wordList)).EncodeTo(out.At(rf::kWordListBlock));

    Log("Writing Word list index data...");
    std::vector<const TEntryIndexArray*> postings;
    postings.reserve(wordList.size());
    for (const std::string& word : wordList) postings.push_back(&wordEntries.find(word)->second);
    const std::string wordRecords = StorePostings(out, postings);
    const uint32_t wordRecordsAt = out.Append(wordRecords);
    SetU32(out.At(rf::kWordRecordsOffset), wordRecordsAt);

    Log("Writing Entry Data Array...");
    for (int e = 0; e < entryCount; ++e)
        descriptors[static_cast<size_t>(e)].EncodeTo(out.At(entryArrayAt + static_cast<size_t>(e) * rf::kEntryRecordSize));

    Log("Writing Header...");
    SetU32(out.At(rf::kHash), SeededAdler32(seed, out.At(0), rf::kHashed));
    WriteFileAtomically(path, out.Data());
    Log("Done with " + abbreviation);
}

}  // namespace kvx
