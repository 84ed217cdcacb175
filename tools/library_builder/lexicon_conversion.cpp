// Strong's dictionary entries (TEI: orth, pron, def, ref) to lexicon articles.
#include "tools/library_builder/lexicon_conversion.h"

#include <algorithm>
#include <cstdio>

#include "modules/strongs_format.h"
#include "platform/ansi_text.h"
#include "tools/library_builder/osis_html.h"
#include "tools/library_builder/osis_scanner.h"

namespace kvx::library {
namespace {

int NumberCount(TStrongsLanguage language) {
    return language == TStrongsLanguage::Hebrew ? strongs_format::kHebrewCount : strongs_format::kGreekCount;
}

const char* LanguageName(TStrongsLanguage language) {
    return language == TStrongsLanguage::Hebrew ? "Hebrew" : "Greek";
}

// Superscript letters of the transliterations (a reduced vowel, "zᵉ‛iq") as the
// modifier letters that say the same in plain text.
std::string Superscript(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == 'e') out += "\u1D49";
        else if (c == 'o') out += "\u1D52";
        else out += c;
    }
    return out;
}

// Five decimal digits at most, from 1 up; 0 otherwise.
int ParseNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 5) return 0;
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + (c - '0');
    }
    return n;
}

struct CrossReference {
    TStrongsLanguage language;
    int number;
    bool operator==(const CrossReference&) const = default;
};

// A cross-reference by the number it shows ("H0175", "G25"); failing that, by the
// dictionary its link names ("StrongsGreek:25").
bool ReadCrossReference(const TOsisToken& tag, const std::string& shown, CrossReference& ref) {
    if (shown.size() > 1 && (shown[0] == 'H' || shown[0] == 'G')) {
        ref = {shown[0] == 'H' ? TStrongsLanguage::Hebrew : TStrongsLanguage::Greek, ParseNumber(shown.substr(1))};
        if (ref.number > 0) return true;
    }
    const std::string target = tag.Attribute("target");
    const size_t colon = target.find(':');
    if (colon == std::string::npos) return false;
    const std::string module = target.substr(0, colon);
    if (module != "StrongsHebrew" && module != "StrongsGreek") return false;
    ref = {module == "StrongsHebrew" ? TStrongsLanguage::Hebrew : TStrongsLanguage::Greek,
           ParseNumber(std::string_view(target).substr(colon + 1))};
    return ref.number > 0;
}

struct Entry {
    TStrongsEntry word;
    std::vector<std::string> article;
};

