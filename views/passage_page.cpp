// Building the page of a list of verses: verse text through small print, hits,
// Strong's links, footnotes and supplied words, then the layout of the display mode
// (columns, paragraphs, comparison, plain lines) with the margin links.
#include "views/passage_page.h"

#include <algorithm>
#include <cstdlib>
#include <set>

#include "engine/parse_words.h"
#include "platform/ansi_text.h"
#include "platform/exception.h"
#include "render/export_procs.h"

namespace kvx {

namespace {

constexpr const char* kLinkIndent = "&nbsp;&nbsp;&nbsp;";
constexpr const char* kSearchKeyAnchor = "<a name=\"skey%d\">";

std::string Hex(TColor color) { return "#" + ColorToHtml(color); }

// A colour part of the way from one colour to another, for the quieter shades of
// verse labels and numbers that must follow any text and background colours.
TColor Mix(TColor from, TColor to, double share) {
    auto channel = [&](int shift) {
        const int a = from >> shift & 0xFF, b = to >> shift & 0xFF;
        return static_cast<int>(a + (b - a) * share + 0.5) & 0xFF;
    };
    return RgbColor(channel(0), channel(8), channel(16));
}


bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The divine name as printed Bibles set it: "LORD" and "GOD" in capitals keep their
// first letter and print the rest smaller, the way the page prints small print. The
// letters stay capitals, so copied text and searches still read "LORD".
void SetDivineNames(std::string& text) {
    if (text.find("ORD") == std::string::npos && text.find("OD") == std::string::npos) return;
    std::string out;
    out.reserve(text.size() + 64);
    bool inTag = false;
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '<') inTag = true;
        if (inTag) {
            if (c == '>') inTag = false;
            out += c;
            ++i;
            continue;
        }
        size_t length = 0;
        for (std::string_view name : {"LORD", "GOD"})
            if (text.compare(i, name.size(), name) == 0) length = name.size();
        const bool wordStart = i == 0 || !IsAsciiLetter(text[i - 1]);
        if (length && wordStart) {
            size_t end = i + length;
            if (text.compare(end, 2, "'S") == 0) end += 2;
            if (end >= text.size() || !IsAsciiLetter(text[end])) {
                out += c;
                out += "<font size=-1>";
                out.append(text, i + 1, end - i - 1);
                out += "</font>";
                i = end;
                continue;
            }
        }
        out += c;
        ++i;
    }
    text = std::move(out);
}

// The characters a displayed text takes: an entity or a UTF-8 sequence is one.
int DisplayedLength(std::string_view html, bool utf8) {
    int n = 0;
    for (size_t i = 0; i < html.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(html[i]);
        if (c == '&') {
            const size_t semicolon = html.find(';', i);
            if (semicolon != std::string_view::npos) i = semicolon;
        } else if (utf8 && (c & 0xC0) == 0x80) {
            continue;
        }
        ++n;
    }
    return n;
}

// Five characters after a Strong's marker read as a number: blanks before an
// optional sign and digits, nothing after them.
bool ReadStrongsNumber(std::string_view digits, int& n) {
    if (digits.size() < kStrongsMarkerDigits) return false;
    size_t i = 0;
    while (i < digits.size() && digits[i] == ' ') ++i;
    bool negative = false;
    if (i < digits.size() && (digits[i] == '-' || digits[i] == '+')) negative = digits[i++] == '-';
    if (i == digits.size()) return false;
    int value = 0;
    for (; i < digits.size(); ++i) {
        if (digits[i] < '0' || digits[i] > '9') return false;
        value = value * 10 + (digits[i] - '0');
    }
    n = negative ? -value : value;
    return true;
}

// "H7225" from a Strong's word of any spelling (marker byte or letter, leading zeros).
std::string StrongsKey(std::string_view word) {
    const unsigned char first = static_cast<unsigned char>(word[0]);
    const char letter = first == kGreekStrongsMarker || first == 'G' || first == 'g' ? 'G' : 'H';
    size_t i = 1;
    while (i < word.size() && (word[i] == '0' || word[i] == ' ')) ++i;
    return std::string(1, letter) + std::string(word.substr(i));
}

