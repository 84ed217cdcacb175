// SWORD commentary keys to commentary entries with their verse ranges.
#include "tools/library_builder/commentary_conversion.h"

#include <map>

#include "engine/verse_types.h"
#include "engine/versification.h"
#include "tools/library_builder/osis_references.h"
#include "tools/library_builder/sword_keys.h"

namespace kvx::library {
namespace {

// The first and the last verse of each verse's chapter.
struct Chapters {
    std::vector<int> first, last;
    Chapters() : first(kStandardVerseCount + 1, 0), last(kStandardVerseCount + 1, 0) {
        int verse = 0;
        for (const auto& book : StandardVersification().Books) {
            for (int count : book.VersesPerChapter) {
                for (int v = 1; v <= count; ++v) {
                    first[static_cast<size_t>(verse + v)] = verse + 1;
                    last[static_cast<size_t>(verse + v)] = verse + count;
                }
                verse += count;
            }
        }
    }
};

const Chapters& ChapterTable() {
    static const Chapters chapters;
    return chapters;
}

}  // namespace

TOsisReferenceResult CommentaryReference(const TOsisToken& tag, const std::string& contentHtml,
                                         const std::string& sourceModule,
                                         const std::string& abbreviation, bool looseReferences,
                                         const TZBBibleModule& bible) {
    TOsisReferenceResult result;
    std::string osisRef = tag.Attribute("osisRef");
    if (osisRef.empty()) return result;
    const std::string ownPrefix = sourceModule + ":";
    if (osisRef.rfind(ownPrefix, 0) == 0) {
        // Another note of this commentary: its comment on the verse.
        TVerseRangeList target = LooseReferenceRanges(osisRef.substr(ownPrefix.size()), bible);
        const std::string module = ResourceLinkItem(abbreviation);
        if (target.empty() || module.empty()) return result;
        const std::string reference = bible.VerseReference(target[0].First);
        result.Html = "<a href=\"zbcmt:" + module + "|" + ResourceLinkItem(reference) + "\">" +
                      (contentHtml.empty() ? EscapeHtml(reference) : contentHtml) + "</a>";
        return result;
    }
    result.Verses = looseReferences ? LooseReferenceRanges(osisRef, bible) : OsisReferenceRanges(osisRef);
    return result;
}

TCommentaryConversion ConvertSwordCommentary(const std::vector<TImpEntry>& entries, const TSwordVerseIndex& index,
                                             TCommentRanges ranges, const TOsisHtmlOptions& html,
                                             const std::function<void(size_t, size_t)>& progress) {
    TCommentaryConversion result;
    std::map<int, std::vector<std::string>> comments;       // by verse number
    std::map<int, std::vector<std::string>> introductions;  // by the chapter's first verse

    const size_t step = entries.size() / 100 + 1;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (progress && i % step == 0) progress(i, entries.size());
        TSwordVerseKey key;
        if (!ParseSwordVerseKey(entries[i].Key, key)) continue;  // the module's headings: mark-up only
        TOsisHtmlWriter writer(html);
        writer.Markup(entries[i].Text);
        std::vector<std::string> lines = writer.Finish();
        result.References += writer.ReferencedRanges();
        result.UnreadReferences += writer.UnreadReferences();
        const bool introduction = key.Chapter == 0 || key.Verse == 0;
        const int verse = introduction ? StandardVerseNumber({key.Book, std::max(key.Chapter, 1), 1})
                                       : StandardVerseNumber(key);
        if (verse == 0) {
            if (!lines.empty()) ++result.KeysOutside;
            continue;
        }
        if (lines.empty()) continue;
        auto& into = introduction ? introductions[verse] : comments[verse];
        into.insert(into.end(), lines.begin(), lines.end());
    }
    for (auto& [verse, lines] : introductions) {
        auto& comment = comments[verse];
        comment.insert(comment.begin(), lines.begin(), lines.end());
        ++result.Introductions;
    }

    const Chapters& chapters = ChapterTable();
    for (auto it = comments.begin(); it != comments.end(); ++it) {
        const int verse = it->first;
        const int chapterFirst = chapters.first[static_cast<size_t>(verse)];
        const int chapterLast = chapters.last[static_cast<size_t>(verse)];
        auto next = std::next(it);
        const bool nextInChapter = next != comments.end() && next->first <= chapterLast;
        const int untilNext = nextInChapter ? next->first - 1 : chapterLast;
        int last = verse;
        const int indexed = index.Found() ? index.RangeEnd[static_cast<size_t>(verse - 1)] : 0;
        if (indexed >= verse) last = indexed;
        else if (ranges == TCommentRanges::ChapterComments) last = untilNext;
        if (ranges == TCommentRanges::ChapterComments && last == verse && verse == chapterFirst && !nextInChapter)
            last = chapterLast;
        last = std::min(last, untilNext);

        TCommentaryEntry entry;
        entry.First = verse;
        entry.Last = last;
        if (html.Bible)
            entry.Lines.push_back("<p><b><scripref>" + EscapeHtml(html.Bible->FormatVerseRanges({{verse, last}})) +
                                  "</scripref></b></p>");
        entry.Lines.insert(entry.Lines.end(), it->second.begin(), it->second.end());
        result.Entries.push_back(std::move(entry));
    }
    if (progress) progress(entries.size(), entries.size());
    return result;
}

}  // namespace kvx::library