Entry ConvertEntry(std::string_view markup, TStrongsLanguage language) {
    const char* scriptTag = language == TStrongsLanguage::Hebrew ? "zbhebrew" : "zbgreek";
    std::vector<CrossReference> references;
    TOsisHtmlOptions options;
    options.LineBreakEndsParagraph = true;
    options.Reference = [&](const TOsisToken& tag, const std::string& shown) {
        CrossReference ref{};
        if (tag.name == "ref" && ReadCrossReference(tag, shown, ref) && ref.number <= NumberCount(ref.language) &&
            std::find(references.begin(), references.end(), ref) == references.end())
            references.push_back(ref);
        return TOsisReferenceResult{};
    };
    TOsisHtmlWriter definition(options);

    // What the headword elements hold; the first of each kind is the headword's.
    enum class Field { None, Word, Writing, Transliteration, Pronunciation };
    Field field = Field::None;
    bool headword = true, superscript = false;
    std::string word, transliteration, pronunciation, captured;
    bool haveWord = false, haveTransliteration = false, havePronunciation = false;

    TOsisScanner scanner(markup);
    TOsisToken t;
    while (scanner.Next(t)) {
        if ((t.IsTag("orth") || t.IsTag("pron")) && t.kind == TOsisToken::Kind::Start && field == Field::None) {
            const std::string type = t.Attribute("type");
            field = t.name == "pron"          ? Field::Pronunciation
                    : type == "writing"        ? Field::Writing
                    : type == "trans"          ? Field::Transliteration
                                               : Field::Word;
            headword = field == Field::Word          ? !haveWord
                       : field == Field::Transliteration ? !haveTransliteration
                       : field == Field::Pronunciation   ? !havePronunciation
                                                         : true;
            captured.clear();
            continue;
        }
        if (field != Field::None) {
            if ((t.IsTag("orth") || t.IsTag("pron")) && t.kind == TOsisToken::Kind::End) {
                const std::string text = CollapseSpaces(captured);
                if (field == Field::Word && headword) word = text, haveWord = true;
                else if (field == Field::Transliteration && headword) transliteration = text, haveTransliteration = true;
                else if (field == Field::Pronunciation && headword) pronunciation = text, havePronunciation = true;
                // A second headword inside the definition (G1's "an") is written where it stands.
                else if (field == Field::Word && !text.empty())
                    definition.Html(std::string("<") + scriptTag + ">" + EscapeHtml(text) + "</" + scriptTag + ">");
                else if (field == Field::Transliteration && !text.empty())
                    definition.Html("<b>" + EscapeHtml(text) + "</b>");
                else if (field == Field::Pronunciation && !text.empty())
                    definition.Html("<i>" + EscapeHtml(text) + "</i>");
                field = Field::None;
            } else if (t.IsTag("hi")) {
                superscript = t.kind == TOsisToken::Kind::Start && t.Attribute("rend") == "super";
            } else if (t.kind == TOsisToken::Kind::Text && field != Field::Writing) {
                captured += superscript ? Superscript(t.text) : t.text;
            }
            continue;
        }
        definition.Token(t);
    }
    std::vector<std::string> body = definition.Finish();

    Entry entry;
    entry.word = {word, transliteration};
    std::string plainBody;
    for (const std::string& line : body) plainBody += line;
    if (word.empty() && (body.empty() || AnsiSameText(CollapseSpaces(plainBody), "<p>Not Used</p>"))) return entry;

    std::string head;
    if (!word.empty()) head += std::string("<") + scriptTag + ">" + EscapeHtml(word) + "</" + scriptTag + ">";
    if (!transliteration.empty()) head += (head.empty() ? "<b>" : " <b>") + EscapeHtml(transliteration) + "</b>";
    if (!pronunciation.empty()) head += (head.empty() ? "<i>" : " <i>") + EscapeHtml(pronunciation) + "</i>";
    if (!head.empty()) entry.article.push_back(Utf8ToAnsi("<p>" + head + "</p>", true));
    entry.article.insert(entry.article.end(), body.begin(), body.end());
    for (TStrongsLanguage tail : {TStrongsLanguage::Hebrew, TStrongsLanguage::Greek}) {
        std::string links;
        for (const CrossReference& ref : references) {
            if (ref.language != tail) continue;
            const char letter = tail == TStrongsLanguage::Hebrew ? 'H' : 'G';
            links += links.empty() ? "" : ", ";
            links += Format("<a href=\"%c:%d\">%c%d</a>", letter - 'A' + 'a', ref.number, letter, ref.number);
        }
        if (!links.empty()) entry.article.push_back(Format("<p>See %s %s</p>", LanguageName(tail), links.c_str()));
    }
    return entry;
}

}  // namespace

std::string StrongsTitle(TStrongsLanguage language, int number) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%c%05d", language == TStrongsLanguage::Hebrew ? 'H' : 'G', number);
    return buffer;
}

TLexiconConversion ConvertStrongsDictionary(const std::vector<TImpEntry>& entries, TStrongsLanguage language) {
    const int count = NumberCount(language);
    TLexiconConversion result;
    result.Words.resize(static_cast<size_t>(count));
    result.Articles.resize(static_cast<size_t>(count));
    std::vector<bool> seen(static_cast<size_t>(count), false);
    for (const TImpEntry& imp : entries) {
        const int n = ParseNumber(imp.Key);
        if (n < 1 || n > count) {
            ++result.Ignored;
            continue;
        }
        const size_t i = static_cast<size_t>(n - 1);
        if (seen[i]) {
            ++result.Duplicates;
            continue;
        }
        seen[i] = true;
        Entry entry = ConvertEntry(imp.Text, language);
        result.Words[i] = std::move(entry.word);
        result.Articles[i] = std::move(entry.article);
    }
    for (int n = 1; n <= count; ++n) {
        result.Titles.push_back(StrongsTitle(language, n));
        std::vector<std::string>& article = result.Articles[static_cast<size_t>(n - 1)];
        if (!article.empty()) continue;
        ++result.NotUsed;
        article.push_back(seen[static_cast<size_t>(n - 1)]
                              ? Format("<p>Number %d is not used in Strong's %s dictionary.</p>", n, LanguageName(language))
                              : Format("<p>Strong's %s dictionary has no entry for number %d.</p>", LanguageName(language), n));
    }
    return result;
}

}  // namespace kvx::library
