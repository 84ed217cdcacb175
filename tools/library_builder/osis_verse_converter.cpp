// OSIS verse mark-up to module verse text. The text is assembled by a small builder
// that owns the spacing rules: white space collapses, groups ("[", "{", "<<") hold
// no space at their edges, an empty group vanishes, and a note or quotation that sat
// between two words without a space leaves a space behind when it is taken out.
#include "tools/library_builder/osis_verse_converter.h"

#include <cstdio>
#include <set>
#include <vector>

#include "engine/parse_words.h"
#include "platform/ansi_text.h"
#include "tools/library_builder/osis_scanner.h"

namespace kvx::library {
namespace {

constexpr unsigned char kLeftDoubleQuote = 0x93;   // in Windows-1252
constexpr unsigned char kRightDoubleQuote = 0x94;
constexpr unsigned char kLeftSingleQuote = 0x91;
constexpr unsigned char kRightSingleQuote = 0x92;
constexpr unsigned char kEllipsis = 0x85;
constexpr char32_t kParagraphSign = 0xB6;
constexpr int kMaxStrongsNumber = 99999;

bool IsLetterOrDigit(unsigned char c) {
    return (c >= '0' && c <= '9') || AnsiLowerChar(c) != AnsiUpperChar(c) || c == 0xDF;
}

// A character that can end a word, including the punctuation that follows one.
bool IsWordEnd(unsigned char c) {
    if (IsLetterOrDigit(c)) return true;
    switch (c) {
        case '.': case ',': case ';': case ':': case '!': case '?': case ')': case ']': case '}':
        case kRightDoubleQuote: case kRightSingleQuote: case kEllipsis:
            return true;
        default:
            return false;
    }
}

bool IsClosingPunctuation(unsigned char c) {
    return c == ',' || c == '.' || c == ';' || c == ':' || c == '!' || c == '?';
}

// A character that can begin a word, including an opening quotation mark.
bool IsWordStart(unsigned char c) {
    if (IsLetterOrDigit(c)) return true;
    return c == '(' || c == '[' || c == kLeftDoubleQuote || c == kLeftSingleQuote;
}

class TVerseTextBuilder {
public:
    // Windows-1252 text, already escaped.
    void Text(std::string_view text) {
        for (char ch : text) {
            if (ch == ' ') {
                if (!out_.empty() && out_.size() != groupContentStart_) pendingSpace_ = true;
                continue;
            }
            Visible(static_cast<unsigned char>(ch));
            out_ += ch;
        }
    }

    // An element boundary that separates words (a line, a paragraph, a title).
    void Space() {
        if (!out_.empty() && out_.size() != groupContentStart_) pendingSpace_ = true;
    }

    // An element boundary that separates nothing by itself: if the words on either
    // side would touch, they get a space. `before` is the last character before the
    // element began.
    void Unglue(char before) {
        glueCheck_ = true;
        glueBefore_ = static_cast<unsigned char>(before);
    }

    // A note carries no spacing of its own: the space the source put between a note
    // and the punctuation after it goes with the note.
    void AfterNote() { afterNote_ = true; }

    // The character that decides whether an element that begins here glues words:
    // the last one written, or the one before an element that has just ended.
    char GlueCandidate() const {
        if (glueCheck_) return static_cast<char>(glueBefore_);
        return out_.empty() ? '\0' : out_.back();
    }

    // Opens "[", "{" or "<<". An attached group (a note) follows its word directly.
    void Open(std::string_view opener, bool attached) {
        Group g{out_.size(), pendingSpace_, glueCheck_, glueBefore_, 0};
        if (attached) pendingSpace_ = false;
        Visible(static_cast<unsigned char>(opener[0]));
        out_ += opener;
        g.contentStart = out_.size();
        groups_.push_back(g);
        groupContentStart_ = out_.size();
    }

    void Close(std::string_view closer) {
        if (groups_.empty()) return;
        Group g = groups_.back();
        groups_.pop_back();
        groupContentStart_ = groups_.empty() ? std::string::npos : groups_.back().contentStart;
        if (out_.size() == g.contentStart) {
            // Nothing inside: as if the group had never been.
            out_.resize(g.start);
            pendingSpace_ = g.pendingSpace;
            glueCheck_ = g.glueCheck;
            glueBefore_ = g.glueBefore;
            return;
        }
        // A space before the closer belongs after it.
        glueCheck_ = false;
        out_ += closer;
    }

