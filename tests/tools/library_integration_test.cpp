// The default library built from the real Debian SWORD packages by kvx
// build-library, checked against facts of the texts. Skipped where the packages are
// not installed.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>

#include <gtest/gtest.h>

#include "engine/bible_module.h"
#include "engine/module_hash.h"
#include "engine/parse_words.h"
#include "engine/verse_types.h"
#include "modules/resource_module.h"
#include "modules/strongs_data.h"
#include "platform/ansi_text.h"
#include "render/export_procs.h"
#include "tests/support/fixtures.h"
#include "tests/tools/run_kvx.h"
#include "tools/library_builder/sword_export.h"
#include "tools/library_builder/sword_installation.h"

namespace kvx {
namespace {

namespace fs = std::filesystem;

class DefaultLibrary : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        library::TSwordInstallation sword("/usr/share/sword");
        bool installed = !library::FindProgram("mod2imp").empty();
        for (const char* module : {"engKJV2006eb", "engWEB2015eb", "StrongsHebrew", "StrongsGreek", "MHCC", "TDavid",
                                   "Scofield", "Nave"})
            installed = installed && sword.Find(module);
        if (!installed) {
            skipReason_ = "the SWORD packages of the default library (scripts/install_deps.sh) are not installed";
            return;
        }
        dir_ = new test::TempDir;
        build_ = new test::KvxResult(test::RunKvx({"build-library", dir_->Path()}));
    }
    static void TearDownTestSuite() {
        delete build_;
        delete dir_;
        build_ = nullptr;
        dir_ = nullptr;
    }
    void SetUp() override {
        if (!skipReason_.empty()) GTEST_SKIP() << skipReason_;
        ASSERT_EQ(build_->status, 0) << build_->out << build_->err;
    }

    static std::string File(const std::string& name) { return dir_->File(name); }

    // Verse number of book, chapter, verse.
    static int V(const TZBBibleModule& bible, int book, int chapter, int verse) {
        return bible.VerseNumber(book, chapter, verse);
    }

    // The text with its small print ("<<" … ">>") taken out: what must hold no tags.
    static std::string WithoutSmallPrintMarks(std::string text) {
        for (const char* mark : {"<<", ">>"}) {
            for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark)) text.erase(at, 2);
        }
        return text;
    }

    static test::TempDir* dir_;
    static test::KvxResult* build_;
    static std::string skipReason_;
};

test::TempDir* DefaultLibrary::dir_ = nullptr;
test::KvxResult* DefaultLibrary::build_ = nullptr;
std::string DefaultLibrary::skipReason_;