class TPageBuilder {
public:
    explicit TPageBuilder(const TPassagePageInput& input) : in_(input), p_(input.Properties) {
        page_.Utf8 = in_.Bible->IsUTF8();
        highlight_ = ColorToHtml(in_.HighlightColor);
        noteColumn_ = p_.NoteColumnColor == p_.BackgroundColor ? std::string() : Hex(p_.NoteColumnColor);
        compare_ = in_.CompareBible && in_.CompareBible != in_.Bible && !p_.ParaMode;
        columns_ = p_.ColumnMode && !p_.ParaMode;
        if (in_.SearchKeys) {
            for (const TZBSearchKeyNode& node : in_.SearchKeys->Nodes)
                for (const TZBSearchKeyMatchingWords& position : node.Positions)
                    for (const std::string& word : position.Words)
                        if (!word.empty() && IsStrongsToken(word)) strongsTerms_.insert(StrongsKey(word));
        }
    }

    TPassagePage Build() {
        const TVerseList& verses = *in_.Verses;
        const int last = static_cast<int>(verses.size()) - 1;
        if (in_.Paged) {
            page_.PageStart = std::clamp(in_.PageStart, 0, std::max(last, 0));
            page_.PageEnd = std::min(page_.PageStart + kPageSize - 1, last);
        } else {
            page_.PageStart = 0;
            page_.PageEnd = last;
        }
        FillPageSelector();

        std::string html = Head();
        if (in_.Paged && (page_.PageStart > 0 || page_.PageEnd < last)) navigation_ = NavigationLine();
        if (!navigation_.empty()) html += "<center>" + navigation_ + "</center><p>";
        const int first = FirstVerse(verses);
        if (in_.PreviousChapterLink && first > 1)
            html += Format("<div align=\"right\"><font size=-1><a href=\"lp:%d\">Previous Chapter</a></font></div><br>",
                           first - 1);
        if (columns_) html += "<table cellspacing=0 cellpadding=2>";

        for (int i = page_.PageStart; i <= page_.PageEnd; ++i) {
            const int verse = verses[static_cast<size_t>(i)];
            if (verse == kVerseListSeparator) {
                html += columns_ ? "<tr><td>&nbsp;</td></tr>" : "<p>";
                continue;
            }
            AppendVerse(html, i, verse);
        }

        if (columns_) html += "</table>";
        const int lastVerse = LastVerse(verses);
        if (in_.NextChapterLink && lastVerse > 0 && lastVerse < in_.Bible->VerseCount())
            html += Format("<p align=\"right\"><font size=-1><a href=\"lp:%d\">Next Chapter</a></font></p>",
                           lastVerse + 1);
        if (!navigation_.empty()) html += "<p><center>" + navigation_ + "</center>";
        html += "</body></html>";
        page_.Html = std::move(html);
        return std::move(page_);
    }

private:
    static int FirstVerse(const TVerseList& verses) {
        for (uint16_t v : verses)
            if (v != kVerseListSeparator) return v;
        return 0;
    }
    static int LastVerse(const TVerseList& verses) {
        for (auto it = verses.rbegin(); it != verses.rend(); ++it)
            if (*it != kVerseListSeparator) return *it;
        return 0;
    }

    // Windows-1252 text of the program (module names) in the page's encoding.
    std::string ToPage(const std::string& ansi) const { return page_.Utf8 ? AnsiToUtf8(ansi) : ansi; }

    // The text of a module in the page's encoding: one page, one encoding, also when
    // the comparison Bible is written in the other one.
    std::string FromModule(const TZBBibleModule& bible, std::string text) const {
        if (bible.IsUTF8() == page_.Utf8) return text;
        return page_.Utf8 ? AnsiToUtf8(text) : Utf8ToAnsi(text, true);
    }

    std::string Head() const {
        const TColor labels = Mix(p_.TextColor, p_.BackgroundColor, 0.3);
        const TColor numbers = Mix(p_.TextColor, p_.BackgroundColor, 0.5);
        std::string head = "<html><head>";
        if (page_.Utf8) head += "<meta http-equiv=\"Content-type\" content=\"text/html;charset=UTF-8\" />";
        // Only looks: the mark-up below is complete without it.
        head += "<style>a { text-decoration: none; } td { line-height: 135%; } p { line-height: 150%; }"
                " a[name] b { color: " + Hex(labels) + "; } a[name] sup { color: " + Hex(numbers) + "; }</style>";
        head += "</head><body>";
        return head;
    }

