// The library builder's parts on small inputs: the tag scanner, the OSIS verse
// converter with the faults the SWORD sources are known to have, key mapping, the
// mod2imp reader, the up-to-date test, and a whole build against a stand-in SWORD
// installation and exporter.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "engine/bible_module.h"
#include "engine/module_hash.h"
#include "engine/verse_types.h"
#include "engine/versification.h"
#include "platform/exception.h"
#include "tests/support/fixtures.h"
#include "tools/library_builder/bible_conversion.h"
#include "tools/library_builder/library_builder.h"
#include "tools/library_builder/osis_scanner.h"
#include "tools/library_builder/osis_verse_converter.h"
#include "tools/library_builder/sword_export.h"
#include "tools/library_builder/sword_installation.h"
#include "tools/library_builder/sword_keys.h"
#include "tools/library_builder/up_to_date.h"

namespace kvx::library {
namespace {

namespace fs = std::filesystem;

const TOsisVerseOptions kKjvOptions{.Strongs = true, .SuppliedWords = true, .Footnotes = true};
const TOsisVerseOptions kWebOptions{.Strongs = false, .SuppliedWords = false, .Footnotes = true};

std::string Convert(std::string_view osis, const TOsisVerseOptions& options = kKjvOptions) {
    return TOsisVerseConverter(options).Convert(osis).Text;
}

struct ConvertCase {
    const char* name;
    std::string osis;
    std::string expected;
};

// ---- scanner -------------------------------------------------------------------

TEST(OsisScanner, ReportsTagsAndTextAndForgivesStrayCharacters) {
    TOsisScanner scanner(
        "a &lt;b&gt; <w lemma='strong:H1'>x</w><div sID=\"p1\" type=\"x-p\"/>1 < 2 <br <!-- c -->&#x5D0;&bogus;</q>");
    std::vector<std::string> seen;
    TOsisToken t;
    while (scanner.Next(t)) {
        switch (t.kind) {
            case TOsisToken::Kind::Text: seen.push_back("T:" + t.text); break;
            case TOsisToken::Kind::Start: seen.push_back("S:" + std::string(t.name) + "=" + t.Attribute("lemma")); break;
            case TOsisToken::Kind::End: seen.push_back("E:" + std::string(t.name)); break;
            case TOsisToken::Kind::Empty: seen.push_back("M:" + std::string(t.name) + "=" + t.Attribute("sID")); break;
        }
    }
    std::vector<std::string> expected = {"T:a <b> ", "S:w=strong:H1", "T:x", "E:w", "M:div=p1",
                                         "T:1 ", "T:< 2 ", "T:<br ", "T:\u05D0&bogus;", "E:q"};
    EXPECT_EQ(seen, expected);
}

TEST(OsisScanner, AttributesAreFoundByWholeNameOnly) {
    TOsisScanner scanner(R"(<note type="crossReference" subType = "x" n=7 osisRef="Gen.1.1">)");
    TOsisToken t;
    ASSERT_TRUE(scanner.Next(t));
    EXPECT_EQ(t.Attribute("type"), "crossReference");
    EXPECT_EQ(t.Attribute("subType"), "x");
    EXPECT_EQ(t.Attribute("n"), "7");
    EXPECT_FALSE(t.HasAttribute("Type"));
    EXPECT_FALSE(t.HasAttribute("osis"));
}

// ---- verse converter --------------------------------------------------------------

TEST(OsisVerseConverter, KingJamesMarkUp) {
    const ConvertCase cases[] = {
        {"strongs", R"(In the <w lemma="strong:H7225">beginning</w> <w lemma="strong:H0430">God</w>.)",
         "In the beginning\x02" "07225 God\x02" "00430."},
        {"greek and two numbers", R"(<w lemma="strong:G2424">Jesus</w> <w lemma="strong:G1145 strong:G0001">wept</w>.)",
         "Jesus\x03" "02424 wept\x03" "01145\x03" "00001."},
        {"supplied words", R"(darkness <transChange type="added">was</transChange> upon)", "darkness [was] upon"},
        {"translators' note", R"(darkness.<note placement="foot"><reference type="annotateRef">1.4 </reference>the light from…: Heb. between</note>)",
         "darkness.{the light from\x85: Heb. between}"},
        {"stray usfm in text", R"(the \nd <w lemma="strong:H3068">LORD</w></divineName> hath)", "the LORD\x02" "03068 hath"},
        {"stray usfm in note",
         R"(LORD:<note placement="foot"><reference type="annotateRef">6.2 </reference>the <divineName>LORD\+nd*: or, <seg type="x-nested"><divineName>JEHOVAH</divineName></seg></note>)",
         "LORD:{the LORD: or, JEHOVAH}"},
        {"psalm title in the pre-verse part",
         R"(<div type="x-milestone" subType="x-preverse" sID="pv1"/><title canonical="true" type="psalm">A <w lemma="strong:H4210">Psalm</w> of David.</title> <lg sID="g1"/> <l level="1" sID="g2"/> <div type="x-milestone" subType="x-preverse" eID="pv1"/><divineName><w lemma="strong:H3068">LORD</w></divineName>, how <l eID="g2" level="1"/>)",
         "<<A Psalm\x02" "04210 of David.>> LORD\x02" "03068, how"},
        {"subscription after the chapter's end",
         R"(<w lemma="strong:G0281">Amen</w>.  <div eID="p" type="x-p"/> <chapter eID="Rom.16"/> <title>Written to the Romans from Corinthus, <transChange type="added">and sent</transChange> by Phebe.</title> <div canonical="true" eID="b" osisID="Rom" type="book"/>)",
         "Amen\x03" "00281. <<Written to the Romans from Corinthus, [and sent] by Phebe.>>"},
        {"paragraph sign", R"(<div sID="gen5" type="x-p"/> ¶ And God said)", "And God said"},
        {"poetry milestones between words", R"(in the fire.<l eID="a" level="1"/><l level="2" sID="b"/>Many are they)",
         "in the fire. Many are they"},
        {"element ended in mid-word", R"(with <w lemma="strong:G1144">tear</w>s, and <w lemma="strong:G2596">in</w>asmuch)",
         "with tears\x03" "01144, and inasmuch\x03" "02596"},
        {"words split across elements", R"(a sabbath <w lemma="strong:G4521">day</w>’<w lemma="strong:G3598">s journey</w>)",
         "a sabbath day\x92s\x03" "04521 journey\x03" "03598"},
        {"empty groups vanish", R"(a <transChange type="added"> </transChange> b<note placement="foot"><reference type="annotateRef">1.1 </reference></note> c)",
         "a b c"},
        {"white space inside groups", "a\t<transChange type=\"added\"> was </transChange>  \n b", "a [was] b"},
        // "<b>" is a tag and vanishes; braces would read as a note.
        {"characters the code page lacks and HTML specials", "\xD7\x90 & <b> {x} 1 &lt; 2\x01", "&#1488; &amp; (x) 1 &lt; 2"},
    };
    for (const ConvertCase& c : cases) EXPECT_EQ(Convert(c.osis), c.expected) << c.name;
}

TEST(OsisVerseConverter, ParagraphSignMarksTheVerseOnlyOutsideNotesAndTitles) {
    TOsisVerseConverter converter(kKjvOptions);
    EXPECT_TRUE(converter.Convert("¶ And God said").ParagraphSign);
    EXPECT_FALSE(converter.Convert("And God said").ParagraphSign);
    EXPECT_FALSE(converter.Convert("said<note placement=\"foot\">¶ a note</note>").ParagraphSign);
}

TEST(OsisVerseConverter, WorldEnglishBibleMarkUp) {
    const ConvertCase cases[] = {
        {"note between two words",
         R"(<w lemma="strong:H0430">God</w><note placement="foot"><reference type="annotateRef">1:1 </reference>The Hebrew word rendered “God” is “אֱ” (Elohim).</note><w lemma="strong:H1254">created</w> the)",
         "God{The Hebrew word rendered \x93God\x94 is \x93&#1488;&#1457;\x94 (Elohim).} created the"},
        {"note before punctuation", R"(offspring<note placement="foot">or, seed</note>, who)", "offspring{or, seed}, who"},
        {"note opening the verse", R"(<note placement="foot">TR adds “x.”</note>By examining)", "{TR adds \x93x.\x94} By examining"},
        {"spaced punctuation after a note", R"(<q who="Jesus">two coins</q> <note placement="foot">n</note> <q who="Jesus">? Not</q>)",
         "two coins{n}? Not"},
        {"two notes between words", R"(knew<note placement="foot">a</note><note placement="foot">b</note>Eve)", "knew{a}{b} Eve"},
        {"quotation ends against a word", R"(righteousness.”</q><w lemma="strong:G5119">Then</w> he)", "righteousness.\x94 Then he"},
        {"quotation begins after a space", R"(said to him, <q marker="" who="Jesus">“Allow it)", "said to him, \x93" "Allow it"},
        {"quotation after an opening mark", R"(“<q who="Jesus">Allow</q>”)", "\x93" "Allow\x94"},
        {"cross-reference note",
         R"(evaluated,<note type="crossReference"><reference subType="x-origin" type="annotateRef">12:4 </reference><reference>Exodus 30:12</reference></note> and)",
         "evaluated,{Exodus 30:12} and"},
        {"alternate reading and catch word", R"(him<note placement="foot">Hebrew: <catchWord>them</catchWord>, <rdg type="alternate">head</rdg></note> go)",
         "him{Hebrew: them, head} go"},
        {"speaker and list items", R"(<speaker>Beloved</speaker> <lg sID="a"/>Let him kiss me<list><item>Of Phinehas.</item><item>Of Ithamar.</item></list>)",
         "<<Beloved>> Let him kiss me Of Phinehas. Of Ithamar."},
        {"entity in a note", R"(Bethsphage<note placement="foot">TR &amp;NU read “Bethphage”</note> and)",
         "Bethsphage{TR &amp;NU read \x93" "Bethphage\x94} and"},
        {"glossary after the end of the book",
         R"(with all. Amen. <chapter eID="Rev.22"/><div eID="g1" type="x-p"/> <div canonical="true" eID="b" osisID="Rev" type="book"/> <div sID="gl" type="glossary"/>Abba: father)",
         "with all. Amen."},
        {"strong's tags ignored", R"(<w lemma="strong:H0430">In</w> the)", "In the"},
    };
    for (const ConvertCase& c : cases) EXPECT_EQ(Convert(c.osis, kWebOptions), c.expected) << c.name;
    EXPECT_TRUE(TOsisVerseConverter(kWebOptions).Convert(cases[12].osis).EndOfBook);
}

TEST(OsisVerseConverter, ForeignDivisionsInsideAVerseAreLeftOut) {
    EXPECT_EQ(Convert(R"(Amen.<div sID="f" type="front"/>Preface text<div eID="f" type="front"/> more)", kWebOptions),
              "Amen. more");
    EXPECT_EQ(Convert(R"(Amen.<div type="introduction">Intro <div>nested</div> text</div> more)", kWebOptions),
              "Amen. more");
}

TEST(OsisVerseConverter, OptionsTurnOffMarkersBracketsAndNotes) {
    TOsisVerseOptions plain{.Strongs = false, .SuppliedWords = false, .Footnotes = false};
    EXPECT_EQ(Convert(R"(<w lemma="strong:H0430">God</w> <transChange type="added">was</transChange>)"
                      R"(<note placement="foot">a note</note>here)",
                      plain),
              "God was here");
}

TEST(OsisVerseConverter, UnbalancedMarkUpNeverLeavesAGroupOpen) {
    EXPECT_EQ(Convert(R"(a <transChange type="added">b <note placement="foot">c)"), "a [b{c}]");
    EXPECT_EQ(Convert(R"(a</transChange></note></title></w> b)"), "a b");
    EXPECT_EQ(Convert(R"(<title>Heading)"), "<<Heading>>");
    // Groups stay nested however the elements overlap.
    EXPECT_EQ(Convert(R"(<note sID="n"/>a <transChange type="added">b<note eID="n"/> c</transChange>)"), "{a [b]} c");
    EXPECT_EQ(Convert(R"(<transChange type="added">a<note>b</transChange>c</note>d)"), "[a{bc} d]");
    EXPECT_EQ(Convert(R"(<title>a <transChange type="added">b</title> c</transChange>)"), "<<a [b]>> c");
}

TEST(OsisVerseConverter, HeadingsKeepOnlyTitlesOfAChapterIntroduction) {
    TOsisVerseConverter converter(kKjvOptions);
    EXPECT_EQ(converter.Headings(R"(<chapter n="119" osisID="Ps.119" sID="Ps.119"/> <title><foreign>א ALEPH.</foreign></title> <lg sID="g"/> <l level="1" sID="h"/>)"),
              "<<&#1488; ALEPH.>>");
    EXPECT_EQ(converter.Headings(R"(<chapter n="2" sID="Song.2"/> <milestone n="Psalm 2" type="x-chapterLabel"/>)"), "");
}

TEST(SettleStrongsMarkers, MarkersEndUpBeforeADelimiter) {
    struct Case {
        std::string in, out;
    } cases[] = {
        {"tear\x03" "01144s, and", "tears\x03" "01144, and"},
        {"God\x02" "00430-ward\x02" "04314 x", "God-ward\x02" "00430\x02" "04314 x"},
        {"word\x02" "00001", "word\x02" "00001"},
        {"word\x02" "00001{note}", "word\x02" "00001{note}"},
        {"cut\x02" "12", "cut\x02" "12"},
        {"x\x02" "00001&#1488;", "x\x02" "00001&#1488;"},
    };
    for (const Case& c : cases) EXPECT_EQ(SettleStrongsMarkers(c.in), c.out);
}

// ---- keys, export, configuration ------------------------------------------------

TEST(SwordKeys, MapOntoTheSharedNumbering) {
    struct Case {
        const char* key;
        bool parses;
        int book, verseNumber;
    } cases[] = {
        {"Genesis 1:1", true, 1, 1},
        {"Malachi 4:6", true, 39, kLastOldTestamentVerse},
        {"Matthew 1:1", true, 40, kFirstNewTestamentVerse},
        {"I Samuel 3:4", true, 9, 0},
        {"Song of Solomon 2:1", true, 22, 0},
        {"Revelation of John 22:21", true, 66, kStandardVerseCount},
        {"III John 1:15", true, 64, 0},
        {"Revelation of John 12:18", true, 66, 0},
        {"Genesis 1:0", true, 1, 0},
        {"Tobit 1:1", true, 0, 0},
        {"[ Module Heading ]", false, 0, 0},
        {"Genesis 1:x", false, 0, 0},
    };
    for (const Case& c : cases) {
        TSwordVerseKey key;
        ASSERT_EQ(ParseSwordVerseKey(c.key, key), c.parses) << c.key;
        if (!c.parses) continue;
        EXPECT_EQ(key.Book, c.book) << c.key;
        if (c.verseNumber) {
            EXPECT_EQ(StandardVerseNumber(key), c.verseNumber) << c.key;
        }
    }
    TSwordVerseKey samuel;
    ASSERT_TRUE(ParseSwordVerseKey("I Samuel 3:4", samuel));
    EXPECT_EQ(samuel.Chapter, 3);
    EXPECT_EQ(samuel.Verse, 4);
    EXPECT_EQ(StandardVerseNumber({66, 12, 18}), 0);
    for (int b = 1; b <= 66; ++b) EXPECT_EQ(SwordBookNumber(SwordBookName(b)), b);
}

TEST(ParseImp, SplitsKeysAndTheirLines) {
    std::vector<TImpEntry> entries =
        ParseImp("noise\n$$$[ Module Heading ]\n\n$$$Genesis 1:1\r\nIn the beginning\r\n$$$Genesis 1:2\nline one\nline two\n$$$Genesis 1:3");
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].Key, "[ Module Heading ]");
    EXPECT_EQ(entries[0].Text, "");
    EXPECT_EQ(entries[1].Key, "Genesis 1:1");
    EXPECT_EQ(entries[1].Text, "In the beginning");
    EXPECT_EQ(entries[2].Text, "line one line two");
    EXPECT_EQ(entries[3].Key, "Genesis 1:3");
    EXPECT_EQ(entries[3].Text, "");
}