TEST_F(DefaultLibrary, KingJamesVersionAndItsParagraphMap) {
    TZBBibleModule kjv(File("Modules/KJV.zb5bible"));
    EXPECT_EQ(kjv.ModuleName(), "King James Version");
    EXPECT_EQ(kjv.Abbreviation(), "KJV");
    EXPECT_EQ(kjv.BookCount(), 66);
    EXPECT_EQ(kjv.VerseCount(), kStandardVerseCount);
    EXPECT_TRUE(kjv.HasStrongs());
    EXPECT_TRUE(kjv.HasSuppliedWords());
    EXPECT_TRUE(kjv.HasFootnotes());
    EXPECT_EQ(kjv.HeaderHash(kBuilderSeed), kjv.StoredHash());
    EXPECT_EQ(kjv.BookName(1), "Genesis");
    EXPECT_EQ(kjv.BookName(9), "1 Samuel");
    EXPECT_EQ(kjv.BookAbbreviation(66), "Re");
    EXPECT_NE(kjv.InfoText().find("Crosswire Bible Society"), std::string::npos);

    EXPECT_EQ(kjv.GetVerseText(1, false, false), "In the beginning God created the heaven and the earth.");
    const std::string genesis = kjv.GetVerseText(1, true, false);
    for (const char* word : {"beginning\x02" "07225", "God\x02" "00430", "created\x02" "01254"})
        EXPECT_NE(genesis.find(word), std::string::npos) << word;
    EXPECT_EQ(kjv.GetVerseText(V(kjv, 43, 11, 35), false, false), "Jesus wept.");
    EXPECT_EQ(kjv.GetVerseText(V(kjv, 19, 3, 1), false, false),
              "<<A Psalm of David, when he fled from Absalom his son.>> LORD, how are they increased that trouble me! "
              "many [are] they that rise up against me.");
    EXPECT_EQ(kjv.GetVerseText(V(kjv, 19, 119, 1), false, false).substr(0, 28), "<<&#1488; ALEPH.>> Blessed [");
    EXPECT_EQ(kjv.GetVerseText(V(kjv, 19, 119, 9), false, false).substr(0, 32), "<<&#1489; BETH.>> Wherewithal sh");
    EXPECT_EQ(kjv.GetVerseText(V(kjv, 45, 16, 27), false, false),
              "To God only wise, [be] glory through Jesus Christ for ever. Amen. <<Written to the Romans from Corinthus, "
              "[and sent] by Phebe servant of the church at Cenchrea.>>");
    EXPECT_EQ(kjv.GetVerseText(V(kjv, 1, 1, 4), false, true),
              "And God saw the light, that [it was] good: and God divided the light from the darkness."
              "{the light from\x85: Heb. between the light and between the darkness}");
    // The stray USFM tags of the source are gone from text and notes alike.
    EXPECT_EQ(kjv.GetVerseText(V(kjv, 2, 6, 2), false, true),
              "And God spake unto Moses, and said unto him, I [am] the LORD:{the LORD: or, JEHOVAH}");

    int withText = 0, notes = 0, supplied = 0;
    for (int v = 1; v <= kjv.VerseCount(); ++v) {
        if (!kjv.VerseHasText(v)) continue;
        ++withText;
        const std::string text = kjv.GetVerseText(v, true, true);
        notes += static_cast<int>(std::count(text.begin(), text.end(), '{'));
        supplied += static_cast<int>(std::count(text.begin(), text.end(), '['));
        const std::string plain = WithoutSmallPrintMarks(text);
        EXPECT_EQ(plain.find_first_of("<>\\"), std::string::npos) << kjv.VerseReference(v) << ": " << text;
        EXPECT_EQ(std::count(text.begin(), text.end(), '{'), std::count(text.begin(), text.end(), '}'))
            << kjv.VerseReference(v);
    }
    EXPECT_EQ(withText, kStandardVerseCount);
    EXPECT_EQ(notes, 6959);      // the translators' notes of the source
    EXPECT_EQ(supplied, 21511);  // its supplied words, and 1 Jo 2:23's own bracket

    // The Strong's index finds Ge 1:1 under each of its numbers.
    const TZBWordIndex* strongs = kjv.StrongsList();
    ASSERT_NE(strongs, nullptr);
    for (const char* number : {"H7225", "H430", "H1254"}) {
        const auto& words = strongs->Words();
        auto it = std::find(words.begin(), words.end(), number);
        ASSERT_NE(it, words.end()) << number;
        const TPostingList& postings = strongs->Postings(static_cast<size_t>(it - words.begin()));
        ASSERT_GT(postings.Count, 0u);
        EXPECT_EQ(postings[0], 1) << number;
    }

    const std::string map = test::ReadBytes(File("pmap.dat"));
    ASSERT_EQ(map.size(), static_cast<size_t>(kStandardVerseCount));
    EXPECT_EQ(map[V(kjv, 1, 1, 6) - 1], 1);
    EXPECT_EQ(map[V(kjv, 1, 1, 9) - 1], 1);
    EXPECT_EQ(map[V(kjv, 1, 1, 7) - 1], 0);
    EXPECT_EQ(std::count(map.begin(), map.end(), 1), 2970);
    EXPECT_EQ(std::count(map.begin(), map.end(), 0), kStandardVerseCount - 2970);
}

