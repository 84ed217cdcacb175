// Converting entry mark-up for export and plain text.
#include "render/export_procs.h"

#include <algorithm>
#include <vector>

#include "modules/resource_module.h"
#include "platform/ansi_text.h"
#include "platform/exception.h"

namespace kvx {

const char* const GreekFontName = "Gentium Plus";
const char* const HebrewFontName = "Ezra SIL";

std::string ReplaceText(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string out;
    size_t pos = 0;
    for (;;) {
        size_t at = AnsiFindText(from, text.substr(pos));
        if (at == std::string_view::npos) break;
        out.append(text.substr(pos, at));
        out.append(to);
        pos += at + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

namespace {

std::string FontTags(std::string_view text) {
    const std::string greek = std::string("<font face=\"") + GreekFontName + "\">";
    const std::string hebrew = std::string("<font face=\"") + HebrewFontName + "\">";
    std::string out = ReplaceText(text, "<zbgreek>", greek);
    out = ReplaceText(out, "<zbhebrew>", hebrew);
    out = ReplaceText(out, "</zbgreek>", "</font>");
    return ReplaceText(out, "</zbhebrew>", "</font>");
}

// Source line breaks count as spaces, as in HTML; blank lines vanish.
std::string JoinLines(std::string_view text) {
    if (text.empty()) return {};
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    lines.push_back(text.substr(start));
    // Merged from the last line back: each line joins the one before it trimmed,
    // so blanks at the end of a middle line stay inside the joined text.
    std::string tail;
    for (size_t i = lines.size() - 1; i >= 1; --i) {
        std::string current = std::string(lines[i]) + tail;
        std::string_view trimmed = TrimBlanks(current);
        tail = trimmed.empty() ? std::string() : " " + std::string(trimmed);
    }
    return std::string(lines[0]) + tail + "\r\n";
}

}  // namespace

std::string ConvertEntryText(std::string_view text, bool paragraphBreaks, bool convertLinks, bool plainText) {
    std::string s(text);
    if (convertLinks && !plainText) {
        s = ReplaceText(s, "<vrl:", "<a href=zbvrl:");
        s = ReplaceText(s, "</vrl>", "</a>");
    }
    if (!plainText) s = FontTags(s);
    s = JoinLines(s);
    if (!plainText) return s;

    size_t head = AnsiFindText("</head>", s);
    if (head != std::string::npos) s.erase(0, head);
    if (paragraphBreaks) {
        s = ReplaceText(s, "<p>", "\r\n\r\n");
        s = ReplaceText(s, "<p ", "\r\n\r\n<");
        s = ReplaceText(s, "<br>", "\r\n");
        s = ReplaceText(s, "<blockquote>", "\r\n\r\n");
        s = ReplaceText(s, "</blockquote>", "\r\n\r\n");
    } else {
        s = ReplaceText(s, "<p>", "  ");
        s = ReplaceText(s, "<p ", "  <");
        s = ReplaceText(s, "<br>", " ");
        s = ReplaceText(s, "<blockquote>", "  ");
        s = ReplaceText(s, "</blockquote>", "  ");
        for (char& c : s)
            if (c == '\r' || c == '\n') c = ' ';
    }
    s = ReplaceText(s, "&nbsp;", " ");
    s = ReplaceText(s, "&quot;", "\"");

    std::string plain;
    plain.reserve(s.size());
    bool outside = true;
    for (char c : s) {
        if (c == '<') {
            outside = false;
        } else if (c == '>') {
            outside = true;
        } else if (outside && !(c == 1 || c == 2 || c == 3 || c == 4 || c == 8)) {
            plain += c;
        }
    }
    plain = ReplaceText(plain, "&amp;", "&");
    plain = ReplaceText(plain, "&lt;", "<");
    return ReplaceText(plain, "&gt;", ">");
}

std::string StrongsArticle(std::string_view key, TZBDictionaryModule* hebrewLexicon,
                           TZBDictionaryModule* greekLexicon) {
    const std::string undefined = "Undefined " + std::string(key);
    if (key.size() < 2) return undefined;
    const char kind = key[0];
    const bool hebrew = kind == 'H' || kind == 'h';
    if (!hebrew && kind != 'G' && kind != 'g') return undefined;
    const std::string_view digits = key.substr(1, 4);
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return undefined;
        n = n * 10 + (c - '0');
    }
    const char* language = hebrew ? "Hebrew" : "Greek";
    const std::string heading = Format("<p><b>Strong's %s Definition #%d</b></font></p>", language, n);
    TZBDictionaryModule* lexicon = hebrew ? hebrewLexicon : greekLexicon;
    if (!lexicon) return heading + "<br>" + Format("<p><b>%s lexicon not loaded.</b></p>", language);
    // A number the lexicon has no entry for, or whose entry cannot be read, must not
    // break the pop-up that asked for it.
    std::string body;
    try {
        if (n < 1 || n > lexicon->EntryCount()) throw Exception("no entry");
        body = lexicon->GetEntryText(n - 1);
    } catch (const Exception&) {
        return heading + "<br>" + Format("<p>No entry for %s number %d in %s.</p>", language, n,
                                         lexicon->Abbreviation().c_str());
    }
    size_t end = body.find("</body>");
    if (end != std::string::npos) body.resize(end);
    size_t start = body.find("<body>");
    if (start != std::string::npos) body.erase(0, std::min(body.size(), start + 7));
    for (const char* tail : {"See Greek", "See Hebrew"}) {
        size_t at = body.find(tail);
        if (at != std::string::npos) body.resize(at);
    }
    body = FontTags(body);
    // Stored entries end with a line break, which would hide a trailing empty paragraph.
    while (!body.empty() && (body.back() == '\r' || body.back() == '\n' || body.back() == ' ')) body.pop_back();
    if (body.size() >= 3 && AnsiSameText(std::string_view(body).substr(body.size() - 3), "<p>")) body.resize(body.size() - 3);
    return heading + "<br>" + body;
}

std::string LexiconPlainText(std::string_view article) {
    std::string s(article);
    size_t p = s.find("<p>");
    if (p != std::string::npos) s.erase(0, p + 3);
    size_t end = s.find("</body>");
    if (end != std::string::npos) s.resize(end);
    size_t body = s.find("<body>");
    if (body != std::string::npos) s.erase(0, std::min(s.size(), body + 7));
    s = ReplaceAll(s, "<p>", "\n");
    for (const char* tag : {"</p>", "<i>", "</i>", "<b>", "</b>"}) s = ReplaceAll(s, tag, "");
    s = ReplaceAll(s, "&amp;", "&");
    s = ReplaceAll(s, "&lt;", "<");
    s = ReplaceAll(s, "&gt;", ">");
    for (const char* tail : {"See Greek", "See Hebrew"}) {
        size_t at = s.find(tail);
        if (at != std::string::npos) s.resize(at);
    }
    // The headword: a tag without its closing partner is left as it stands rather
    // than taking the rest of the article with it.
    for (auto [open, close] : {std::pair{"<zbgreek>", "</zbgreek>"}, std::pair{"<zbhebrew>", "</zbhebrew>"}}) {
        size_t a = s.find(open);
        if (a == std::string::npos) continue;
        size_t b = s.find(close, a);
        if (b == std::string::npos) continue;
        s.erase(a, b + std::char_traits<char>::length(close) - a);
    }
    return std::string(TrimBlanks(s));
}

std::string PlainTextToUtf8(std::string_view ansi) {
    std::string utf8 = AnsiToUtf8(ansi);
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '&' && i + 2 < utf8.size() && utf8[i + 1] == '#') {
            size_t j = i + 2;
            bool hex = j < utf8.size() && (utf8[j] == 'x' || utf8[j] == 'X');
            if (hex) ++j;
            char32_t cp = 0;
            size_t digits = 0;
            for (; j < utf8.size() && digits < 8; ++j, ++digits) {
                char c = utf8[j];
                int d = c >= '0' && c <= '9' ? c - '0'
                        : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                      : -1;
                if (d < 0) break;
                cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(d);
            }
            if (digits > 0 && j < utf8.size() && utf8[j] == ';' && cp > 0 && cp <= 0x10FFFF &&
                !(cp >= 0xD800 && cp <= 0xDFFF)) {
                AppendUtf8(out, cp);
                i = j;
                continue;
            }
        }
        out += utf8[i];
    }
    return out;
}

}  // namespace kvx