TEST(SwordConf, ReadsEntriesWithContinuationsAndKeepsTheFirstValue) {
    TSwordModuleInfo info = ParseSwordConf(
        "# comment\n[engKJV2006eb]\nAbbreviation=KJV\nAbout=one \\\ntwo\nGlobalOptionFilter=A\nGlobalOptionFilter=B\n"
        "DataPath=./modules/texts/ztext/engKJV2006eb/\n");
    EXPECT_EQ(info.Name, "engKJV2006eb");
    EXPECT_EQ(info.Get("Abbreviation"), "KJV");
    EXPECT_EQ(info.Get("About"), "one two");
    EXPECT_EQ(info.Get("GlobalOptionFilter"), "A");
    EXPECT_EQ(info.Get("Missing"), "");
}

TEST(ConvertSwordBible, LaysKeysOntoVerseNumbers) {
    std::vector<TImpEntry> entries = {
        {"[ Module Heading ]", ""},
        {"Genesis 0:0", "<title type=\"main\">The First Book of Moses</title>"},
        {"Genesis 1:0", "<chapter sID=\"Gen.1\"/>"},
        {"Genesis 1:1", "In the beginning"},
        {"Genesis 1:6", "¶ And God said"},
        {"Psalms 119:0", "<chapter sID=\"Ps.119\"/> <title><foreign>ALEPH.</foreign></title>"},
        {"Psalms 119:1", "Blessed"},
        {"III John 1:14", "Greet the friends."},
        {"III John 1:15", "By name."},
        {"Revelation of John 12:18", ""},
        {"Tobit 1:1", "Tobit text"},
        {"Romans 16:26", ""},
    };
    int calls = 0;
    TBibleConversion bible = ConvertSwordBible(entries, kKjvOptions, [&](size_t, size_t) { ++calls; });
    ASSERT_EQ(bible.Verses.size(), static_cast<size_t>(kStandardVerseCount));
    EXPECT_GT(calls, 0);
    auto verse = [&](int b, int c, int v) { return bible.Verses[static_cast<size_t>(StandardVerseNumber({b, c, v}) - 1)]; };
    EXPECT_EQ(verse(1, 1, 1), "In the beginning");
    EXPECT_EQ(verse(1, 1, 6), "And God said");
    EXPECT_FALSE(verse(1, 1, 2).has_value());
    EXPECT_EQ(verse(19, 119, 1), "<<ALEPH.>> Blessed");
    EXPECT_EQ(verse(64, 1, 14), "Greet the friends. By name.");
    EXPECT_FALSE(verse(66, 12, 17).has_value());
    EXPECT_FALSE(verse(45, 16, 26).has_value());
    EXPECT_EQ(bible.VersesWithText, 4);
    EXPECT_EQ(bible.KeysOfOtherBooks, 1);
    EXPECT_EQ(bible.KeysMerged, 1);

    std::string map = ParagraphMapBytes(bible);
    ASSERT_EQ(map.size(), static_cast<size_t>(kStandardVerseCount));
    EXPECT_EQ(map[5], 1);
    EXPECT_EQ(std::count(map.begin(), map.end(), 1), 1);
}