TEST_F(DefaultLibrary, WorldEnglishBibleOnTheSharedNumbering) {
    TZBBibleModule web(File("Modules/WEB.zb5bible"));
    EXPECT_EQ(web.Abbreviation(), "WEB");
    EXPECT_EQ(web.VerseCount(), kStandardVerseCount);
    EXPECT_FALSE(web.HasStrongs());
    EXPECT_TRUE(web.HasFootnotes());
    EXPECT_NE(web.InfoText().find("World English Bible"), std::string::npos);

    EXPECT_EQ(web.GetVerseText(1, false, false), "In the beginning, God created the heavens and the earth.");
    EXPECT_NE(web.GetVerseText(1, false, true).find("God{The Hebrew word rendered \x93God\x94 is \x93&#1488;"),
              std::string::npos);
    const int john316 = V(web, 43, 3, 16);
    ASSERT_TRUE(web.VerseHasText(john316));
    EXPECT_EQ(web.GetVerseText(john316, false, false).substr(0, 37), "For God so loved the world, that he g");
    EXPECT_NE(web.GetVerseText(V(web, 40, 3, 15), false, false).find("righteousness.\x94 Then he allowed him."),
              std::string::npos);
    // The source has no text for these; the glossary after Re 22:21 is not the verse's.
    EXPECT_FALSE(web.VerseHasText(V(web, 45, 16, 26)));
    EXPECT_FALSE(web.VerseHasText(V(web, 45, 16, 27)));
    EXPECT_EQ(web.GetVerseText(kStandardVerseCount, false, false),
              "The grace of the Lord Jesus Christ be with all the saints. Amen.");
    EXPECT_EQ(web.GetVerseText(V(web, 19, 3, 1), false, false).substr(0, 63),
              "<<A Psalm by David, when he fled from Absalom his son.>> Yahweh");
    EXPECT_EQ(web.GetVerseText(V(web, 19, 1, 1), false, false).substr(0, 20), "<<BOOK 1>> Blessed i");

    int withText = 0;
    for (int v = 1; v <= web.VerseCount(); ++v) {
        if (!web.VerseHasText(v)) continue;
        ++withText;
        const std::string text = web.GetVerseText(v, false, true);
        EXPECT_EQ(WithoutSmallPrintMarks(text).find_first_of("<>\\"), std::string::npos) << web.VerseReference(v);
    }
    EXPECT_EQ(withText, kStandardVerseCount - 2);
}

TEST_F(DefaultLibrary, SecondRunBuildsNothing) {
    const auto before = fs::last_write_time(File("Modules/KJV.zb5bible"));
    test::KvxResult again = test::RunKvx({"build-library", dir_->Path()});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.out.find("Modules/KJV.zb5bible: up to date\npmap.dat: up to date\nModules/WEB.zb5bible: up to date\n"),
              std::string::npos)
        << again.out;
    EXPECT_NE(again.out.find("0 built, 10 up to date"), std::string::npos) << again.out;
    EXPECT_EQ(fs::last_write_time(File("Modules/KJV.zb5bible")), before);

    test::KvxResult info = test::RunKvx({"info", File("Modules/KJV.zb5bible")});
    EXPECT_NE(info.out.find("origin: builder"), std::string::npos) << info.out;
}

