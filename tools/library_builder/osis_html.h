// The OSIS and TEI mark-up of the SWORD commentaries and dictionaries as the simple
// HTML of module entries: paragraphs, headings, bold and italic, tables and lists,
// one block a line, in Windows-1252 with Greek and Hebrew as numeric character
// references. References to verses become "<scripref>" references for the module
// builder; what other references become is the caller's choice.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/bible_module.h"
#include "engine/verse_types.h"
#include "tools/library_builder/osis_scanner.h"

namespace kvx::library {

// What a <reference> or <ref> element becomes.
struct TOsisReferenceResult {
    TVerseRangeList Verses;  // a "<scripref>" reference to these verses, when there are any
    std::string Html;        // otherwise this (UTF-8 HTML); when empty, the element's own text
};

struct TOsisHtmlOptions {
    // Writes the references, and reads each back as the builder will.
    const TZBBibleModule* Bible = nullptr;
    // Given the start tag and the element's content as HTML; without it every
    // reference stays as its text.
    std::function<TOsisReferenceResult(const TOsisToken& tag, const std::string& contentHtml)> Reference;
    // <lb/> ends a paragraph rather than breaking a line.
    bool LineBreakEndsParagraph = false;
};

class TOsisHtmlWriter {
public:
    explicit TOsisHtmlWriter(TOsisHtmlOptions options) : options_(std::move(options)) {}

    // Writes a fragment of mark-up; elements may open in one fragment and close in another.
    void Markup(std::string_view osis);
    void Token(const TOsisToken& token);
    // HTML (UTF-8) written as it stands, inline.
    void Html(std::string_view html);
    // Text (UTF-8), escaped.
    void Text(std::string_view text);
    // Ends the block being written.
    void Break();

    // The blocks written, each a line of Windows-1252 HTML; the writer starts afresh.
    std::vector<std::string> Finish();

    // Verse ranges written as references, and references left as text because they
    // named no verse.
    int ReferencedRanges() const { return referencedRanges_; }
    int UnreadReferences() const { return unreadReferences_; }

private:
    enum class Block { None, Paragraph, Heading, Table, ClosedTable, List };
    struct Inline {
        std::string name;
        std::string open;
        std::string close;
    };

    void StartBlock(Block kind, const std::string& open, const std::string& close);
    void EnsureParagraph();
    void Append(std::string_view html);
    void OpenInline(const TOsisToken& token, std::string open, std::string close);
    void CloseInline(std::string_view name);
    void ParagraphBreak();
    void LineBreak();
    void EndReference(const TOsisToken& start);
    void WriteReference(TVerseRangeList ranges);
    bool Readable(const TVerseRangeList& ranges, std::string& text) const;

    TOsisHtmlOptions options_;
    std::vector<std::string> blocks_;
    std::string block_;
    std::string blockClose_;
    Block kind_ = Block::None;
    int listDepth_ = 0;
    std::string cellClose_ = "</td>";
    bool contentEmpty_ = true;  // nothing visible since the block, cell, item or line began
    bool blockHasContent_ = false;
    bool pendingSpace_ = false;
    std::vector<Inline> inline_;

    // The reference being read: its start tag and its content.
    bool inReference_ = false;
    std::string referenceTag_;
    std::string referenceHtml_;

    // The last reference written, which a directly following one joins.
    size_t blockSerial_ = 0;
    size_t lastReferenceBlock_ = SIZE_MAX;
    size_t lastReferenceStart_ = 0;
    size_t lastReferenceEnd_ = 0;
    TVerseRangeList lastReferenceRanges_;

    int referencedRanges_ = 0;
    int unreadReferences_ = 0;
};

// &, < and > as entities.
std::string EscapeHtml(std::string_view text);

// Runs of blanks and control characters as one blank, none at either end.
std::string CollapseSpaces(std::string_view text);

// The item of one of the program's resource links ("zbbook:MODULE|ITEM",
// "zbcmt:MODULE|ITEM") as it stands in an href: blanks and apostrophes escaped as
// the link's reader expects, "&" as an entity. Empty when the text cannot be an
// item: "#" would start an anchor and a quote or bracket would end the attribute.
std::string ResourceLinkItem(std::string_view text);

}  // namespace kvx::library