    void FillPageSelector() {
        const TVerseList& verses = *in_.Verses;
        if (verses.empty()) return;
        auto label = [&](int from, int to) {
            int a = -1, b = -1;
            for (int i = from; i <= to; ++i)
                if (verses[static_cast<size_t>(i)] != kVerseListSeparator) {
                    if (a < 0) a = verses[static_cast<size_t>(i)];
                    b = verses[static_cast<size_t>(i)];
                }
            if (a < 0) return std::string("-");
            std::string item = in_.Bible->VerseReference(a);
            if (to > from) item += " - " + in_.Bible->VerseReference(b);
            return item;
        };
        const int last = static_cast<int>(verses.size()) - 1;
        if (in_.Paged) {
            for (int start = 0; start <= last; start += kPageSize)
                page_.PageSelectorItems.push_back(label(start, std::min(start + kPageSize - 1, last)));
            page_.PageSelectorIndex = page_.PageStart / kPageSize;
        } else {
            page_.PageSelectorItems.push_back(label(0, last));
            page_.PageSelectorIndex = 0;
        }
    }

    std::string NavigationLine() const {
        const int count = static_cast<int>(in_.Verses->size());
        std::string line = Format("Showing %d to %d of %d.", page_.PageStart + 1, page_.PageEnd + 1, count);
        if (page_.PageStart > 0)
            line += Format(" | <a href=\"pn:%d\">Previous&nbsp;%d</a>", std::max(page_.PageStart - kPageSize, 0),
                           kPageSize);
        const int remaining = count - 1 - page_.PageEnd;
        if (remaining > 0)
            line += Format(" | <a href=\"pn:%d\">Next&nbsp;%d</a>", page_.PageEnd + 1, std::min(remaining, kPageSize));
        return "<font size=-1>" + line + "</font>";
    }

    // Steps shared by the primary and the comparison text.
    std::string VerseText(const TZBBibleModule& bible, int verse) {
        std::string text = bible.GetVerseText(verse, bible.StrongsLinks(), p_.ShowFootnotes) + " ";
        text = ReplaceAll(text, ">>", "</font>");
        text = ReplaceAll(text, "<<", "<font size=-1>");
        MarkSearchHits(text);
        SetDivineNames(text);
        if (bible.StrongsLinks()) InsertStrongsLinks(text, bible.IsUTF8());
        if (bible.HasFootnotes() && p_.ShowFootnotes) SetFootnotes(text, bible);
        if (bible.HasSuppliedWords()) {
            if (p_.ItalicsMode == 0) {
                text = ReplaceAll(text, "[", "<I>");
                text = ReplaceAll(text, "]", "</I>");
            } else if (p_.ItalicsMode == 2) {
                std::erase(text, '[');
                std::erase(text, ']');
            }
        }
        if (bible.UseModuleFont()) text = "<font face=\"" + bible.FontName() + "\">" + text + "</font>";
        if (p_.ParagraphMarks && !p_.ParaMode && in_.ParagraphMap && in_.ParagraphMap->IsParagraphStart(verse))
            text = (bible.IsUTF8() ? "\xC2\xB6 " : "\xB6 ") + text;
        if (compare_) text += " (" + bible.Abbreviation() + ")";
        return FromModule(bible, std::move(text));
    }

    void MarkSearchHits(std::string& text) {
        if (!in_.SearchKeys || in_.SearchKeys->Nodes.empty()) return;
        const std::string open =
            std::string(kSearchKeyAnchor) + "<span style=\"background-color:#" + highlight_ + ";font-weight:bold\">";
        MarkHits(text, BibleWordDelimiters, in_.SearchKeys->Nodes, true, true, "</span></a>", open);
        const std::string_view literal = kSearchKeyAnchor;
        for (size_t at = text.find(literal); at != std::string::npos; at = text.find(literal, at)) {
            const std::string numbered = Format("<a name=\"skey%d\">", page_.SearchKeyCount++);
            text.replace(at, literal.size(), numbered);
            at += numbered.size();
        }
    }

