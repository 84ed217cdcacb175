// The copy styles: a heading reference, then the verses run on, one per line or one
// per paragraph, with the reference before or after them.
#include "views/passage_format.h"

#include <cstdlib>

#include "engine/parse_words.h"
#include "platform/ansi_text.h"
#include "platform/exception.h"
#include "render/export_procs.h"

namespace kvx {

namespace {

constexpr const char* kLineBreak = "\r\n";


bool UsesNames(int style) { return style % 2 == 0; }

// Five characters after a marker as a number; 0 when they are not one.
int MarkerNumber(std::string_view digits) {
    int n = 0;
    bool any = false;
    for (char c : digits) {
        if (c == ' ' && !any) continue;
        if (c < '0' || c > '9') return 0;
        n = n * 10 + (c - '0');
        any = true;
    }
    return n;
}

std::string StrongsWords(std::string text, bool html, const TZBStrongsDataModule* strongs, bool utf8,
                         const std::string& color) {
    for (size_t pos = 0; pos < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[pos]);
        if (c != kHebrewStrongsMarker && c != kGreekStrongsMarker) {
            ++pos;
            continue;
        }
        const bool hebrew = c == kHebrewStrongsMarker;
        const int n = std::abs(MarkerNumber(std::string_view(text).substr(pos + 1, kStrongsMarkerDigits)));
        std::string insert;
        if (html) {
            std::string word = strongs ? (hebrew ? strongs->HebrewWord(n) : strongs->GreekWord(n)) : std::string();
            if (!utf8) word = Utf8ToAnsi(word, true);
            insert = Format(" <font face=\"%s\" color=\"%s\">%s</font>", hebrew ? HebrewFontName : GreekFontName,
                            color.c_str(), word.c_str());
        } else {
            std::string word =
                strongs ? (hebrew ? strongs->HebrewTransliteration(n) : strongs->GreekTransliteration(n)) : std::string();
            insert = " <" + word + ">";
        }
        text.replace(pos, std::min(text.size() - pos, 1 + kStrongsMarkerDigits), insert);
        pos += insert.size();
    }
    return text;
}

}  // namespace

TVerseExportFormat VerseExportFormat(const TSettings& s) {
    return {s.VerseExportStyle, s.IncludeBrackets, s.IncludeFootnotes, s.IncludeVersionTag};
}

std::string FormatPassage(int first, int last, const TZBBibleModule& bible, bool html,
                          const TVerseExportFormat& format, const TZBStrongsDataModule* strongs,
                          const TPropertiesBibleView& bibleText) {
    const int style = format.Style;
    const bool names = UsesNames(style);
    const std::string& tag = bible.Abbreviation();
    auto bookOf = [&](int book) { return names ? bible.BookName(book) : bible.BookAbbreviation(book); };
    int fb = 0, fc = 0, fv = 0, lb = 0, lc = 0, lv = 0;
    bible.DecodeVerse(first, fb, fc, fv);
    bible.DecodeVerse(last, lb, lc, lv);

    std::string heading;
    if (style < 4 || style > 7) {
        if (first == last) heading = Format("%s %d:%d", bookOf(fb).c_str(), fc, fv);
        else if (fb == lb && fc == lc) heading = Format("%s %d:%d-%d", bookOf(fb).c_str(), fc, fv, lv);
        else if (fb == lb) heading = Format("%s %d:%d-%d:%d", bookOf(fb).c_str(), fc, fv, lc, lv);
        else heading = Format("%s %d:%d - %s %d:%d", bookOf(fb).c_str(), fc, fv, bookOf(lb).c_str(), lc, lv);
    }

    std::string text;
    if (style == 0 || style == 1 || style == 8 || style == 9) {
        text = format.IncludeVersionTag ? Format("%s (%s)  ", heading.c_str(), tag.c_str()) : heading + "  ";
        if (html) text = "<b>" + text + "</b>";
    }

    const std::string footnoteColor = ColorToHtml(bibleText.FootnotesColor);
    const std::string strongsColor = ColorToHtml(bibleText.StrongsLinkColor);
    int previousChapter = -1;
    for (int v = first; v <= last; ++v) {
        std::string verse = bible.GetVerseText(v, bible.StrongsLinks(), format.IncludeFootnotes);
        if (bible.StrongsLinks()) verse = StrongsWords(std::move(verse), html, strongs, bible.IsUTF8(), strongsColor);
        if (html) {
            if (bibleText.ItalicsMode == 0) {
                verse = ReplaceAll(verse, "[", "<i>");
                verse = ReplaceAll(verse, "]", "</i>");
            } else if (bibleText.ItalicsMode == 2) {
                std::erase(verse, '[');
                std::erase(verse, ']');
            }
            verse = ReplaceAll(verse, "{", "<font color=" + footnoteColor + ">{");
            verse = ReplaceAll(verse, "}", "}</font>");
            verse = ReplaceAll(verse, ">>", "</font>");
            verse = ReplaceAll(verse, "<<", "<font size=-1>");
            if (bible.UseModuleFont()) verse = Format("<font face=\"%s\" size=+1>%s</font>", bible.FontName().c_str(), verse.c_str());
        } else {
            if (!format.IncludeBrackets) {
                std::erase(verse, '[');
                std::erase(verse, ']');
            }
            // Small print is a way of printing, not text: plain text has no place for it.
            verse = ReplaceAll(verse, "<<", "");
            verse = ReplaceAll(verse, ">>", "");
        }

        int b = 0, c = 0, n = 0;
        bible.DecodeVerse(v, b, c, n);
        std::string reference = Format("%s %d:%d", bookOf(b).c_str(), c, n);
        if (format.IncludeVersionTag) reference += " (" + tag + ")";
        if (style <= 3) {
            text += verse + " ";
        } else if (style == 8 || style == 9) {
            text += Format(" %d ", n) + verse + " ";
        } else {
            // The chapter alone decides, so a run into another book at the same chapter
            // number writes the verse number alone.
            if ((style == 4 || style == 5) && c == previousChapter) reference = std::to_string(n);
            if (html) text += "<br><b>" + reference + "</b> " + verse;
            else text += reference + " " + verse + kLineBreak + ((style == 4 || style == 5) ? kLineBreak : "");
        }
        previousChapter = c;
    }

    if (style == 2 || style == 3) {
        const std::string inner = format.IncludeVersionTag ? heading + " " + tag : heading;
        text += html ? "<b>(" + inner + ")</b>" : "(" + inner + ")";
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r' || text.back() == '\n' || text.back() == '\t'))
        text.pop_back();
    return text;
}

}  // namespace kvx