// ---- incremental build ------------------------------------------------------------

void SetModified(const std::string& path, fs::file_time_type when) { fs::last_write_time(path, when); }

TEST(UpToDate, ComparesAgainstEverySource) {
    test::TempDir dir;
    const std::string out = dir.File("out"), a = dir.File("a"), b = dir.File("b");
    for (const std::string& f : {out, a, b}) test::WriteBytes(f, "x");
    const auto now = fs::file_time_type::clock::now();
    SetModified(a, now - std::chrono::hours(2));
    SetModified(b, now - std::chrono::hours(1));
    SetModified(out, now - std::chrono::minutes(30));
    EXPECT_TRUE(IsUpToDate(out, {a, b}));
    EXPECT_TRUE(IsUpToDate(out, {a, dir.File("missing")}));
    SetModified(b, now);
    EXPECT_FALSE(IsUpToDate(out, {a, b}));
    SetModified(b, now - std::chrono::minutes(30));  // the same time is not newer
    EXPECT_FALSE(IsUpToDate(out, {a, b}));
    EXPECT_FALSE(IsUpToDate(dir.File("missing"), {a}));
}

// A SWORD folder with the two Bible modules' configuration and data files, and a
// stand-in for mod2imp that prints "<SWORD_PATH>/<module>.imp" when it runs in the C
// locale from the SWORD folder.
class FakeSword {
public:
    FakeSword() {
        for (const char* module : {"engKJV2006eb", "engWEB2015eb"}) {
            fs::create_directories(Path() + "/mods.d");
            fs::create_directories(Path() + "/modules/texts/ztext/" + module);
            test::WriteBytes(Path() + "/modules/texts/ztext/" + module + "/ot.bzz", "data");
            test::WriteBytes(Path() + "/mods.d/" + module + ".conf",
                             std::string("[") + module + "]\nDataPath=./modules/texts/ztext/" + module +
                                 "/\nVersion=1.0\nAbout=About \xE2\x80\x9C" "text\xE2\x80\x9D & more\n");
        }
        test::WriteBytes(Program(),
                         "#!/bin/sh\n[ \"$LANG\" = C ] || exit 3\n[ \"$(pwd)\" = \"$SWORD_PATH\" ] || exit 4\n"
                         "[ -f \"$1.imp\" ] || { echo \"no module $1\" >&2; exit 1; }\nexec cat \"$1.imp\"\n");
        fs::permissions(Program(), fs::perms::owner_all);
        test::WriteBytes(Path() + "/engKJV2006eb.imp", Export("KJV"));
        test::WriteBytes(Path() + "/engWEB2015eb.imp", Export("WEB") + "$$$Tobit 1:1\nleft out\n");
    }
    std::string Path() const { return fs::canonical(dir_.Path()).string() + "/sword"; }
    std::string Program() const { return dir_.File("fake-mod2imp"); }
    std::string DataFile(const char* module) const { return Path() + "/modules/texts/ztext/" + module + "/ot.bzz"; }

