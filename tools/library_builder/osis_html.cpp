// The OSIS-to-HTML writer. Blocks are written whole: a paragraph or heading ends at
// the next block, a table at the first visible text after it (so that the outline
// tables the commentaries write one row at a time become one table), and inline
// styles still open at a block's end close there and open again in the next.
#include "tools/library_builder/osis_html.h"

#include <cstdint>
#include <cstdlib>

#include "platform/ansi_text.h"
#include "refs/parse_refs.h"

namespace kvx::library {
namespace {

bool IsSpace(unsigned char c) { return c <= ' ' || c == 0x7F; }

// The verses of a range list, one by one; empty when there are implausibly many.
std::vector<int> Verses(const TVerseRangeList& ranges) {
    constexpr size_t kMaxVerses = 40000;
    std::vector<int> verses;
    for (const TVerseRange& r : ranges) {
        if (r.Last < r.First || verses.size() + static_cast<size_t>(r.Last - r.First) > kMaxVerses) return {};
        for (int v = r.First; v <= r.Last; ++v) verses.push_back(v);
    }
    return verses;
}

// A reference's own text stands for the reference when it is one: a reference the
// parser reads to its end, or numbers that continue the one before ("51", "17:26-29,32").
bool ReadsAsReference(const std::string& html, const TZBBibleModule& bible) {
    std::string text = html;
    while (!text.empty() && (text.back() == ',' || text.back() == ';' || text.back() == '.')) text.pop_back();
    if (text.empty()) return true;
    if (text.find_first_not_of("0123456789:,;.- ") == std::string::npos) return true;
    if (text.find('&') != std::string::npos || text.find('<') != std::string::npos) return false;
    TVerseRangeList ranges;
    int32_t stop = 0;
    ParseRefs(text, bible, stop, ranges);
    return !ranges.empty() && std::abs(static_cast<int>(text.size()) - stop) <= 1;
}

}  // namespace

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else out += c;
    }
    return out;
}

std::string CollapseSpaces(std::string_view html) {
    std::string out;
    bool space = false;
    for (char c : html) {
        if (IsSpace(static_cast<unsigned char>(c))) {
            space = !out.empty();
            continue;
        }
        if (space) out += ' ';
        space = false;
        out += c;
    }
    return out;
}

std::string ResourceLinkItem(std::string_view title) {
    std::string out;
    for (char c : title) {
        if (c == '#' || c == '"' || c == '<' || c == '>') return {};
        if (c == ' ') out += "%20";
        else if (c == '\'') out += "%27";
        else if (c == '&') out += "&amp;";
        else out += c;
    }
    return out;
}

void TOsisHtmlWriter::Markup(std::string_view osis) {
    TOsisScanner scanner(osis);
    TOsisToken token;
    while (scanner.Next(token)) Token(token);
}

