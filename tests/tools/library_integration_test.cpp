// The default library built from the real Debian SWORD packages by kvx
// build-library, checked against facts of the texts. Skipped where the packages are
// not installed.
#include <algorithm>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "engine/bible_module.h"
#include "engine/module_hash.h"
#include "engine/parse_words.h"
#include "engine/verse_types.h"
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
        if (library::FindProgram("mod2imp").empty() || !sword.Find("engKJV2006eb") || !sword.Find("engWEB2015eb")) {
            skipReason_ = "the SWORD packages (libsword-utils, sword-text-kjv, sword-text-web) are not installed";
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
    EXPECT_NE(again.out.find("0 built, 3 up to date"), std::string::npos) << again.out;
    EXPECT_EQ(fs::last_write_time(File("Modules/KJV.zb5bible")), before);

    test::KvxResult info = test::RunKvx({"info", File("Modules/KJV.zb5bible")});
    EXPECT_NE(info.out.find("origin: builder"), std::string::npos) << info.out;
}

}  // namespace
}  // namespace kvx