    void InsertStrongsLinks(std::string& text, bool utf8) const {
        for (size_t pos = 0; pos < text.size();) {
            const unsigned char c = static_cast<unsigned char>(text[pos]);
            if (c != kHebrewStrongsMarker && c != kGreekStrongsMarker) {
                ++pos;
                continue;
            }
            const bool hebrew = c == kHebrewStrongsMarker;
            int n = 0;
            if (!ReadStrongsNumber(std::string_view(text).substr(pos + 1, kStrongsMarkerDigits), n)) {
                text.erase(pos, 1);
                continue;
            }
            if (hebrew) n = std::abs(n);
            std::string word;
            if (in_.StrongsData) word = hebrew ? in_.StrongsData->HebrewWord(n) : in_.StrongsData->GreekWord(n);
            // A number the tables do not hold still gets its link, named by the number.
            if (word.empty()) word = std::to_string(n);
            else if (!utf8) word = Utf8ToAnsi(word, true);
            const char* scheme = hebrew ? "h" : "g";
            const char* font = hebrew ? HebrewFontName : GreekFontName;
            std::string link;
            if (strongsTerms_.count(Format("%s%d", hebrew ? "H" : "G", n)))
                link = Format(" <a href=\"%s:%d\" style=\"background-color:#%s;font-weight:bold;font-family:%s;\">%s</a>",
                              scheme, n, highlight_.c_str(), font, word.c_str());
            else
                link = Format(" <a href=\"%s:%d\"><font face=\"%s\" color=\"%s\">%s</font></a>", scheme, n, font,
                              Hex(p_.StrongsLinkColor).c_str(), word.c_str());
            text.replace(pos, 1 + kStrongsMarkerDigits, link);
            pos += link.size();
        }
    }

    void SetFootnotes(std::string& text, const TZBBibleModule& bible) {
        const std::string color = Hex(p_.FootnotesColor);
        if (!columns_) {
            text = ReplaceAll(text, "{", "<font color=\"" + color + "\">{");
            text = ReplaceAll(text, "}", "}</font>");
            return;
        }
        for (;;) {
            const size_t open = text.find('{');
            const size_t close = text.find('}');
            if (open == std::string::npos || close == std::string::npos || open > close) break;
            const std::string letter(1, static_cast<char>('a' + footnoteLetter_));
            footnoteLetter_ = (footnoteLetter_ + 1) % 26;
            const std::string note = FromModule(bible, text.substr(open + 1, close - open - 1));
            if (bible.UseModuleFont())
                noteText_ += "<font color=\"" + color + "\"><b>" + letter + ".</b> <font face=\"" + bible.FontName() +
                             "\">" + note + "</font><br>";
            else
                noteText_ += "<font color=\"" + color + "\"><b>" + letter + ".</b> " + note + "<br>";
            text.erase(open, close - open + 1);
            size_t at = open;
            if (at > 0 && text[at - 1] == ' ') text.erase(--at, 1);
            text.insert(at, "<font color=\"" + color + "\"><sup>" + letter + " </sup></font>");
        }
    }

    std::string MarginLinks(int verse) const {
        std::string links;
        auto join = [&](std::string group) {
            if (group.empty()) return;
            group.pop_back();
            links += " " + group;
        };
        if (p_.LinkCommentaries && !in_.MarginCommentaries.empty()) {
            std::string group;
            for (size_t i = 0; i < in_.MarginCommentaries.size(); ++i) {
                const TZBCommentaryModule* c = in_.MarginCommentaries[i];
                if (c->Linked() && c->EntryHasText(verse - 1))
                    group += Format("<a href=\"lc:%zu,%d\"><font color=\"%s\">%s</font></a> ", i, verse - 1,
                                    Hex(p_.CommentLinkColor).c_str(), ToPage(c->Abbreviation()).c_str());
            }
            join(std::move(group));
        }
        if (p_.LinkDictionaries && !in_.MarginBooks.empty()) {
            std::string group;
            for (size_t i = 0; i < in_.MarginBooks.size(); ++i) {
                const TZBDictionaryModule* b = in_.MarginBooks[i];
                if (b->Linked() && b->VerseHasEntries(verse - 1))
                    group += Format("<a href=\"ld:%zu,%d\"><font color=\"%s\">%s</font></a> ", i, verse,
                                    Hex(p_.DictLinkColor).c_str(), ToPage(b->Abbreviation()).c_str());
            }
            join(std::move(group));
        }
        if (p_.ShowEditLinks && !in_.UserCommentaries.empty()) {
            std::string group;
            for (size_t i = 0; i < in_.UserCommentaries.size(); ++i)
                group += Format("<a href=\"ec:%zu,%d\"><font color=\"%s\">Edit&nbsp;%s</font></a> ", i, verse - 1,
                                Hex(p_.CommentLinkColor).c_str(), ToPage(in_.UserCommentaries[i]->Abbreviation()).c_str());
            join(std::move(group));
        }
        return links;
    }

