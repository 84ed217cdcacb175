#include "modules/strongs_data.h"

#include <gtest/gtest.h>

#include "modules/strongs_data_writer.h"
#include "modules/strongs_format.h"
#include "tests/support/fixtures.h"

namespace kvx {
namespace {

namespace sf = strongs_format;

// Every number gets a word and transliteration that name it, so any off-by-one shows.
std::string WriteFullFile(const test::TempDir& dir) {
    std::vector<TStrongsEntry> hebrew, greek;
    for (int n = 1; n <= sf::kHebrewCount; ++n) hebrew.push_back({"\u05D0H" + std::to_string(n), "h" + std::to_string(n)});
    for (int n = 1; n <= sf::kGreekCount; ++n) greek.push_back({"\u03B1G" + std::to_string(n), "g" + std::to_string(n)});
    hebrew[6].Word.clear();  // H7: an empty word points at a NUL byte
    std::string path = dir.File("stgdat.zb4");
    WriteStrongsData(path, hebrew, greek);
    return path;
}

TEST(StrongsData, RecordTableBoundaries) {
    test::TempDir dir;
    TZBStrongsDataModule data(WriteFullFile(dir));
    EXPECT_EQ(data.HebrewWord(1), "\u05D0H1");
    EXPECT_EQ(data.HebrewTransliteration(1), "h1");
    EXPECT_EQ(data.HebrewWord(8674), "\u05D0H8674");
    EXPECT_EQ(data.GreekWord(1), "\u03B1G1");
    EXPECT_EQ(data.GreekTransliteration(5624), "g5624");
    EXPECT_EQ(data.HebrewWord(7), "");
    EXPECT_EQ(data.HebrewTransliteration(7), "h7");
    // Markers in Bible text can carry any five digits.
    for (int n : {0, -1, 8675, 99999}) EXPECT_EQ(data.HebrewWord(n), "") << n;
    for (int n : {0, 5625, 99999}) EXPECT_EQ(data.GreekTransliteration(n), "") << n;
}

TEST(StrongsData, DamagedFilesAreRefusedOrReadSafely) {
    test::TempDir dir;
    std::string path = WriteFullFile(dir);
    const std::string good = test::ReadBytes(path);
    auto error = [&](const std::string& bytes) -> std::string {
        test::WriteBytes(path, bytes);
        try {
            TZBStrongsDataModule data(path);
        } catch (const ESCreateError& e) {
            return e.what();
        }
        return "opened";
    };
    std::string bad = good;
    bad[sf::kMagicOffset] = 7;
    EXPECT_EQ(error(bad), "File header invalid: ZBSTGDT");
    bad = good;
    bad.replace(sf::kMagicOffset + 1, 8, "XXXXXXXX");
    EXPECT_EQ(error(bad), "File header invalid: XXXXXXXX");
    EXPECT_EQ(error(good.substr(0, 1000)), "File header invalid: ");
    EXPECT_EQ(error(""), " File mapping failed on " + path + "\nInvalid argument");

    // Offsets beyond the file, and a last string without its NUL, stay inside the file.
    bad = good;
    for (int b = 0; b < 4; ++b) bad[static_cast<size_t>(b)] = static_cast<char>(0xFF);
    bad.pop_back();
    test::WriteBytes(path, bad);
    TZBStrongsDataModule data(path);
    EXPECT_EQ(data.HebrewWord(1), "");
    EXPECT_EQ(data.GreekTransliteration(5624), "g5624");

    try {
        TZBStrongsDataModule missing(dir.File("none.zb4"));
        FAIL();
    } catch (const ESCreateError& e) {
        EXPECT_EQ(std::string(e.what()), " File open failed on " + dir.File("none.zb4") + "\nNo such file or directory");
    }
}

}  // namespace
}  // namespace kvx