    // A Strong's marker belongs to the word before it, whatever space follows.
    void Marker(std::string_view marker) { out_ += marker; }

    std::string Finish(const std::vector<std::string>& closers) {
        for (auto it = closers.rbegin(); it != closers.rend(); ++it) Close(*it);
        return SettleStrongsMarkers(out_);
    }

private:
    struct Group {
        size_t start;
        bool pendingSpace;
        bool glueCheck;
        unsigned char glueBefore;
        size_t contentStart;
    };

    void Visible(unsigned char c) {
        if (pendingSpace_ && !out_.empty() && !(afterNote_ && IsClosingPunctuation(c)))
            out_ += ' ';
        else if (glueCheck_ && IsWordEnd(glueBefore_) && IsWordStart(c))
            out_ += ' ';
        pendingSpace_ = false;
        glueCheck_ = false;
        afterNote_ = false;
    }

    std::string out_;
    bool pendingSpace_ = false;
    bool glueCheck_ = false;
    unsigned char glueBefore_ = 0;
    bool afterNote_ = false;
    std::vector<Group> groups_;
    size_t groupContentStart_ = std::string::npos;
};

// Removes USFM character markers that leaked into the OSIS text ("\nd ", "\+nd*")
// and any other backslash.
std::string StripUsfmMarkers(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        size_t j = i + 1;
        if (j < text.size() && text[j] == '+') ++j;
        size_t letters = j;
        while (j < text.size() && ((text[j] >= 'a' && text[j] <= 'z') || (text[j] >= '0' && text[j] <= '9'))) ++j;
        if (j > letters && j < text.size() && text[j] == '*') ++j;
        i = (j > letters ? j : i + 1) - 1;
    }
    return out;
}

// The markers of a lemma attribute: "strong:H0430" gives byte 2 and "00430".
std::string StrongsMarkers(std::string_view lemma) {
    std::string markers;
    size_t pos = 0;
    while (pos < lemma.size()) {
        size_t end = lemma.find(' ', pos);
        if (end == std::string_view::npos) end = lemma.size();
        std::string_view item = lemma.substr(pos, end - pos);
        pos = end + 1;
        constexpr std::string_view kPrefix = "strong:";
        if (item.size() <= kPrefix.size() + 1 || item.substr(0, kPrefix.size()) != kPrefix) continue;
        char testament = item[kPrefix.size()];
        unsigned char marker = testament == 'H' || testament == 'h'   ? kHebrewStrongsMarker
                               : testament == 'G' || testament == 'g' ? kGreekStrongsMarker
                                                                      : 0;
        if (marker == 0) continue;
        int number = 0;
        size_t digits = 0;
        for (size_t i = kPrefix.size() + 1; i < item.size() && item[i] >= '0' && item[i] <= '9'; ++i, ++digits) {
            number = number * 10 + (item[i] - '0');
            if (number > kMaxStrongsNumber) break;
        }
        if (digits == 0 || number < 1 || number > kMaxStrongsNumber) continue;
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "%05d", number);
        markers += static_cast<char>(marker);
        markers += buffer;
    }
    return markers;
}

// Elements that stand between words: lines, line groups, paragraphs, list items.
bool SeparatesWords(std::string_view name) {
    static const std::set<std::string_view, std::less<>> kNames = {
        "l", "lg", "lb", "p", "item", "list", "chapter", "verse", "milestone", "div", "table", "row", "cell", "head"};
    return kNames.count(name) != 0;
}

// Divisions whose content is not Bible text: a glossary or a preface that a module
// has appended to a verse.
bool IsForeignDivision(std::string_view type) {
    return type == "glossary" || type == "front" || type == "introduction" || type == "back" || type == "colophon";
}

}  // namespace

std::string VerseTextFromUtf8(std::string_view utf8) {
    std::string escaped;
    escaped.reserve(utf8.size());
    for (char ch : utf8) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F) escaped += ' ';
        else if (c == '&') escaped += "&amp;";
        else if (c == '<') escaped += "&lt;";
        else if (c == '>') escaped += "&gt;";
        else if (c == '{') escaped += '(';
        else if (c == '}') escaped += ')';
        else escaped += ch;
    }
    return Utf8ToAnsi(escaped, true);
}

