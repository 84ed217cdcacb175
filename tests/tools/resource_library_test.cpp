// The library builder's lexicons, commentaries and topical Bible on small inputs
// shaped like the SWORD sources, faults included: the reading of their references,
// the OSIS-to-HTML writer, a commentary's verse index, the private configuration
// through which mod2imp reads a module with a corrected driver, and a whole build
// against a stand-in SWORD installation.
#include <filesystem>
#include <memory>
#include <sstream>
#include <tuple>

#include <gtest/gtest.h>

#include "engine/bible_module.h"
#include "engine/module_hash.h"
#include "engine/versification.h"
#include "modules/resource_builder.h"
#include "modules/resource_module.h"
#include "modules/strongs_data.h"
#include "platform/exception.h"
#include "refs/verse_links.h"
#include "render/export_procs.h"
#include "tests/support/fixtures.h"
#include "tools/library_builder/commentary_conversion.h"
#include "tools/library_builder/lexicon_conversion.h"
#include "tools/library_builder/library_builder.h"
#include "tools/library_builder/module_info.h"
#include "tools/library_builder/osis_html.h"
#include "tools/library_builder/osis_references.h"
#include "tools/library_builder/sword_installation.h"
#include "tools/library_builder/sword_keys.h"
#include "tools/library_builder/sword_verse_index.h"
#include "tools/library_builder/topical_conversion.h"