TEST_F(DefaultLibrary, StrongsDataAndLexicons) {
    TZBStrongsDataModule strongs(File("stgdat.zb4"));
    EXPECT_EQ(strongs.HebrewWord(7225), "\xD7\xA8\xD7\x90\xD7\xA9\xD7\x81\xD7\x99\xD7\xAA");  // reshith
    EXPECT_EQ(strongs.HebrewTransliteration(7225), "r\xC3\xAA'sh\xC3\xAEyth");
    EXPECT_EQ(strongs.GreekWord(26), "\xE1\xBC\x80\xCE\xB3\xCE\xAC\xCF\x80\xCE\xB7");  // agape
    EXPECT_EQ(strongs.GreekTransliteration(26), "ag\xC3\xA1p\xC4\x93");
    EXPECT_EQ(strongs.GreekWord(2717), "");  // "Not Used"

    TZBDictionaryModule hebrew(File("Modules/StrHeb.zb5book")), greek(File("Modules/StrGrk.zb5book"));
    EXPECT_EQ(hebrew.ModuleCode(), "StrHeb");
    EXPECT_EQ(greek.ModuleCode(), "StrGrk");
    EXPECT_EQ(hebrew.EntryCount(), 8674);
    EXPECT_EQ(greek.EntryCount(), 5624);
    EXPECT_EQ(hebrew.EntryTitles()[7224], "H07225");
    EXPECT_EQ(hebrew.FindEntry("H07225"), 7224);
    EXPECT_NE(hebrew.InfoText().find("James Strong"), std::string::npos);

    const std::string love = StrongsArticle("G26", &hebrew, &greek);
    EXPECT_NE(love.find("love, i.e. affection or benevolence"), std::string::npos) << love;
    EXPECT_NE(love.find(std::string("<font face=\"") + GreekFontName + "\">&#7936;&#947;&#940;&#960;&#951;</font>"),
              std::string::npos)
        << love;
    EXPECT_EQ(love.find("See Greek"), std::string::npos);
    EXPECT_NE(greek.GetEntryText(25).find("See Greek <a href=\"g:25\">G25</a>"), std::string::npos);
    EXPECT_NE(StrongsArticle("G2717", &hebrew, &greek).find("not used"), std::string::npos);
    // Greek entries of Hebrew origin point at the Hebrew number they name.
    EXPECT_NE(greek.GetEntryText(1).find("See Hebrew <a href=\"h:175\">H175</a>"), std::string::npos);

    // Every Strong's number of the King James text has its word and its article;
    // the markers of Ge 1:1 lead to the articles of their words.
    TZBBibleModule kjv(File("Modules/KJV.zb5bible"));
    std::set<std::pair<char, int>> numbers;
    for (int v = 1; v <= kjv.VerseCount(); ++v) {
        const std::string text = kjv.GetVerseText(v, true, false);
        for (size_t i = 0; i + kStrongsMarkerDigits < text.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(text[i]);
            if (c == kHebrewStrongsMarker || c == kGreekStrongsMarker)
                numbers.insert({c == kHebrewStrongsMarker ? 'H' : 'G', std::stoi(text.substr(i + 1, kStrongsMarkerDigits))});
        }
    }
    EXPECT_GT(numbers.size(), 13000u);
    for (const auto& [language, n] : numbers) {
        const std::string word = language == 'H' ? strongs.HebrewWord(n) : strongs.GreekWord(n);
        EXPECT_FALSE(word.empty()) << language << n;
        const std::string article = (language == 'H' ? hebrew : greek).GetEntryText(n - 1);
        EXPECT_NE(article.find(language == 'H' ? "<zbhebrew>" : "<zbgreek>"), std::string::npos) << language << n;
    }
    const std::string genesis = kjv.GetVerseText(1, true, false);
    int markers = 0;
    for (size_t at = genesis.find('\x02'); at != std::string::npos; at = genesis.find('\x02', at + 1), ++markers) {
        const int n = std::stoi(genesis.substr(at + 1, kStrongsMarkerDigits));
        const std::string article = StrongsArticle("H" + std::to_string(n), &hebrew, &greek);
        EXPECT_NE(article.find(std::string("<font face=\"") + HebrewFontName + "\">"), std::string::npos) << n;
        EXPECT_EQ(article.find("No entry"), std::string::npos) << n;
    }
    EXPECT_EQ(markers, 6);
    EXPECT_NE(StrongsArticle("H7225", &hebrew, &greek).find("<b>r\xEA'sh\xEEyth</b> <i>ray-sheeth'</i>"),
              std::string::npos);
}