void TOsisHtmlWriter::Token(const TOsisToken& t) {
    using Kind = TOsisToken::Kind;
    if (t.kind == Kind::Text) {
        if (inReference_) referenceHtml_ += EscapeHtml(t.text);
        else Text(t.text);
        return;
    }
    const std::string_view name = t.name;
    const bool opens = t.Opens();
    const bool closes = t.Closes();

    if (name == "reference" || name == "ref") {
        if (t.kind == Kind::Start && !inReference_) {
            inReference_ = true;
            referenceTag_ = "<" + std::string(name) + std::string(t.attributes) + ">";
            referenceHtml_.clear();
        } else if (t.kind == Kind::End && inReference_) {
            inReference_ = false;
            TOsisScanner again(referenceTag_);
            TOsisToken start;
            again.Next(start);
            EndReference(start);
        } else if (t.kind == Kind::Empty && !inReference_) {
            referenceHtml_.clear();
            EndReference(t);
        }
        return;
    }
    // A reference's text is taken as it stands.
    if (inReference_) return;

    if (name == "hi" || name == "foreign" || name == "w") {
        if (t.kind == Kind::End) {
            CloseInline(name);
            return;
        }
        if (t.kind != Kind::Start) return;
        std::string open, close;
        if (name == "foreign") {
            open = "<i>", close = "</i>";
        } else if (name == "w") {
            // A word tagged with one Strong's number links to its lexicon article.
            const std::string lemma = t.Attribute("lemma");
            const char language = lemma.size() > 7 && lemma.rfind("strong:", 0) == 0 ? lemma[7] : 0;
            const std::string digits = lemma.size() > 8 ? lemma.substr(8) : std::string();
            const bool number = !digits.empty() && digits.size() <= 5 &&
                                digits.find_first_not_of("0123456789") == std::string::npos &&
                                std::atoi(digits.c_str()) > 0;
            if (number && (language == 'G' || language == 'H')) {
                open = "<a href=\"" + std::string(1, static_cast<char>(language - 'A' + 'a')) + ":" +
                       std::to_string(std::atoi(digits.c_str())) + "\">";
                close = "</a>";
            }
        } else {
            std::string style = t.Attribute("type");
            if (style.empty()) style = t.Attribute("rend");
            if (style == "bold") open = "<b>", close = "</b>";
            else if (style == "italic" || style == "emphasis") open = "<i>", close = "</i>";
            else if (style == "super") open = "<sup>", close = "</sup>";
            else if (style == "sub") open = "<sub>", close = "</sub>";
            else if (style == "underline") open = "<u>", close = "</u>";
        }
        OpenInline(t, open, close);
        return;
    }
    if (name == "title" || name == "head") {
        // Inside a table or list a title is only bold.
        const bool inside = kind_ == Block::Table || kind_ == Block::List;
        if (t.kind == Kind::Start) {
            if (inside) {
                OpenInline(t, "<b>", "</b>");
            } else {
                const std::string type = t.Attribute("type");
                const bool major = type == "main" || type == "x-ms";
                StartBlock(Block::Heading, major ? "<h3>" : "<h4>", major ? "</h3>" : "</h4>");
            }
        } else if (t.kind == Kind::End) {
            if (!inline_.empty() && inline_.back().name == name) CloseInline(name);
            else if (kind_ == Block::Heading) Break();
        }
        return;
    }
    if (name == "table") {
        if (t.kind == Kind::Start) {
            if (kind_ == Block::ClosedTable) {
                block_.resize(block_.size() - std::char_traits<char>::length("</table>"));
                kind_ = Block::Table;
                blockClose_ = "</table>";
            } else {
                StartBlock(Block::Table, "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">", "</table>");
            }
        } else if (t.kind == Kind::End && kind_ == Block::Table) {
            Append("</table>");
            blockClose_.clear();
            kind_ = Block::ClosedTable;
        }
        return;
    }
    if (name == "row" || name == "cell") {
        if (t.kind == Kind::End) {
            if (kind_ == Block::Table) Append(name == "row" ? "</tr>" : cellClose_);
            return;
        }
        if (kind_ != Block::Table) StartBlock(Block::Table, "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">", "</table>");
        if (name == "row") {
            Append("<tr>");
        } else if (t.kind == Kind::Empty) {
            Append("<td></td>");
        } else {
            const bool label = t.Attribute("role") == "label";
            Append(label ? "<th>" : "<td>");
            cellClose_ = label ? "</th>" : "</td>";
            contentEmpty_ = true;
            pendingSpace_ = false;
        }
        return;
    }
    if (name == "list" || name == "item") {
        if (t.kind == Kind::End) {
            if (kind_ != Block::List) return;
            if (name == "item") {
                Append("</li>");
            } else if (--listDepth_ <= 0) {
                Break();
            } else {
                Append("</ul>");
            }
            return;
        }
        if (t.kind != Kind::Start) return;
        if (kind_ != Block::List) {
            StartBlock(Block::List, "<ul>", "</ul>");
            listDepth_ = 1;
            if (name == "list") return;
        } else if (name == "list") {
            Append("<ul>");
            ++listDepth_;
            return;
        }
        Append("<li>");
        contentEmpty_ = true;
        pendingSpace_ = false;
        return;
    }
    if (name == "lb") {
        if (options_.LineBreakEndsParagraph) ParagraphBreak();
        else LineBreak();
        return;
    }
    if (name == "l") {
        if (closes) LineBreak();
        return;
    }
    if (name == "lg" || name == "p") {
        ParagraphBreak();
        return;
    }
    if (name == "div") {
        // Verse milestones inside a division carry no structure.
        if (t.Attribute("type") != "x-milestone" && (opens || closes)) ParagraphBreak();
        return;
    }
    // Everything else (entries, definitions, chapters, milestones, notes) carries no
    // mark-up of its own: its text is written where it stands.
}

void TOsisHtmlWriter::Text(std::string_view text) {
    for (char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (IsSpace(c)) {
            if (!contentEmpty_) pendingSpace_ = true;
            continue;
        }
        EnsureParagraph();
        if (pendingSpace_) block_ += ' ';
        pendingSpace_ = false;
        contentEmpty_ = false;
        blockHasContent_ = true;
        if (c == '&') block_ += "&amp;";
        else if (c == '<') block_ += "&lt;";
        else if (c == '>') block_ += "&gt;";
        else block_ += ch;
    }
}

void TOsisHtmlWriter::Html(std::string_view html) {
    if (html.empty()) return;
    EnsureParagraph();
    if (pendingSpace_) block_ += ' ';
    pendingSpace_ = false;
    contentEmpty_ = false;
    blockHasContent_ = true;
    block_ += html;
}

void TOsisHtmlWriter::Break() {
    if (kind_ == Block::None) return;
    const bool empty = (kind_ == Block::Paragraph || kind_ == Block::Heading) && !blockHasContent_;
    // A line break that ends the block breaks nothing.
    constexpr std::string_view kLineBreak = "<br>";
    if (block_.size() >= kLineBreak.size() && block_.compare(block_.size() - kLineBreak.size(), kLineBreak.size(), kLineBreak) == 0)
        block_.resize(block_.size() - kLineBreak.size());
    if (kind_ != Block::ClosedTable)
        for (auto it = inline_.rbegin(); it != inline_.rend(); ++it) block_ += it->close;
    block_ += blockClose_;
    if (!empty) blocks_.push_back(std::move(block_));
    block_.clear();
    blockClose_.clear();
    kind_ = Block::None;
    listDepth_ = 0;
    contentEmpty_ = true;
    pendingSpace_ = false;
    ++blockSerial_;
}

std::vector<std::string> TOsisHtmlWriter::Finish() {
    Break();
    inline_.clear();
    inReference_ = false;
    std::vector<std::string> lines;
    lines.reserve(blocks_.size());
    for (const std::string& block : blocks_) lines.push_back(Utf8ToAnsi(block, true));
    blocks_.clear();
    lastReferenceBlock_ = SIZE_MAX;
    return lines;
}

void TOsisHtmlWriter::StartBlock(Block kind, const std::string& open, const std::string& close) {
    Break();
    kind_ = kind;
    blockHasContent_ = false;
    block_ = open;
    blockClose_ = close;
    // Styles go on into paragraphs and headings; a table or list starts plain.
    if (kind == Block::Paragraph || kind == Block::Heading)
        for (const Inline& style : inline_) block_ += style.open;
    else
        inline_.clear();
}

void TOsisHtmlWriter::EnsureParagraph() {
    if (kind_ == Block::None || kind_ == Block::ClosedTable) StartBlock(Block::Paragraph, "<p>", "</p>");
}

void TOsisHtmlWriter::Append(std::string_view html) { block_ += html; }

void TOsisHtmlWriter::OpenInline(const TOsisToken& token, std::string open, std::string close) {
    if (pendingSpace_ && !contentEmpty_ && kind_ != Block::None && kind_ != Block::ClosedTable) {
        block_ += ' ';
        pendingSpace_ = false;
    }
    if (kind_ != Block::None && kind_ != Block::ClosedTable) block_ += open;
    inline_.push_back({std::string(token.name), std::move(open), std::move(close)});
}

void TOsisHtmlWriter::CloseInline(std::string_view name) {
    size_t at = inline_.size();
    while (at > 0 && inline_[at - 1].name != name) --at;
    if (at == 0) return;
    const bool written = kind_ != Block::None && kind_ != Block::ClosedTable;
    // Styles opened inside the closing one close with it and open again after it.
    if (written)
        for (size_t i = inline_.size(); i >= at; --i) block_ += inline_[i - 1].close;
    inline_.erase(inline_.begin() + static_cast<std::ptrdiff_t>(at - 1));
    if (written)
        for (size_t i = at - 1; i < inline_.size(); ++i) block_ += inline_[i].open;
}

void TOsisHtmlWriter::ParagraphBreak() {
    if (kind_ == Block::Paragraph || kind_ == Block::Heading) Break();
    else if (kind_ == Block::Table || kind_ == Block::List) LineBreak();
}

void TOsisHtmlWriter::LineBreak() {
    if (kind_ == Block::None || kind_ == Block::ClosedTable || contentEmpty_) return;
    block_ += "<br>";
    contentEmpty_ = true;
    pendingSpace_ = false;
}

void TOsisHtmlWriter::EndReference(const TOsisToken& start) {
    const std::string display = CollapseSpaces(referenceHtml_);
    referenceHtml_.clear();
    TOsisReferenceResult result;
    if (options_.Reference) result = options_.Reference(start, display);
    if (!result.Verses.empty() && options_.Bible) {
        // Words around the reference ("Read first chapter of Genesis") stay, with
        // the reference after them.
        if (ReadsAsReference(display, *options_.Bible)) {
            WriteReference(std::move(result.Verses));
        } else {
            Html(display + " (");
            WriteReference(std::move(result.Verses));
            Html(")");
        }
        return;
    }
    if (!result.Html.empty()) {
        Html(result.Html);
        return;
    }
    if (start.HasAttribute("osisRef")) ++unreadReferences_;
    Html(display);
}

bool TOsisHtmlWriter::Readable(const TVerseRangeList& ranges, std::string& text) const {
    text = options_.Bible->FormatVerseRanges(ranges);
    if (text.empty()) return false;
    TVerseRangeList parsed;
    int32_t stop = 0;
    ParseRefs(text, *options_.Bible, stop, parsed);
    const std::vector<int> wanted = Verses(ranges);
    return !wanted.empty() && Verses(parsed) == wanted;
}

void TOsisHtmlWriter::WriteReference(TVerseRangeList ranges) {
    const int count = static_cast<int>(ranges.size());
    std::string text;
    // A reference right after another, with only separators between, joins it.
    if (lastReferenceBlock_ == blockSerial_ && block_.size() >= lastReferenceEnd_ &&
        (kind_ == Block::Paragraph || kind_ == Block::Heading || kind_ == Block::Table || kind_ == Block::List) &&
        block_.find_first_not_of(" ,;", lastReferenceEnd_) == std::string::npos) {
        TVerseRangeList joined = lastReferenceRanges_;
        joined.insert(joined.end(), ranges.begin(), ranges.end());
        if (Readable(joined, text)) {
            block_.resize(lastReferenceStart_);
            ranges = std::move(joined);
        } else {
            text.clear();
        }
    }
    if (text.empty()) {
        if (!Readable(ranges, text)) {
            // Written one range at a time, each reads back alone.
            if (ranges.size() > 1) {
                for (const TVerseRange& r : ranges) WriteReference({r});
            } else {
                ++unreadReferences_;
            }
            return;
        }
        EnsureParagraph();
        if (pendingSpace_ && !contentEmpty_) block_ += ' ';
    }
    pendingSpace_ = false;
    lastReferenceBlock_ = blockSerial_;
    lastReferenceStart_ = block_.size();
    block_ += "<scripref>" + EscapeHtml(text) + "</scripref>";
    lastReferenceEnd_ = block_.size();
    lastReferenceRanges_ = std::move(ranges);
    referencedRanges_ += count;
    contentEmpty_ = false;
    blockHasContent_ = true;
}

}  // namespace kvx::library