    // Every verse of the standard versification, as mod2imp prints keys.
    static std::string Export(const std::string& label) {
        std::string imp = "$$$[ Module Heading ]\n\n";
        int verse = 0;
        const auto& books = StandardVersification().Books;
        for (size_t b = 0; b < books.size(); ++b) {
            for (size_t c = 0; c < books[b].VersesPerChapter.size(); ++c) {
                for (int v = 1; v <= books[b].VersesPerChapter[c]; ++v) {
                    ++verse;
                    imp += Format("$$$%s %zu:%d\n", SwordBookName(static_cast<int>(b + 1)).c_str(), c + 1, v);
                    imp += verse % 10 == 1 ? "\xC2\xB6 " : "";
                    imp += Format("%s <w lemma=\"strong:H%04d\">verse</w> %d<note placement=\"foot\">n</note>\n",
                                  label.c_str(), verse % 9000 + 1, verse);
                }
            }
        }
        return imp;
    }

private:
    test::TempDir dir_;
};

TEST(BuildLibrary, BuildsEveryFileAndThenOnlyWhatIsOutOfDate) {
    FakeSword sword;
    test::TempDir library;
    TLibraryBuildOptions options;
    options.LibraryFolder = library.Path();
    options.SwordPath = sword.Path();
    options.DocPath = library.File("no-docs");
    options.ModToImp = sword.Program();
    std::ostringstream log;
    TProgress progress(log, nullptr);

    TLibraryBuildReport first = BuildLibrary(options, BibleLibraryTargets(), progress);
    EXPECT_EQ(first.Built, 3);
    EXPECT_EQ(first.UpToDate, 0);
    EXPECT_NE(log.str().find("Modules/KJV.zb5bible: built, 31102 verses with text"), std::string::npos) << log.str();
    EXPECT_NE(log.str().find("Modules/WEB.zb5bible: built, 31102 verses with text, 1 keys of other books left out"),
              std::string::npos)
        << log.str();
    EXPECT_NE(log.str().find("pmap.dat: built, 3111 paragraph starts"), std::string::npos) << log.str();

    TZBBibleModule kjv(library.File("Modules/KJV.zb5bible"));
    EXPECT_EQ(kjv.ModuleName(), "King James Version");
    EXPECT_EQ(kjv.Abbreviation(), "KJV");
    EXPECT_TRUE(kjv.HasStrongs() && kjv.HasSuppliedWords() && kjv.HasFootnotes());
    EXPECT_FALSE(kjv.IsUTF8());
    EXPECT_EQ(kjv.HeaderHash(kBuilderSeed), kjv.StoredHash());
    EXPECT_EQ(kjv.GetVerseText(2, true, true), "KJV verse\x02" "00003 2{n}");
    EXPECT_NE(kjv.InfoText().find("About \x93text\x94 &amp; more"), std::string::npos) << kjv.InfoText();
    EXPECT_NE(kjv.InfoText().find("sword-text-kjv"), std::string::npos);
    TZBBibleModule web(library.File("Modules/WEB.zb5bible"));
    EXPECT_EQ(web.Abbreviation(), "WEB");
    EXPECT_FALSE(web.HasStrongs());
    EXPECT_EQ(web.GetVerseText(kStandardVerseCount, false, true), "WEB verse 31102{n}");
    std::string map = test::ReadBytes(library.File("pmap.dat"));
    ASSERT_EQ(map.size(), static_cast<size_t>(kStandardVerseCount));
    EXPECT_EQ(map[0], 1);
    EXPECT_EQ(map[1], 0);

    // Nothing changed: nothing is built.
    log.str("");
    TLibraryBuildReport second = BuildLibrary(options, BibleLibraryTargets(), progress);
    EXPECT_EQ(second.Built, 0);
    EXPECT_EQ(second.UpToDate, 3);
    EXPECT_NE(log.str().find("Modules/WEB.zb5bible: up to date"), std::string::npos);

    // A changed WEB source rebuilds the WEB module only.
    fs::last_write_time(sword.DataFile("engWEB2015eb"), fs::file_time_type::clock::now() + std::chrono::seconds(5));
    TLibraryBuildReport third = BuildLibrary(options, BibleLibraryTargets(), progress);
    EXPECT_EQ(third.Built, 1);
    EXPECT_EQ(third.UpToDate, 2);
}