namespace kvx::library {
namespace {

namespace fs = std::filesystem;

// A Bible over the standard versification with the library's abbreviations.
const TZBBibleModule& Kjv() {
    static test::TempDir dir;
    static TZBBibleModule bible(test::WriteBible(dir, test::StandardBibleSource("KJV")));
    return bible;
}

int V(int book, int chapter, int verse) { return StandardVerseNumber({book, chapter, verse}); }
TVerseRange R(int book, int chapter, int first, int last) { return {V(book, chapter, first), V(book, chapter, last)}; }
TVerseRange R(int book, int chapter, int verse) { return R(book, chapter, verse, verse); }

std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += (out.empty() ? "" : "\n") + line;
    return out;
}

std::vector<TImpEntry> Imp(std::vector<TImpEntry> entries) { return entries; }

// ---- references ----------------------------------------------------------------

TEST(SourceReferences, OsisReferencesNameVersesOfThe66BooksOnly) {
    struct Case {
        const char* osisRef;
        TVerseRangeList expected;
    };
    const Case cases[] = {
        {"Gen.1.1", {R(1, 1, 1)}},
        {"Gen.8.13-Gen.8.19", {R(1, 8, 13, 19)}},
        {"Ps.23", {R(19, 23, 1, 6)}},
        {"1John.5.20", {R(62, 5, 20)}},
        {"Gen.1.31-Gen.2.3", {{V(1, 1, 31), V(1, 2, 3)}}},
        {"Gen.50.26-Exod.1.1", {{V(1, 50, 26), V(2, 1, 1)}}},
        {"Exod.6.23 Exod.6.25", {R(2, 6, 23), R(2, 6, 25)}},
        {"Gen.1.2-1.4", {R(1, 1, 2, 4)}},
        // The end verse written as a chapter ("Ps 88:15-17. 10" in the source).
        {"Ps.88.15-Ps.17.10", {R(19, 88, 15, 17)}},
        {"PrAzar.1.2", {}},
        {"Col.8.16", {}},
        {"Gen.1.32", {}},
        {"Luke.7.47-Luke.7.8", {}},
        {"Gen.1.1 Wis.2", {}},
        {"Gen", {}},
        {"Gen.a.1", {}},
        {"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(OsisReferenceRanges(c.osisRef), c.expected) << c.osisRef;
}

TEST(SourceReferences, LooseReferencesOfTheScofieldNotes) {
    struct Case {
        const char* text;
        TVerseRangeList expected;
    };
    const Case cases[] = {
        {"ge 1:5 ge 1:14", {R(1, 1, 5), R(1, 1, 14)}},
        {"jer 4:23-27", {R(24, 4, 23, 27)}},
        {"joe 2:1-joe 3:21", {{V(29, 2, 1), V(29, 3, 21)}}},
        {"Rev 2:1-Rev 3:22", {{V(66, 2, 1), V(66, 3, 22)}}},
        {"Rev 4:1 11:1", {R(66, 4, 1), R(66, 11, 1)}},
        {"ec 1", {R(21, 1, 1, 18)}},
        {"1chr 21:1", {R(13, 21, 1)}},
        {"Is 10:21,", {R(23, 10, 21)}},
        {"lu 17:26-29 lu 17:32", {R(42, 17, 26, 29), R(42, 17, 32)}},
        {"jud 6:24", {R(7, 6, 24)}},
        {"psa 136:5-9", {R(19, 136, 5, 9)}},
        // Nothing is moved into the book: a wrong chapter or verse names nothing.
        {"ec 25:1", {}},
        {"phm 4:5", {}},
        {"ge 1:5 ge 1:99", {}},
        {"4:1", {}},
        {"xyz 1:1", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(LooseReferenceRanges(c.text, Kjv()), c.expected) << c.text;
}

// ---- the HTML writer ---------------------------------------------------------------

std::string Html(std::string_view osis, TOsisHtmlOptions options = {}) {
    TOsisHtmlWriter writer(std::move(options));
    writer.Markup(osis);
    return Join(writer.Finish());
}

TEST(OsisHtmlWriter, BlocksStylesTablesAndLists) {
    const char* const kTable = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">";
    struct Case {
        const char* name;
        std::string osis;
        std::string expected;
    };
    const Case cases[] = {
        {"paragraphs", "<div sID=\"a\" type=\"x-p\"/> First  para &amp; <b>not</b>  <div eID=\"a\" type=\"x-p\"/> "
                       "<div sID=\"b\" type=\"x-p\"/>Second<div eID=\"b\" type=\"x-p\"/>",
         "<p>First para &amp; not</p>\n<p>Second</p>"},
        {"headings and styles across a paragraph break",
         "<title type=\"x-ms\">Genesis</title> <title type=\"x-s2\">Chapter 1</title> <hi type=\"bold\">Verses "
         "1-2</hi> text <hi type=\"italic\">slanted<div sID=\"p\" type=\"x-p\"/>still</hi> plain",
         "<h3>Genesis</h3>\n<h4>Chapter 1</h4>\n<p><b>Verses 1-2</b> text <i>slanted</i></p>\n<p><i>still</i> plain</p>"},
        {"outline tables one row at a time make one table",
         "<table> <row><cell>God creates.</cell><cell>(1-2)</cell></row> </table> <div sID=\"x\" type=\"x-p\"/> "
         "<div eID=\"x\" type=\"x-p\"/> <table> <row><cell>Light.</cell><cell>(3-5)</cell></row> </table> After.",
         std::string(kTable) + "<tr><td>God creates.</td><td>(1-2)</td></tr><tr><td>Light.</td><td>(3-5)</td></tr>"
                               "</table>\n<p>After.</p>"},
        {"label and empty cells", "<table><row><cell role=\"label\">Class</cell><cell/></row></table>",
         std::string(kTable) + "<tr><th>Class</th><td></td></tr></table>"},
        {"lists", "Divisions:<list> <item type=\"x-indent-1\">Creation</item> <item>Fall</item> </list>",
         "<p>Divisions:</p>\n<ul><li>Creation</li><li>Fall</li></ul>"},
        {"line breaks and Strong's words",
         "Line one<lb/>Line two <w lemma=\"strong:G622\">lost</w> <l sID=\"l1\"/>verse<l eID=\"l1\"/>",
         "<p>Line one<br>Line two <a href=\"g:622\">lost</a> verse</p>"},
        {"Greek and the code page", "\xE1\xBC\x80\xCE\xB3\xCE\xAC\xCF\x80\xCE\xB7 caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D",
         "<p>&#7936;&#947;&#940;&#960;&#951; caf\xE9 \x93quoted\x94</p>"},
        {"nothing visible", "<div sID=\"a\" type=\"x-p\"/> <chapter sID=\"Gen.1\"/> <div eID=\"a\" type=\"x-p\"/>", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(Html(c.osis), c.expected) << c.name;

    TOsisHtmlOptions paragraphs;
    paragraphs.LineBreakEndsParagraph = true;
    EXPECT_EQ(Html("from G25;<lb/> <lb/> love", paragraphs), "<p>from G25;</p>\n<p>love</p>");
}

TEST(OsisHtmlWriter, VerseReferencesBecomeScriprefsThatTheBuilderReadsBack) {
    TOsisHtmlOptions options;
    options.Bible = &Kjv();
    options.Reference = [](const TOsisToken& tag, const std::string&) {
        return TOsisReferenceResult{OsisReferenceRanges(tag.Attribute("osisRef")), {}};
    };
    struct Case {
        const char* name;
        std::string osis;
        std::string expected;
        TVerseRangeList verses;  // of the first reference
    };
    const Case cases[] = {
        {"one reference", "understanding, <reference osisRef=\"1John.5.20\">1Jo 5:20</reference>.",
         "<p>understanding, <scripref>1Jo 5:20</scripref>.</p>", {R(62, 5, 20)}},
        {"a bare verse number is written in full", "<reference osisRef=\"John.6.51\">51</reference>",
         "<p><scripref>Joh 6:51</scripref></p>", {R(43, 6, 51)}},
        {"references with only separators between join",
         "<ref osisRef=\"Exod.6.23\">Ex 6:23</ref>,<ref osisRef=\"Exod.6.25\">25</ref>; <ref "
         "osisRef=\"1Chr.6.3\">1Ch 6:3</ref> <lb/>next <ref osisRef=\"Lev.9\">Le 9</ref>",
         "<p><scripref>Ex 6:23,25; 1Ch 6:3</scripref><br>next <scripref>Le 9:1-24</scripref></p>",
         {R(2, 6, 23), R(2, 6, 25), R(13, 6, 3)}},
        {"words between keep them apart",
         "<ref osisRef=\"Gen.1.1\">Ge 1:1</ref> and <ref osisRef=\"Gen.1.2\">2</ref>",
         "<p><scripref>Ge 1:1</scripref> and <scripref>Ge 1:2</scripref></p>", {R(1, 1, 1)}},
        {"words of the reference stay",
         "<reference osisRef=\"Gen.1\">Read first chapter of Genesis</reference>",
         "<p>Read first chapter of Genesis (<scripref>Ge 1:1-31</scripref>)</p>", {R(1, 1, 1, 31)}},
        {"a reference to no verse stays as its text", "<reference osisRef=\"Col.8.16\">Co 8:16</reference>",
         "<p>Co 8:16</p>", {}},
    };
    for (const Case& c : cases) {
        TOsisHtmlWriter writer(options);
        writer.Markup(c.osis);
        const bool unread = c.verses.empty();
        const std::vector<std::string> lines = writer.Finish();
        EXPECT_EQ(Join(lines), c.expected) << c.name;
        EXPECT_EQ(writer.UnreadReferences(), unread ? 1 : 0) << c.name;
        ASSERT_FALSE(lines.empty()) << c.name;
        // The builder turns the first reference into a link to exactly these verses.
        std::string text = lines[0], messages;
        TVerseIndexLists index;
        ParseVerseLinks(text, Kjv(), 0, messages, index);
        EXPECT_EQ(messages, "") << c.name;
        if (!unread) {
            EXPECT_NE(text.find("<vrl:" + VerseLinkItems(c.verses) + ">"), std::string::npos) << c.name << ": " << text;
        }
    }
}

// ---- lexicons ----------------------------------------------------------------------

TEST(LexiconConversion, GreekArticlesStubsAndFaultsOfTheSource) {
    const std::vector<TImpEntry> greek = Imp({
        {"00002",
         "<entryFree n=\"00002\"> <orth>\xE1\xBC\x88\xCE\xB1\xCF\x81\xCF\x8E\xCE\xBD</orth> <orth "
         "type=\"writing\">*)AARW/N</orth> <orth rend=\"bold\" type=\"trans\">Aar\xE1\xB9\x93n</orth> <pron "
         "rend=\"italic\">ah-ar-ohn'</pron><lb/> <lb/> <def><orig>of Hebrew origin (<ref "
         "target=\"StrongsGreek:0175\">H0175</ref>);</orig><lb/> Aaron, the brother of Moses:--Aaron. See also <ref "
         "target=\"StrongsGreek:25\">G25</ref> and <ref target=\"StrongsGreek:25\">G25</ref>.</def> </entryFree>"},
        {"00003", "<entryFree n=\"00003\">   <def>Not Used </def> </entryFree>"},
        {"00003", "<entryFree n=\"00003\"> <orth>x</orth> </entryFree>"},
        {"99999", "<entryFree n=\"99999\"> <orth>x</orth> </entryFree>"},
    });
    const TLexiconConversion lexicon = ConvertStrongsDictionary(greek, TStrongsLanguage::Greek);
    ASSERT_EQ(lexicon.Articles.size(), 5624u);
    ASSERT_EQ(lexicon.Titles.size(), 5624u);
    EXPECT_EQ(lexicon.Titles[0], "G00001");
    EXPECT_EQ(lexicon.Titles[5623], "G05624");
    EXPECT_EQ(lexicon.Words[1].Word, "\xE1\xBC\x88\xCE\xB1\xCF\x81\xCF\x8E\xCE\xBD");
    EXPECT_EQ(lexicon.Words[1].Transliteration, "Aar\xE1\xB9\x93n");
    // The module files H0175 under Greek; the number it shows is Hebrew.
    EXPECT_EQ(Join(lexicon.Articles[1]),
              "<p><zbgreek>&#7944;&#945;&#961;&#974;&#957;</zbgreek> <b>Aar&#7763;n</b> <i>ah-ar-ohn'</i></p>\n"
              "<p>of Hebrew origin (H0175);</p>\n"
              "<p>Aaron, the brother of Moses:--Aaron. See also G25 and G25.</p>\n"
              "<p>See Hebrew <a href=\"h:175\">H175</a></p>\n"
              "<p>See Greek <a href=\"g:25\">G25</a></p>");
    EXPECT_EQ(Join(lexicon.Articles[2]), "<p>Number 3 is not used in Strong's Greek dictionary.</p>");
    EXPECT_EQ(lexicon.Words[2].Word, "");
    EXPECT_EQ(Join(lexicon.Articles[0]), "<p>Strong's Greek dictionary has no entry for number 1.</p>");
    EXPECT_EQ(lexicon.NotUsed, 5623);
    EXPECT_EQ(lexicon.Duplicates, 1);
    EXPECT_EQ(lexicon.Ignored, 1);

    // Built into a book, the article is what the pop-up and the plain text expect:
    // the headword in the Greek font, the cross-reference tails cut.
    test::TempDir dir;
    TResourceEntryList entries;
    for (size_t i = 0; i < lexicon.Articles.size(); ++i) entries.push_back({lexicon.Titles[i], lexicon.Articles[i]});
    BuildResourceModule(nullptr, nullptr, false, nullptr, Kjv(), dir.Path(), kBuilderSeed, true, "", "StrGrk", "StrGrk",
                        "Strong's Greek", entries);
    TZBDictionaryModule book(ResourceModuleFileName(dir.Path(), "StrGrk", false));
    ASSERT_EQ(book.EntryCount(), 5624);
    EXPECT_EQ(book.EntryTitles()[1], "G00002");
    const std::string article = StrongsArticle("G2", nullptr, &book);
    EXPECT_NE(article.find(std::string("<font face=\"") + GreekFontName + "\">&#7944;"), std::string::npos) << article;
    EXPECT_EQ(article.find("See "), article.find("See also")) << article;
    EXPECT_TRUE(article.ends_with("See also G25 and G25.</p>\r\n")) << article;
    const std::string plain = LexiconPlainText(book.GetEntryText(1));
    EXPECT_TRUE(plain.starts_with("Aar&#7763;n ah-ar-ohn'")) << plain;
    EXPECT_TRUE(plain.ends_with("See also G25 and G25.")) << plain;
    EXPECT_EQ(plain.find('<'), std::string::npos) << plain;
    EXPECT_NE(StrongsArticle("G3", nullptr, &book).find("Number 3 is not used"), std::string::npos);
}

TEST(LexiconConversion, HebrewTransliterationsKeepTheirSuperscriptVowel) {
    const std::vector<TImpEntry> hebrew = Imp({
        {"02200",
         "<entryFree n=\"2200\"> \t\t<orth>\xD7\x96\xD7\xA2\xD7\xA7</orth><lb/> <orth rend=\"bold\" "
         "type=\"trans\">z<hi rend=\"super\">e</hi>\xE2\x80\x9Biq</orth> <pron rend=\"italic\">zeh'-eek</pron><lb/> "
         "<def>(Chaldee); corresponding to <ref target=\"StrongsHebrew:2199\">H2199</ref>; to <hi "
         "rend=\"italic\">make an</hi> <hi rend=\"bold\">outcry:</hi> - cry.</def> </entryFree>"},
    });
    const TLexiconConversion lexicon = ConvertStrongsDictionary(hebrew, TStrongsLanguage::Hebrew);
    ASSERT_EQ(lexicon.Words.size(), 8674u);
    EXPECT_EQ(lexicon.Words[2199].Word, "\xD7\x96\xD7\xA2\xD7\xA7");
    EXPECT_EQ(lexicon.Words[2199].Transliteration, "z\xE1\xB5\x89\xE2\x80\x9Biq");
    EXPECT_EQ(Join(lexicon.Articles[2199]),
              "<p><zbhebrew>&#1494;&#1506;&#1511;</zbhebrew> <b>z&#7497;&#8219;iq</b> <i>zeh'-eek</i></p>\n"
              "<p>(Chaldee); corresponding to H2199; to <i>make an</i> <b>outcry:</b> - cry.</p>\n"
              "<p>See Hebrew <a href=\"h:2199\">H2199</a></p>");
    EXPECT_EQ(lexicon.Titles[2199], "H02200");
}

// ---- a commentary's verse index ------------------------------------------------------

// The bytes of a testament's index file as SWORD lays it out, each verse's record
// naming the verse whose text it shares (storedAs[v-1]; 0 for no text).
std::string IndexFile(bool oldTestament, int recordSize, const std::vector<int>& storedAs) {
    std::string bytes;
    auto record = [&](int as) {
        std::string r(static_cast<size_t>(recordSize), '\0');
        for (int i = 0; i < 4 && as > 0; ++i) r[static_cast<size_t>(4 + i)] = static_cast<char>((as >> (8 * i)) & 0xFF);
        if (as > 0) r[8] = 1;
        bytes += r;
    };
    record(0);  // module heading
    record(0);  // testament heading
    int verse = 0;
    const auto& books = StandardVersification().Books;
    for (size_t b = 0; b < books.size(); ++b) {
        const bool in = (b < 39) == oldTestament;
        if (in) record(0);
        for (int count : books[b].VersesPerChapter) {
            if (in) record(0);
            for (int v = 0; v < count; ++v) {
                ++verse;
                if (in) record(storedAs[static_cast<size_t>(verse - 1)]);
            }
        }
    }
    return bytes;
}

TEST(SwordVerseIndex, LinkedVersesMakeRangesThatNeverCrossAChapter) {
    std::vector<int> storedAs(kStandardVerseCount, 0);
    for (int v : {V(1, 1, 1), V(1, 1, 2)}) storedAs[static_cast<size_t>(v - 1)] = V(1, 1, 1);
    storedAs[static_cast<size_t>(V(1, 1, 3) - 1)] = V(1, 1, 3);
    // The same record on both sides of a chapter's introduction.
    for (int v : {V(1, 1, 31), V(1, 2, 1)}) storedAs[static_cast<size_t>(v - 1)] = V(1, 1, 31);
    for (int v : {V(40, 1, 1), V(40, 1, 2), V(40, 1, 3)}) storedAs[static_cast<size_t>(v - 1)] = V(40, 1, 1);

    for (auto [recordSize, driver, letter] : {std::tuple{10, "zCom", "b"}, std::tuple{12, "zCom4", "c"}}) {
        test::TempDir dir;
        test::WriteBytes(dir.File(std::string("ot.") + letter + "zv"), IndexFile(true, recordSize, storedAs));
        test::WriteBytes(dir.File(std::string("nt.") + letter + "zv"), IndexFile(false, recordSize, storedAs));
        const TSwordVerseIndex index = ReadSwordVerseIndex(dir.Path());
        ASSERT_TRUE(index.Found()) << driver;
        EXPECT_EQ(index.Driver(), driver);
        auto end = [&](int verse) { return index.RangeEnd[static_cast<size_t>(verse - 1)]; };
        EXPECT_EQ(end(V(1, 1, 1)), V(1, 1, 2));
        EXPECT_EQ(end(V(1, 1, 2)), 0);
        EXPECT_EQ(end(V(1, 1, 3)), V(1, 1, 3));
        EXPECT_EQ(end(V(1, 1, 4)), 0);
        EXPECT_EQ(end(V(1, 1, 31)), V(1, 1, 31));
        EXPECT_EQ(end(V(1, 2, 1)), V(1, 2, 1));
        EXPECT_EQ(end(V(40, 1, 1)), V(40, 1, 3));
    }

    test::TempDir broken;
    test::WriteBytes(broken.File("ot.bzv"), IndexFile(true, 10, storedAs) + "x");
    test::WriteBytes(broken.File("nt.bzv"), IndexFile(false, 10, storedAs));
    EXPECT_FALSE(ReadSwordVerseIndex(broken.Path()).Found());
    test::TempDir halfway;
    test::WriteBytes(halfway.File("ot.bzv"), IndexFile(true, 10, storedAs));
    EXPECT_FALSE(ReadSwordVerseIndex(halfway.Path()).Found());
    EXPECT_FALSE(ReadSwordVerseIndex(halfway.File("missing")).Found());
}

// ---- commentaries ----------------------------------------------------------------------

TEST(CommentaryConversion, IntroductionsAndRangesByRule) {
    const std::vector<TImpEntry> exported = Imp({
        {"[ Module Heading ]", "<milestone type=\"x-importer\"/>"},
        {"Genesis 0:0", "<div type=\"book\" sID=\"g1\"/> <title type=\"main\">Genesis</title>"},
        {"Genesis 1:0", "<chapter sID=\"Gen.1\"/> <div sID=\"i1\" type=\"introduction\"/> The book of beginnings. "
                        "<div eID=\"i1\" type=\"introduction\"/>"},
        {"Genesis 1:1", "In the beginning."},
        {"Genesis 1:3", "Light, <reference osisRef=\"1John.5.20\">1Jo 5:20</reference>."},
        {"Genesis 2:0", "<chapter sID=\"Gen.2\"/>"},
        {"Genesis 2:1", "The heavens finished."},
        {"Exodus 1:0", "<chapter sID=\"Exod.1\"/> Only an introduction."},
        {"Tobit 1:1", "Not one of the 66 books."},
    });
    TSwordVerseIndex index;
    index.RecordSize = 10;
    index.RangeEnd.assign(kStandardVerseCount, 0);
    index.RangeEnd[static_cast<size_t>(V(1, 1, 1) - 1)] = V(1, 1, 2);
    index.RangeEnd[static_cast<size_t>(V(1, 1, 3) - 1)] = V(1, 1, 5);
    index.RangeEnd[static_cast<size_t>(V(1, 2, 1) - 1)] = V(1, 2, 1);
    const TSwordVerseIndex noIndex;

    TOsisHtmlOptions html;
    html.Bible = &Kjv();
    html.Reference = [](const TOsisToken& tag, const std::string& content) {
        return CommentaryReference(tag, content, "TEST", "Test", false, Kjv());
    };
    struct Case {
        const char* name;
        const TSwordVerseIndex& index;
        TCommentRanges rule;
        std::vector<TVerseRange> expected;
    };
    const Case cases[] = {
        {"chapter comments", index, TCommentRanges::ChapterComments,
         {R(1, 1, 1, 2), R(1, 1, 3, 5), R(1, 2, 1, 25), R(2, 1, 1, 22)}},
        {"as indexed", index, TCommentRanges::AsIndexed, {R(1, 1, 1, 2), R(1, 1, 3, 5), R(1, 2, 1), R(2, 1, 1)}},
        {"chapter comments without an index", noIndex, TCommentRanges::ChapterComments,
         {R(1, 1, 1, 2), R(1, 1, 3, 31), R(1, 2, 1, 25), R(2, 1, 1, 22)}},
        {"verses without an index", noIndex, TCommentRanges::AsIndexed,
         {R(1, 1, 1), R(1, 1, 3), R(1, 2, 1), R(2, 1, 1)}},
    };
    for (const Case& c : cases) {
        const TCommentaryConversion conversion = ConvertSwordCommentary(exported, c.index, c.rule, html);
        std::vector<TVerseRange> ranges;
        for (const TCommentaryEntry& e : conversion.Entries) ranges.push_back({e.First, e.Last});
        EXPECT_EQ(ranges, c.expected) << c.name;
        EXPECT_EQ(conversion.Introductions, 2) << c.name;
        EXPECT_EQ(conversion.KeysOutside, 1) << c.name;
        EXPECT_EQ(conversion.References, 1) << c.name;
    }
    const TCommentaryConversion conversion = ConvertSwordCommentary(exported, index, TCommentRanges::ChapterComments, html);
    ASSERT_EQ(conversion.Entries.size(), 4u);
    EXPECT_EQ(Join(conversion.Entries[0].Lines),
              "<p><b><scripref>Ge 1:1-2</scripref></b></p>\n<h3>Genesis</h3>\n<p>The book of beginnings.</p>\n"
              "<p>In the beginning.</p>");
    EXPECT_EQ(Join(conversion.Entries[1].Lines),
              "<p><b><scripref>Ge 1:3-5</scripref></b></p>\n<p>Light, <scripref>1Jo 5:20</scripref>.</p>");
    EXPECT_EQ(Join(conversion.Entries[3].Lines), "<p><b><scripref>Ex 1:1-22</scripref></b></p>\n<p>Only an introduction.</p>");
}

TEST(CommentaryConversion, ReferencesToVersesAndToOtherNotes) {
    auto reference = [](const std::string& osisRef, bool loose, const std::string& content = "x") {
        const std::string markup = "<reference osisRef=\"" + osisRef + "\">";
        TOsisScanner scanner(markup);
        TOsisToken tag;
        scanner.Next(tag);
        return CommentaryReference(tag, content, "Scofield", "Scofield", loose, Kjv());
    };
    EXPECT_EQ(reference("Gen.1.1", false).Verses, (TVerseRangeList{R(1, 1, 1)}));
    EXPECT_EQ(reference("ge 1:5 ge 1:14", true).Verses, (TVerseRangeList{R(1, 1, 5), R(1, 1, 14)}));
    EXPECT_TRUE(reference("ge 1:5", false).Verses.empty());
    const TOsisReferenceResult note = reference("Scofield:Ge 1:26", true, "Genesis 1:26");
    EXPECT_TRUE(note.Verses.empty());
    EXPECT_EQ(note.Html, "<a href=\"zbcmt:Scofield|Ge%201:26\">Genesis 1:26</a>");
    EXPECT_EQ(reference("Scofield:Is 4:23", true).Html, "");
}

// ---- the topical Bible -------------------------------------------------------------------

TEST(TopicalConversion, TopicsReferencesAndSeeAlsoLinks) {
    const std::vector<TImpEntry> exported = Imp({
        {"AARON",
         "<entryFree n=\"AARON\"> <def> <lb/>\xE2\x86\x92 Meets Moses <ref osisRef=\"Exod.4.14-Exod.4.16\">Ex "
         "4:14-16</ref>,<ref osisRef=\"Exod.4.27\">27</ref> <lb/>\xE2\x86\x92 See <ref "
         "target=\"Nave:PRIESTS\">PRIESTS</ref>; <ref target=\"Nave:LEVITE'S DUTY\">LEVITE'S DUTY</ref>; <ref "
         "target=\"Nave:JESUS\">JESUS</ref></def> </entryFree>"},
        {"PRIEST", "<entryFree n=\"PRIEST\"> <def>Of <ref osisRef=\"PrAzar.1.2\">Azariah 2</ref></def></entryFree>"},
        {"LEVITE'S DUTY", "<def>x</def>"},
        {"SIN", "<def>1. Desert</def>"},
        {"SIN", "<def>2. Transgression</def>"},
    });
    const TTopicalConversion topics = ConvertSwordTopics(exported, "Nave", "Nave", Kjv());
    ASSERT_EQ(topics.Entries.size(), 4u);
    EXPECT_EQ(topics.Entries[0].Title, "AARON");
    ASSERT_TRUE(topics.Entries[0].Lines);
    EXPECT_EQ(Join(*topics.Entries[0].Lines),
              "<p>&#8594; Meets Moses <scripref>Ex 4:14-16,27</scripref><br>&#8594; See <a "
              "href=\"zbbook:Nave|PRIEST\">PRIESTS</a>; <a href=\"zbbook:Nave|LEVITE%27S%20DUTY\">LEVITE'S DUTY</a>; "
              "JESUS</p>");
    EXPECT_EQ(Join(*topics.Entries[1].Lines), "<p>Of Azariah 2</p>");
    EXPECT_EQ(topics.Entries[3].Title, "SIN");
    EXPECT_EQ(Join(*topics.Entries[3].Lines), "<p>1. Desert</p>\n<hr>\n<p>2. Transgression</p>");
    EXPECT_EQ(topics.References, 2);
    EXPECT_EQ(topics.UnreadReferences, 1);
    EXPECT_EQ(topics.Links, 1);
    EXPECT_EQ(topics.LinksToOtherNumber, 1);
    EXPECT_EQ(topics.LinksDropped, 1);
    EXPECT_EQ(topics.TopicsJoined, 1);
}

// ---- configurations and information texts -------------------------------------------------

TEST(SwordConfiguration, RewritingReplacesEntriesOnceAndKeepsContinuations) {
    const std::string conf =
        "[MHCC]\nDataPath=./modules/x/\nModDrv=zCom4\nAbout=one\\\nModDrv=inside the about text\nModDrv=zCom4\nLang=en\n";
    const std::string rewritten = RewriteSwordConf(conf, {{"ModDrv", "zCom"}, {"DataPath", "./data/"}, {"Encoding", "UTF-8"}});
    EXPECT_EQ(rewritten,
              "[MHCC]\nDataPath=./data/\nModDrv=zCom\nAbout=one\\\nModDrv=inside the about text\nLang=en\nEncoding=UTF-8\n");
    const TSwordModuleInfo info = ParseSwordConf(rewritten);
    EXPECT_EQ(info.Get("ModDrv"), "zCom");
    EXPECT_EQ(info.Get("About"), "oneModDrv=inside the about text");
}

TEST(SwordConfiguration, PrivateFolderLeadsToTheInstalledDataAndGoesAway) {
    test::TempDir dir;
    const std::string data = dir.File("modules/comments/zcom/mhcc");
    fs::create_directories(data);
    test::WriteBytes(data + "/ot.bzv", "index");
    test::WriteBytes(dir.File("mhcc.conf"), "[MHCC]\nDataPath=./modules/comments/zcom/mhcc/\nModDrv=zCom4\n");
    TSwordModuleInfo module = ParseSwordConf(test::ReadBytes(dir.File("mhcc.conf")));
    module.ConfFile = dir.File("mhcc.conf");
    module.DataPath = data;
    std::string path;
    {
        TPrivateSwordFolder folder(module, {{"ModDrv", "zCom"}});
        path = folder.Path();
        const TSwordModuleInfo copy = ParseSwordConf(test::ReadBytes(path + "/mods.d/mhcc.conf"));
        EXPECT_EQ(copy.Get("ModDrv"), "zCom");
        EXPECT_EQ(copy.Get("DataPath"), "./data/");
        EXPECT_EQ(test::ReadBytes(path + "/data/ot.bzv"), "index");
    }
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(test::ReadBytes(data + "/ot.bzv"), "index");
    EXPECT_EQ(test::ReadBytes(dir.File("mhcc.conf")), "[MHCC]\nDataPath=./modules/comments/zcom/mhcc/\nModDrv=zCom4\n");
}

TEST(ModuleInfo, AboutTextsLoseTheirRtfMarks) {
    EXPECT_EQ(AboutToHtml("Public Domain--Copy Freely.\\par This text & more\\\\par\\par \\qc Strong's\\pard\\par"),
              "<p>Public Domain--Copy Freely.</p>\n<p>This text &amp; more</p>\n<p>Strong's</p>\n");
    EXPECT_EQ(AboutToHtml("Plain"), "<p>Plain</p>\n");
}

// ---- a whole build --------------------------------------------------------------------------

// A SWORD folder with every module of the default library, each with a small export
// in its data folder, and a stand-in for mod2imp that prints it, reading the
// module's configuration as SWORD does. Like SWORD, it reads nothing when the
// configuration names the zCom4 driver for the 10-byte index of zCom.
class FakeSword {
public:
    FakeSword() {
        fs::create_directories(Path() + "/mods.d");
        Module("engKJV2006eb", "texts/ztext/engKJV2006eb/", "zText", BibleExport("KJV"));
        Module("engWEB2015eb", "texts/ztext/engWEB2015eb/", "zText", BibleExport("WEB"));
        Module("StrongsHebrew", "lexdict/zld/strongshebrew/dict", "zLD",
               "$$$00001\n<entryFree n=\"1\"> <orth>\xD7\x90\xD7\x91</orth><lb/> <orth rend=\"bold\" "
               "type=\"trans\">'\xC3\xA2" "b</orth> <pron rend=\"italic\">awb</pron><lb/> <def>A primitive word; "
               "<hi rend=\"italic\">father</hi>. Compare <ref target=\"StrongsHebrew:2\">H2</ref>.</def></entryFree>\n");
        Module("StrongsGreek", "lexdict/zld/strongsgreek/dict", "zLD",
               "$$$00026\n<entryFree n=\"00026\"> <orth>\xE1\xBC\x80\xCE\xB3\xCE\xAC\xCF\x80\xCE\xB7</orth> <orth "
               "rend=\"bold\" type=\"trans\">ag\xC3\xA1p\xC4\x93</orth> <def>love</def></entryFree>\n");
        Module("MHCC", "comments/zcom/mhcc/", "zCom4",
               "$$$Genesis 1:3\n<hi type=\"bold\">Verses 3-5</hi> Light, <reference "
               "osisRef=\"1John.5.20\">1Jo 5:20</reference>.\n",
               "b", 10, {{V(1, 1, 3), V(1, 1, 5)}});
        Module("TDavid", "comments/zcom/tdavid/", "zCom4", "$$$Psalms 23:1\nThe pearl of psalms.\n", "c", 12,
               {{V(19, 23, 1), V(19, 23, 1)}});
        Module("Scofield", "comments/zcom/scofield/", "zCom",
               "$$$Genesis 1:1\nSee <reference osisRef=\"ge 1:5 ge 1:14\">1:5,14</reference> and <reference "
               "osisRef=\"Scofield:Ge 1:26\">1:26</reference>.\n",
               "b", 10, {{V(1, 1, 1), V(1, 1, 1)}});
        Module("Nave", "lexdict/zld/nave/nave", "zLD",
               "$$$AARON\n<def>Meets Moses <ref osisRef=\"Exod.4.14-Exod.4.16\">Ex 4:14-16</ref>. See <ref "
               "target=\"Nave:MOSES\">MOSES</ref></def>\n$$$MOSES\n<def>Law</def>\n");
        test::WriteBytes(Program(),
                         "#!/bin/sh\n[ \"$LANG\" = C ] || exit 3\n"
                         "conf=$(grep -l \"^\\[$1\\]\" \"$SWORD_PATH\"/mods.d/*.conf) || { echo \"no module $1\" >&2; exit 1; }\n"
                         "data=$(sed -n 's/^DataPath=//p' \"$conf\" | head -n 1)\n"
                         "driver=$(sed -n 's/^ModDrv=//p' \"$conf\" | head -n 1)\n"
                         "dir=\"$SWORD_PATH/$data\"; [ -d \"$dir\" ] || dir=$(dirname \"$dir\")\n"
                         "if [ \"$driver\" = zCom4 ] && [ -f \"$dir/ot.bzv\" ]; then printf '$$$[ Module Heading ]\\n\\n'; exit 0; fi\n"
                         "exec cat \"$dir/export.imp\"\n");
        fs::permissions(Program(), fs::perms::owner_all);
        fs::create_directories(Docs() + "/sword-comm-mhcc");
        test::WriteBytes(Docs() + "/sword-comm-mhcc/copyright", "Files: *\nLicense: public-domain\n");
    }
    std::string Path() const { return fs::canonical(dir_.Path()).string() + "/sword"; }
    std::string Program() const { return dir_.File("fake-mod2imp"); }
    std::string Docs() const { return dir_.File("doc"); }

private:
    // A module's configuration, data folder and export; a commentary's index files
    // have ranges {first, last} linked.
    void Module(const std::string& name, const std::string& dataPath, const std::string& driver, const std::string& imp,
                const std::string& indexLetter = {}, int recordSize = 0, const std::vector<TVerseRange>& linked = {}) {
        const fs::path path = fs::path(Path()) / "modules" / dataPath;
        const fs::path folder = dataPath.back() == '/' ? path : path.parent_path();
        fs::create_directories(folder);
        test::WriteBytes((folder / "export.imp").string(), imp);
        if (dataPath.back() != '/') test::WriteBytes(path.string() + ".dat", "data");
        if (recordSize > 0) {
            std::vector<int> storedAs(kStandardVerseCount, 0);
            for (const TVerseRange& r : linked)
                for (int v = r.First; v <= r.Last; ++v) storedAs[static_cast<size_t>(v - 1)] = r.First;
            test::WriteBytes((folder / ("ot." + indexLetter + "zv")).string(), IndexFile(true, recordSize, storedAs));
            test::WriteBytes((folder / ("nt." + indexLetter + "zv")).string(), IndexFile(false, recordSize, storedAs));
        }
        test::WriteBytes(Path() + "/mods.d/" + name + ".conf",
                         "[" + name + "]\nDataPath=./modules/" + dataPath + "\nModDrv=" + driver + "\nVersion=1.0\n");
    }

    static std::string BibleExport(const std::string& label) {
        std::string imp;
        int verse = 0;
        const auto& books = StandardVersification().Books;
        for (size_t b = 0; b < books.size(); ++b)
            for (size_t c = 0; c < books[b].VersesPerChapter.size(); ++c)
                for (int v = 1; v <= books[b].VersesPerChapter[c]; ++v)
                    imp += Format("$$$%s %zu:%d\n%s <w lemma=\"strong:H0001\">verse</w> %d\n",
                                  SwordBookName(static_cast<int>(b + 1)).c_str(), c + 1, v, label.c_str(), ++verse);
        return imp;
    }

    test::TempDir dir_;
};

TEST(BuildLibrary, BuildsTheLexiconsCommentariesAndTopicalBible) {
    FakeSword sword;
    test::TempDir library;
    TLibraryBuildOptions options;
    options.LibraryFolder = library.Path();
    options.SwordPath = sword.Path();
    options.DocPath = sword.Docs();
    options.ModToImp = sword.Program();
    std::ostringstream log;
    TProgress progress(log, nullptr);

    const TLibraryBuildReport first = BuildLibrary(options, DefaultLibraryTargets(), progress);
    EXPECT_EQ(first.Built, 10) << log.str();
    for (const char* line : {"stgdat.zb4: built, 1 Hebrew and 1 Greek words",
                             "Modules/StrHeb.zb5book: built, 8674 articles, 8673 numbers not used",
                             "Modules/MHCC.zb5cmty: built, 1 comments (1 on more than one verse), 1 references, read with "
                             "driver zCom",
                             "Modules/TDavid.zb5cmty: built, 1 comments (1 on more than one verse), 0 references (",
                             "Modules/Scofield.zb5cmty: built, 1 comments (0 on more than one verse), 2 references (",
                             "Modules/Nave.zb5book: built, 2 topics, 1 references, 1 see-also links ("})
        EXPECT_NE(log.str().find(line), std::string::npos) << line << "\n" << log.str();

    TZBStrongsDataModule strongs(library.File("stgdat.zb4"));
    EXPECT_EQ(strongs.HebrewWord(1), "\xD7\x90\xD7\x91");
    EXPECT_EQ(strongs.HebrewTransliteration(1), "'\xC3\xA2" "b");
    EXPECT_EQ(strongs.GreekTransliteration(26), "ag\xC3\xA1p\xC4\x93");

    TZBDictionaryModule hebrew(library.File("Modules/StrHeb.zb5book"));
    EXPECT_EQ(hebrew.ModuleCode(), "StrHeb");
    EXPECT_EQ(hebrew.Origin(), TModuleOrigin::Builder);
    EXPECT_EQ(hebrew.EntryCount(), 8674);
    EXPECT_NE(hebrew.GetEntryText(0).find("<p>See Hebrew <a href=\"h:2\">H2</a></p>"), std::string::npos);
    TZBDictionaryModule greek(library.File("Modules/StrGrk.zb5book"));
    EXPECT_EQ(greek.ModuleCode(), "StrGrk");
    EXPECT_NE(StrongsArticle("G26", &hebrew, &greek).find("love"), std::string::npos);

    // The installed MHCC configuration's driver is wrong for its data: read through
    // a corrected copy, the comment is there, over its indexed range.
    TZBCommentaryModule mhcc(library.File("Modules/MHCC.zb5cmty"));
    const int genesis13 = V(1, 1, 3);
    ASSERT_TRUE(mhcc.EntryHasText(genesis13 - 1));
    EXPECT_EQ(mhcc.GetVerseEntries(V(62, 5, 20) - 1), TEntryIndexArray{static_cast<uint16_t>(genesis13 - 1)});
    EXPECT_EQ(mhcc.GetVerseEntries(V(1, 1, 5) - 1), TEntryIndexArray{static_cast<uint16_t>(genesis13 - 1)});
    EXPECT_TRUE(mhcc.GetVerseEntries(V(1, 1, 6) - 1).empty());
    EXPECT_NE(mhcc.InfoText().find("License: public-domain"), std::string::npos) << mhcc.InfoText();
    EXPECT_NE(mhcc.InfoText().find("it was read with zCom"), std::string::npos) << mhcc.InfoText();
    EXPECT_NE(test::ReadBytes(sword.Path() + "/mods.d/MHCC.conf").find("ModDrv=zCom4"), std::string::npos);

    // A lone comment at a psalm's first verse is on the whole psalm.
    TZBCommentaryModule tdavid(library.File("Modules/TDavid.zb5cmty"));
    EXPECT_EQ(tdavid.GetVerseEntries(V(19, 23, 6) - 1), TEntryIndexArray{static_cast<uint16_t>(V(19, 23, 1) - 1)});
    TZBCommentaryModule scofield(library.File("Modules/Scofield.zb5cmty"));
    EXPECT_NE(scofield.GetEntryText(0).find("<a href=\"zbcmt:Scofield|Ge%201:26\">1:26</a>"), std::string::npos)
        << scofield.GetEntryText(0);
    EXPECT_FALSE(scofield.GetVerseEntries(V(1, 1, 14) - 1).empty());

    TZBDictionaryModule nave(library.File("Modules/Nave.zb5book"));
    const int aaron = nave.FindEntry("AARON");
    ASSERT_EQ(aaron, 0);
    EXPECT_EQ(nave.GetVerseEntries(V(2, 4, 14) - 1), TEntryIndexArray{0});
    EXPECT_NE(nave.GetEntryText(aaron).find("<a href=\"zbbook:Nave|MOSES\">MOSES</a>"), std::string::npos);

    log.str("");
    const TLibraryBuildReport second = BuildLibrary(options, DefaultLibraryTargets(), progress);
    EXPECT_EQ(second.Built, 0) << log.str();
    EXPECT_EQ(second.UpToDate, 10);
}

}  // namespace
}  // namespace kvx::library