TEST_F(DefaultLibrary, CommentariesCoverTheirVerses) {
    TZBBibleModule kjv(File("Modules/KJV.zb5bible"));
    TZBCommentaryModule mhcc(File("Modules/MHCC.zb5cmty"));
    EXPECT_EQ(mhcc.ModuleName(), "Matthew Henry's Concise Commentary");
    EXPECT_EQ(mhcc.HeaderHash(kBuilderSeed), mhcc.StoredHash());
    EXPECT_NE(mhcc.InfoText().find("Public Domain--Copy Freely."), std::string::npos);
    EXPECT_GE(mhcc.EntryTitles().size(), 4047u);
    // The comment on Ge 1:3-5 begins at Ge 1:3, cites 1 Jo 5:20, and stands beside
    // each of its verses and the verse it cites in the verse index.
    const int genesis13 = V(kjv, 1, 1, 3) - 1;
    ASSERT_TRUE(mhcc.EntryHasText(genesis13));
    const std::string comment = mhcc.GetEntryText(genesis13);
    EXPECT_NE(comment.find("Let there be light"), std::string::npos);
    EXPECT_NE(comment.find(">1Jo 5:20</vrl>"), std::string::npos) << comment;
    const TEntryIndexArray citing = mhcc.GetVerseEntries(V(kjv, 62, 5, 20) - 1);
    EXPECT_NE(std::find(citing.begin(), citing.end(), genesis13), citing.end());
    EXPECT_EQ(mhcc.GetVerseEntries(V(kjv, 1, 1, 5) - 1), TEntryIndexArray{static_cast<uint16_t>(genesis13)});
    EXPECT_FALSE(mhcc.EntryHasText(genesis13 + 1));
    // A chapter's only comment, at its first verse, is on the whole chapter.
    const TEntryIndexArray genesis36 = mhcc.GetVerseEntries(V(kjv, 1, 36, 43) - 1);
    EXPECT_NE(std::find(genesis36.begin(), genesis36.end(), V(kjv, 1, 36, 1) - 1), genesis36.end());

    TZBCommentaryModule tdavid(File("Modules/TDavid.zb5cmty"));
    EXPECT_EQ(tdavid.EntryTitles().size(), 150u);
    const int psalm23 = V(kjv, 19, 23, 1) - 1;
    ASSERT_TRUE(tdavid.EntryHasText(psalm23));
    EXPECT_NE(tdavid.GetEntryText(psalm23).find("The Lord is my Shepherd"), std::string::npos);
    const TEntryIndexArray psalm234 = tdavid.GetVerseEntries(V(kjv, 19, 23, 4) - 1);
    EXPECT_NE(std::find(psalm234.begin(), psalm234.end(), psalm23), psalm234.end());

    // The Scofield notes' loose references read as verses; links to other notes
    // name this commentary.
    TZBCommentaryModule scofield(File("Modules/Scofield.zb5cmty"));
    const std::string genesis11 = scofield.GetEntryText(0);
    EXPECT_NE(genesis11.find("Read first chapter of Genesis (<vrl:1+1E>"), std::string::npos) << genesis11;
    const std::string genesis124 = scofield.GetEntryText(V(kjv, 1, 1, 24) - 1);
    EXPECT_NE(genesis124.find("<a href=\"zbcmt:Scofield|Ge%201:26\">"), std::string::npos) << genesis124;
    for (const TZBCommentaryModule* commentary : {&mhcc, &tdavid, &scofield}) {
        int withText = 0;
        for (int e = 0; e < commentary->EntryCount(); ++e) {
            if (!commentary->EntryHasText(e)) continue;
            ++withText;
            const std::string text = commentary->GetEntryText(e);
            EXPECT_EQ(text.find("<scripref>"), std::string::npos) << commentary->Abbreviation() << " " << e;
            EXPECT_EQ(text.find("<reference"), std::string::npos) << commentary->Abbreviation() << " " << e;
        }
        EXPECT_EQ(static_cast<size_t>(withText), commentary->EntryTitles().size());
    }
}

TEST_F(DefaultLibrary, NavesTopicalBible) {
    TZBBibleModule kjv(File("Modules/KJV.zb5bible"));
    TZBDictionaryModule nave(File("Modules/Nave.zb5book"));
    EXPECT_EQ(nave.ModuleName(), "Nave's Topical Bible");
    EXPECT_EQ(nave.EntryCount(), 5320);  // 5,322 topics, two of them given twice
    const int aaron = nave.FindEntry("AARON");
    ASSERT_GE(aaron, 0);
    EXPECT_EQ(nave.EntryTitles()[static_cast<size_t>(aaron)], "AARON");
    const TEntryIndexArray exodus = nave.GetVerseEntries(V(kjv, 2, 4, 14) - 1);
    EXPECT_NE(std::find(exodus.begin(), exodus.end(), aaron), exodus.end());
    // Every see-also link leads to a topic of the book.
    int links = 0;
    const std::string prefix = "<a href=\"zbbook:Nave|";
    for (int e = 0; e < nave.EntryCount(); ++e) {
        const std::string text = nave.GetEntryText(e);
        for (size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix, at + 1), ++links) {
            std::string item = text.substr(at + prefix.size(), text.find('"', at + prefix.size()) - at - prefix.size());
            for (auto [code, character] : {std::pair{"%20", " "}, std::pair{"%27", "'"}, std::pair{"&amp;", "&"}})
                for (size_t p = item.find(code); p != std::string::npos; p = item.find(code))
                    item.replace(p, std::strlen(code), character);
            const int target = nave.FindEntry(item);
            EXPECT_TRUE(target >= 0 && AnsiSameText(nave.EntryTitles()[static_cast<size_t>(target)], item)) << item;
        }
    }
    EXPECT_GT(links, 3500);
}

}  // namespace
}  // namespace kvx