TEST(BuildLibrary, NamesTheMissingPackagesBeforeWritingAnything) {
    test::TempDir empty, library;
    TLibraryBuildOptions options;
    options.LibraryFolder = library.File("lib");
    options.SwordPath = empty.Path();
    options.ModToImp = "no-such-exporter-program";
    std::ostringstream log;
    TProgress progress(log, nullptr);
    try {
        BuildLibrary(options, DefaultLibraryTargets(), progress);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot build the library: install the Debian packages libsword-utils sword-comm-mhcc "
                  "sword-comm-scofield sword-comm-tdavid sword-dict-naves sword-dict-strongs-greek "
                  "sword-dict-strongs-hebrew sword-text-kjv sword-text-web "
                  "(SWORD modules are looked for in " + empty.Path() + ").");
    }
    EXPECT_FALSE(fs::exists(library.File("lib")));
}

TEST(BuildLibrary, ReportsAFailingExporter) {
    FakeSword sword;
    fs::remove(sword.Path() + "/engKJV2006eb.imp");
    test::TempDir library;
    TLibraryBuildOptions options;
    options.LibraryFolder = library.Path();
    options.SwordPath = sword.Path();
    options.ModToImp = sword.Program();
    std::ostringstream log;
    TProgress progress(log, nullptr);
    try {
        BuildLibrary(options, BibleLibraryTargets(), progress);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), sword.Program() + " engKJV2006eb failed (exit status 1): no module engKJV2006eb");
    }
}

TEST(Progress, DrawsOneLiveLineAndClearsItForFinishedSteps) {
    std::ostringstream log, status;
    TProgress progress(log, &status);
    progress.Update("pmap.dat", "converting", 1, 4);
    progress.Update("pmap.dat", "converting", 1, 4);
    progress.Update("pmap.dat", "writing");
    progress.Line("pmap.dat: built");
    EXPECT_EQ(status.str(), "\rpmap.dat: converting 25%\rpmap.dat: writing" + std::string(7, ' ') + "\r" +
                                std::string(17, ' ') + "\r");
    EXPECT_EQ(log.str(), "pmap.dat: built\n");
}

}  // namespace
}  // namespace kvx::library