std::string SettleStrongsMarkers(std::string_view text) {
    auto isMarker = [](char c) {
        unsigned char u = static_cast<unsigned char>(c);
        return u == kHebrewStrongsMarker || u == kGreekStrongsMarker;
    };
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (!isMarker(text[i])) {
            out += text[i++];
            continue;
        }
        // A run of markers, each with its five characters.
        size_t start = i;
        while (i < text.size() && isMarker(text[i])) i = std::min(text.size(), i + 1 + kStrongsMarkerDigits);
        std::string_view markers = text.substr(start, i - start);
        // The rest of the word the markers interrupt goes before them; a character
        // reference ("&#1488;") is never cut.
        size_t wordEnd = i;
        while (wordEnd < text.size() && !BibleWordDelimiters.Contains(text[wordEnd]) && !isMarker(text[wordEnd]) &&
               text[wordEnd] != '&')
            ++wordEnd;
        out.append(text.substr(i, wordEnd - i));
        out.append(markers);
        i = wordEnd;
    }
    return out;
}

TOsisVerse TOsisVerseConverter::Convert(std::string_view osis) const { return Run(osis, false); }

std::string TOsisVerseConverter::Headings(std::string_view osis) const { return Run(osis, true).Text; }

TOsisVerse TOsisVerseConverter::Run(std::string_view osis, bool headingsOnly) const {
    TOsisVerse verse;
    TVerseTextBuilder text;
    // The groups still open, innermost last. Elements close their own group and any
    // left open inside it; a note is closed only by its own end.
    struct OpenGroup {
        int id;
        const char* closer;
    };
    std::vector<OpenGroup> openGroups;
    int nextGroup = 1;
    int noteGroup = 0;

    std::vector<std::string> words;       // the markers of each open <w>
    std::vector<int> supplied;            // each open <transChange>: its bracket group, or 0
    std::vector<int> titles;              // each open <title>/<speaker>: its small-print group
    std::vector<bool> references;         // each open <reference> inside a note: left out
    enum class Division { Other, Book, Foreign };
    std::vector<Division> divisions;      // each open (non-milestone) <div>
    std::set<std::string> foreignMilestones;  // sIDs of milestone divisions being left out
    int noteDepth = 0;
    bool noteKept = false;
    char beforeNote = '\0';
    int titleDepth = 0;
    int skippedReferences = 0;
    int skippedDivisions = 0;

    auto openGroup = [&](const char* opener, const char* closer, bool attached) {
        text.Open(opener, attached);
        openGroups.push_back({nextGroup, closer});
        return nextGroup++;
    };
    auto closeGroup = [&](int id) {
        size_t at = openGroups.size();
        while (at > 0 && openGroups[at - 1].id != id) --at;
        if (at == 0) return;  // closed already, with an outer group
        for (size_t i = at; i < openGroups.size(); ++i)
            if (openGroups[i].id == noteGroup && id != noteGroup) return;  // inside a note: wait for its end
        while (openGroups.size() >= at) {
            text.Close(openGroups.back().closer);
            openGroups.pop_back();
        }
    };

    TOsisScanner scanner(osis);
    TOsisToken t;
    while (scanner.Next(t)) {
        const bool skipping = skippedDivisions > 0 || !foreignMilestones.empty();
        if (t.kind == TOsisToken::Kind::Text) {
            if (skipping) continue;
            if (headingsOnly && titleDepth == 0) continue;
            if (noteDepth > 0 && (!noteKept || skippedReferences > 0)) continue;
            std::string s = StripUsfmMarkers(t.text);
            // The paragraph sign marks the verse, it is not text.
            std::string without;
            for (size_t i = 0; i < s.size(); ++i) {
                if (static_cast<unsigned char>(s[i]) == 0xC2 && i + 1 < s.size() &&
                    static_cast<unsigned char>(s[i + 1]) == kParagraphSign) {
                    if (noteDepth == 0 && titleDepth == 0) verse.ParagraphSign = true;
                    ++i;
                    continue;
                }
                without += s[i];
            }
            text.Text(VerseTextFromUtf8(without));
            continue;
        }

        const std::string_view name = t.name;
        if (name == "div") {
            const std::string type = t.Attribute("type");
            if (t.kind == TOsisToken::Kind::Start) {
                Division kind = IsForeignDivision(type) ? Division::Foreign : type == "book" ? Division::Book : Division::Other;
                divisions.push_back(kind);
                if (kind == Division::Foreign) ++skippedDivisions;
            } else if (t.kind == TOsisToken::Kind::End) {
                Division kind = divisions.empty() ? Division::Other : divisions.back();
                if (!divisions.empty()) divisions.pop_back();
                if (kind == Division::Foreign) --skippedDivisions;
                if (kind == Division::Book && !skipping) {
                    verse.EndOfBook = true;
                    break;
                }
            } else if (t.IsMilestoneStart() && IsForeignDivision(type)) {
                foreignMilestones.insert(t.Attribute("sID"));
            } else if (t.IsMilestoneEnd()) {
                if (type == "book" && !skipping) {
                    // What a module appends after the end of a book (a glossary, say)
                    // is no part of the verse.
                    verse.EndOfBook = true;
                    break;
                }
                foreignMilestones.erase(t.Attribute("eID"));
            }
            if (!skipping) text.Space();
            continue;
        }
        if (skipping) continue;

        if (name == "note") {
            if (t.Opens()) {
                if (noteDepth++ == 0) {
                    beforeNote = text.GlueCandidate();
                    noteKept = options_.Footnotes && !headingsOnly;
                    noteGroup = noteKept ? openGroup("{", "}", true) : 0;
                }
            } else if (t.Closes() && noteDepth > 0) {
                if (--noteDepth == 0) {
                    if (noteKept) closeGroup(noteGroup);
                    noteGroup = 0;
                    // A note that opens the verse stands for a word of its own.
                    bool opened = beforeNote == '\0' && noteKept && text.GlueCandidate() == '}';
                    text.Unglue(opened ? '}' : beforeNote);
                    text.AfterNote();
                    references.clear();
                    skippedReferences = 0;
                }
            }
        } else if (name == "reference") {
            if (noteDepth == 0) continue;
            // A note's own verse label ("1.4 ") repeats the verse it belongs to.
            if (t.Opens()) {
                bool label = t.Attribute("type") == "annotateRef";
                references.push_back(label);
                if (label) ++skippedReferences;
            } else if (t.Closes() && !references.empty()) {
                if (references.back()) --skippedReferences;
                references.pop_back();
            }
        } else if (name == "w") {
            if (t.Opens()) {
                words.push_back(options_.Strongs && noteDepth == 0 ? StrongsMarkers(t.Attribute("lemma")) : std::string());
            } else if (t.Closes() && !words.empty()) {
                if (!(headingsOnly && titleDepth == 0)) text.Marker(words.back());
                words.pop_back();
            }
        } else if (name == "transChange") {
            if (t.Opens()) {
                bool bracket = options_.SuppliedWords && t.Attribute("type") == "added" &&
                               !(headingsOnly && titleDepth == 0) && !(noteDepth > 0 && !noteKept);
                supplied.push_back(bracket ? openGroup("[", "]", false) : 0);
            } else if (t.Closes() && !supplied.empty()) {
                if (supplied.back()) closeGroup(supplied.back());
                supplied.pop_back();
            }
        } else if (name == "title" || name == "speaker") {
            if (noteDepth > 0) continue;
            if (t.Opens()) {
                text.Space();
                titles.push_back(openGroup("<<", ">>", false));
                ++titleDepth;
            } else if (t.Closes() && !titles.empty()) {
                closeGroup(titles.back());
                titles.pop_back();
                --titleDepth;
                text.Space();
            }
        } else if (name == "q") {
            // Quotations carry no text of their own, and their edges are no spaces.
            text.Unglue(text.GlueCandidate());
        } else if (SeparatesWords(name)) {
            text.Space();
        }
    }
    std::vector<std::string> closers;
    for (const OpenGroup& g : openGroups) closers.emplace_back(g.closer);
    verse.Text = text.Finish(closers);
    return verse;
}

}  // namespace kvx::library