    void AppendVerse(std::string& html, int index, int verse) {
        const TZBBibleModule& bible = *in_.Bible;
        noteText_.clear();
        const std::string text = VerseText(bible, verse);
        std::string cmp;
        if (compare_) {
            // A verse the comparison Bible does not number is one it has no text for.
            cmp = verse <= in_.CompareBible->VerseCount() ? VerseText(*in_.CompareBible, verse) : std::string("-");
        }
        noteText_ += MarginLinks(verse);

        int book = 0, chapter = 0, number = 0;
        bible.DecodeVerse(verse, book, chapter, number);
        std::string label;
        if (in_.ReferencesAsLinks || !p_.ParaMode) {
            label = FromModule(bible, bible.BookAbbreviation(book)) + Format("&nbsp;%d:%d", chapter, number);
        } else {
            label = std::to_string(number);
        }
        page_.Verses.push_back({index, verse, DisplayedLength(label, page_.Utf8)});

        const char* l = label.c_str();
        const char* t = text.c_str();
        const char* c = cmp.c_str();
        std::string item;
        if (in_.ReferencesAsLinks) {
            if (columns_)
                item = Format("<td valign=top><a name=\"#%d\"><a href=\"lp:%d\"><b>%s</b></a></td><td valign=top>%s</td>"
                              "<td valign=top>%s</td>", verse, verse, l, t, c);
            else if (compare_)
                item = Format("<a name=\"#%d\"><a href=\"lp:%d\"><b>%s</b></a>&nbsp;%s</a><br><a href=\"lp:%d\"><b>%s</b></a>"
                              "&nbsp;%s</a>", verse, verse, l, t, verse, l, c);
            else
                item = Format("<a name=\"#%d\"><a href=\"lp:%d\"><b>%s</b></a>&nbsp;%s</a>", verse, verse, l, t);
        } else if (p_.ParaMode) {
            const bool starts = in_.ParagraphMap && in_.ParagraphMap->IsParagraphStart(verse);
            item = Format("%s<a name=\"#%d\"><sup>%d</sup></a>&nbsp;%s ",
                          starts ? (std::string("<p>") + kLinkIndent).c_str() : "", verse, number, t);
        } else if (columns_) {
            item = Format("<td valign=top><a name=\"#%d\"><b>%s</b></a></td><td valign=top>%s</td><td valign=top>%s</td>",
                          verse, l, t, c);
        } else if (compare_) {
            item = Format("<a name=\"#%d\"><b>%s</b></a>&nbsp;%s<br><b>%s</b></a>&nbsp;%s", verse, l, t, l, c);
        } else {
            item = Format("<a name=\"#%d\"><b>%s</b></a>&nbsp;%s", verse, l, t);
        }

        if (p_.ParaMode) {
            html += item;
        } else if (columns_) {
            if (noteText_.empty())
                html += "<tr>" + item + "<td bgcolor=" + noteColumn_ + "></td></tr>";
            else
                html += "<tr>" + item + "<td valign=top bgcolor=" + noteColumn_ + "><font size=-1><b>" +
                        std::to_string(number) + ".</b> " + noteText_ + "</font></td></tr>";
        } else if (noteText_.empty()) {
            html += item + "<br>";
        } else {
            html += item + "<br><font size=-1>" + noteText_ + "</font><br>";
        }
    }

    const TPassagePageInput& in_;
    const TPropertiesBibleView& p_;
    TPassagePage page_;
    std::string highlight_;   // six digits, for the mark-up that adds its own "#"
    std::string noteColumn_;  // "#RRGGBB", or empty for no colour of its own
    std::string navigation_;
    std::set<std::string> strongsTerms_;
    bool compare_ = false;
    bool columns_ = false;
    int footnoteLetter_ = 0;
    std::string noteText_;
};

}  // namespace

std::string VerseAnchorName(int verse) { return "#" + std::to_string(verse); }

TPassagePage BuildPassagePage(const TPassagePageInput& input) {
    if (!input.Bible || !input.Verses) return {};
    return TPageBuilder(input).Build();
}

}  // namespace kvx
