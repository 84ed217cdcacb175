// The standard versification: 66 books, 1,189 chapters, 31,102 verses, in the
// order every module shares. Counted from the King James text.
#include "engine/versification.h"

namespace kvx {
namespace {
const char* const kBookNames[66] = {
    "Genesis", "Exodus", "Leviticus", "Numbers", "Deuteronomy", "Joshua",
    "Judges", "Ruth", "1 Samuel", "2 Samuel", "1 Kings", "2 Kings",
    "1 Chronicles", "2 Chronicles", "Ezra", "Nehemiah", "Esther", "Job",
    "Psalms", "Proverbs", "Ecclesiastes", "Song of Solomon", "Isaiah", "Jeremiah",
    "Lamentations", "Ezekiel", "Daniel", "Hosea", "Joel", "Amos",
    "Obadiah", "Jonah", "Micah", "Nahum", "Habakkuk", "Zephaniah",
    "Haggai", "Zechariah", "Malachi", "Matthew", "Mark", "Luke",
    "John", "Acts", "Romans", "1 Corinthians", "2 Corinthians", "Galatians",
    "Ephesians", "Philippians", "Colossians", "1 Thessalonians", "2 Thessalonians", "1 Timothy",
    "2 Timothy", "Titus", "Philemon", "Hebrews", "James", "1 Peter",
    "2 Peter", "1 John", "2 John", "3 John", "Jude", "Revelation",
};

const char* const kBookAbbreviations[66] = {
    "Ge", "Ex", "Le", "Nu", "De", "Jos", "Jg", "Ru", "1Sa", "2Sa", "1Ki",
    "2Ki", "1Ch", "2Ch", "Ezr", "Ne", "Es", "Job", "Ps", "Pr", "Ec", "So",
    "Isa", "Jer", "La", "Eze", "Da", "Ho", "Joe", "Am", "Ob", "Jon", "Mic",
    "Na", "Hab", "Zep", "Hag", "Zec", "Mal", "Mt", "Mr", "Lu", "Joh", "Ac",
    "Ro", "1Co", "2Co", "Ga", "Eph", "Php", "Col", "1Th", "2Th", "1Ti", "2Ti",
    "Tit", "Phm", "Heb", "Jas", "1Pe", "2Pe", "1Jo", "2Jo", "3Jo", "Jude", "Re",
};

// Verses per chapter, book by book.
const uint8_t kBook1[] = {31, 25, 24, 26, 32, 22, 24, 22, 29, 32, 32, 20, 18, 24, 21, 16, 27, 33, 38, 18, 34, 24, 20, 67, 34, 35, 46, 22, 35, 43, 55, 32, 20, 31, 29, 43, 36, 30, 23, 23, 57, 38, 34, 34, 28, 34, 31, 22, 33, 26};
const uint8_t kBook2[] = {22, 25, 22, 31, 23, 30, 25, 32, 35, 29, 10, 51, 22, 31, 27, 36, 16, 27, 25, 26, 36, 31, 33, 18, 40, 37, 21, 43, 46, 38, 18, 35, 23, 35, 35, 38, 29, 31, 43, 38};
const uint8_t kBook3[] = {17, 16, 17, 35, 19, 30, 38, 36, 24, 20, 47, 8, 59, 57, 33, 34, 16, 30, 37, 27, 24, 33, 44, 23, 55, 46, 34};
const uint8_t kBook4[] = {54, 34, 51, 49, 31, 27, 89, 26, 23, 36, 35, 16, 33, 45, 41, 50, 13, 32, 22, 29, 35, 41, 30, 25, 18, 65, 23, 31, 40, 16, 54, 42, 56, 29, 34, 13};
const uint8_t kBook5[] = {46, 37, 29, 49, 33, 25, 26, 20, 29, 22, 32, 32, 18, 29, 23, 22, 20, 22, 21, 20, 23, 30, 25, 22, 19, 19, 26, 68, 29, 20, 30, 52, 29, 12};
const uint8_t kBook6[] = {18, 24, 17, 24, 15, 27, 26, 35, 27, 43, 23, 24, 33, 15, 63, 10, 18, 28, 51, 9, 45, 34, 16, 33};
const uint8_t kBook7[] = {36, 23, 31, 24, 31, 40, 25, 35, 57, 18, 40, 15, 25, 20, 20, 31, 13, 31, 30, 48, 25};
const uint8_t kBook8[] = {22, 23, 18, 22};
const uint8_t kBook9[] = {28, 36, 21, 22, 12, 21, 17, 22, 27, 27, 15, 25, 23, 52, 35, 23, 58, 30, 24, 42, 15, 23, 29, 22, 44, 25, 12, 25, 11, 31, 13};
const uint8_t kBook10[] = {27, 32, 39, 12, 25, 23, 29, 18, 13, 19, 27, 31, 39, 33, 37, 23, 29, 33, 43, 26, 22, 51, 39, 25};
const uint8_t kBook11[] = {53, 46, 28, 34, 18, 38, 51, 66, 28, 29, 43, 33, 34, 31, 34, 34, 24, 46, 21, 43, 29, 53};
const uint8_t kBook12[] = {18, 25, 27, 44, 27, 33, 20, 29, 37, 36, 21, 21, 25, 29, 38, 20, 41, 37, 37, 21, 26, 20, 37, 20, 30};
const uint8_t kBook13[] = {54, 55, 24, 43, 26, 81, 40, 40, 44, 14, 47, 40, 14, 17, 29, 43, 27, 17, 19, 8, 30, 19, 32, 31, 31, 32, 34, 21, 30};
const uint8_t kBook14[] = {17, 18, 17, 22, 14, 42, 22, 18, 31, 19, 23, 16, 22, 15, 19, 14, 19, 34, 11, 37, 20, 12, 21, 27, 28, 23, 9, 27, 36, 27, 21, 33, 25, 33, 27, 23};
const uint8_t kBook15[] = {11, 70, 13, 24, 17, 22, 28, 36, 15, 44};
const uint8_t kBook16[] = {11, 20, 32, 23, 19, 19, 73, 18, 38, 39, 36, 47, 31};
const uint8_t kBook17[] = {22, 23, 15, 17, 14, 14, 10, 17, 32, 3};
const uint8_t kBook18[] = {22, 13, 26, 21, 27, 30, 21, 22, 35, 22, 20, 25, 28, 22, 35, 22, 16, 21, 29, 29, 34, 30, 17, 25, 6, 14, 23, 28, 25, 31, 40, 22, 33, 37, 16, 33, 24, 41, 30, 24, 34, 17};
const uint8_t kBook19[] = {6, 12, 8, 8, 12, 10, 17, 9, 20, 18, 7, 8, 6, 7, 5, 11, 15, 50, 14, 9, 13, 31, 6, 10, 22, 12, 14, 9, 11, 12, 24, 11, 22, 22, 28, 12, 40, 22, 13, 17, 13, 11, 5, 26, 17, 11, 9, 14, 20, 23, 19, 9, 6, 7, 23, 13, 11, 11, 17, 12, 8, 12, 11, 10, 13, 20, 7, 35, 36, 5, 24, 20, 28, 23, 10, 12, 20, 72, 13, 19, 16, 8, 18, 12, 13, 17, 7, 18, 52, 17, 16, 15, 5, 23, 11, 13, 12, 9, 9, 5, 8, 28, 22, 35, 45, 48, 43, 13, 31, 7, 10, 10, 9, 8, 18, 19, 2, 29, 176, 7, 8, 9, 4, 8, 5, 6, 5, 6, 8, 8, 3, 18, 3, 3, 21, 26, 9, 8, 24, 13, 10, 7, 12, 15, 21, 10, 20, 14, 9, 6};
const uint8_t kBook20[] = {33, 22, 35, 27, 23, 35, 27, 36, 18, 32, 31, 28, 25, 35, 33, 33, 28, 24, 29, 30, 31, 29, 35, 34, 28, 28, 27, 28, 27, 33, 31};
const uint8_t kBook21[] = {18, 26, 22, 16, 20, 12, 29, 17, 18, 20, 10, 14};
const uint8_t kBook22[] = {17, 17, 11, 16, 16, 13, 13, 14};
const uint8_t kBook23[] = {31, 22, 26, 6, 30, 13, 25, 22, 21, 34, 16, 6, 22, 32, 9, 14, 14, 7, 25, 6, 17, 25, 18, 23, 12, 21, 13, 29, 24, 33, 9, 20, 24, 17, 10, 22, 38, 22, 8, 31, 29, 25, 28, 28, 25, 13, 15, 22, 26, 11, 23, 15, 12, 17, 13, 12, 21, 14, 21, 22, 11, 12, 19, 12, 25, 24};
const uint8_t kBook24[] = {19, 37, 25, 31, 31, 30, 34, 22, 26, 25, 23, 17, 27, 22, 21, 21, 27, 23, 15, 18, 14, 30, 40, 10, 38, 24, 22, 17, 32, 24, 40, 44, 26, 22, 19, 32, 21, 28, 18, 16, 18, 22, 13, 30, 5, 28, 7, 47, 39, 46, 64, 34};
const uint8_t kBook25[] = {22, 22, 66, 22, 22};
const uint8_t kBook26[] = {28, 10, 27, 17, 17, 14, 27, 18, 11, 22, 25, 28, 23, 23, 8, 63, 24, 32, 14, 49, 32, 31, 49, 27, 17, 21, 36, 26, 21, 26, 18, 32, 33, 31, 15, 38, 28, 23, 29, 49, 26, 20, 27, 31, 25, 24, 23, 35};
const uint8_t kBook27[] = {21, 49, 30, 37, 31, 28, 28, 27, 27, 21, 45, 13};
const uint8_t kBook28[] = {11, 23, 5, 19, 15, 11, 16, 14, 17, 15, 12, 14, 16, 9};
const uint8_t kBook29[] = {20, 32, 21};
const uint8_t kBook30[] = {15, 16, 15, 13, 27, 14, 17, 14, 15};
const uint8_t kBook31[] = {21};
const uint8_t kBook32[] = {17, 10, 10, 11};
const uint8_t kBook33[] = {16, 13, 12, 13, 15, 16, 20};
const uint8_t kBook34[] = {15, 13, 19};
const uint8_t kBook35[] = {17, 20, 19};
const uint8_t kBook36[] = {18, 15, 20};
const uint8_t kBook37[] = {15, 23};
const uint8_t kBook38[] = {21, 13, 10, 14, 11, 15, 14, 23, 17, 12, 17, 14, 9, 21};
const uint8_t kBook39[] = {14, 17, 18, 6};
const uint8_t kBook40[] = {25, 23, 17, 25, 48, 34, 29, 34, 38, 42, 30, 50, 58, 36, 39, 28, 27, 35, 30, 34, 46, 46, 39, 51, 46, 75, 66, 20};
const uint8_t kBook41[] = {45, 28, 35, 41, 43, 56, 37, 38, 50, 52, 33, 44, 37, 72, 47, 20};
const uint8_t kBook42[] = {80, 52, 38, 44, 39, 49, 50, 56, 62, 42, 54, 59, 35, 35, 32, 31, 37, 43, 48, 47, 38, 71, 56, 53};
const uint8_t kBook43[] = {51, 25, 36, 54, 47, 71, 53, 59, 41, 42, 57, 50, 38, 31, 27, 33, 26, 40, 42, 31, 25};
const uint8_t kBook44[] = {26, 47, 26, 37, 42, 15, 60, 40, 43, 48, 30, 25, 52, 28, 41, 40, 34, 28, 41, 38, 40, 30, 35, 27, 27, 32, 44, 31};
const uint8_t kBook45[] = {32, 29, 31, 25, 21, 23, 25, 39, 33, 21, 36, 21, 14, 23, 33, 27};
const uint8_t kBook46[] = {31, 16, 23, 21, 13, 20, 40, 13, 27, 33, 34, 31, 13, 40, 58, 24};
const uint8_t kBook47[] = {24, 17, 18, 18, 21, 18, 16, 24, 15, 18, 33, 21, 14};
const uint8_t kBook48[] = {24, 21, 29, 31, 26, 18};
const uint8_t kBook49[] = {23, 22, 21, 32, 33, 24};
const uint8_t kBook50[] = {30, 30, 21, 23};
const uint8_t kBook51[] = {29, 23, 25, 18};
const uint8_t kBook52[] = {10, 20, 13, 18, 28};
const uint8_t kBook53[] = {12, 17, 18};
const uint8_t kBook54[] = {20, 15, 16, 16, 25, 21};
const uint8_t kBook55[] = {18, 26, 17, 22};
const uint8_t kBook56[] = {16, 15, 15};
const uint8_t kBook57[] = {25};
const uint8_t kBook58[] = {14, 18, 19, 16, 14, 20, 28, 13, 28, 39, 40, 29, 25};
const uint8_t kBook59[] = {27, 26, 18, 17, 20};
const uint8_t kBook60[] = {25, 25, 22, 19, 14};
const uint8_t kBook61[] = {21, 22, 18};
const uint8_t kBook62[] = {10, 29, 24, 21, 21};
const uint8_t kBook63[] = {13};
const uint8_t kBook64[] = {14};
const uint8_t kBook65[] = {25};
const uint8_t kBook66[] = {20, 29, 22, 11, 14, 17, 17, 13, 21, 11, 19, 17, 18, 20, 8, 21, 18, 24, 21, 15, 27, 21};

struct BookChapters {
    const uint8_t* verses;
    int chapters;
};

const BookChapters kChapters[66] = {
    {kBook1, static_cast<int>(sizeof kBook1)},
    {kBook2, static_cast<int>(sizeof kBook2)},
    {kBook3, static_cast<int>(sizeof kBook3)},
    {kBook4, static_cast<int>(sizeof kBook4)},
    {kBook5, static_cast<int>(sizeof kBook5)},
    {kBook6, static_cast<int>(sizeof kBook6)},
    {kBook7, static_cast<int>(sizeof kBook7)},
    {kBook8, static_cast<int>(sizeof kBook8)},
    {kBook9, static_cast<int>(sizeof kBook9)},
    {kBook10, static_cast<int>(sizeof kBook10)},
    {kBook11, static_cast<int>(sizeof kBook11)},
    {kBook12, static_cast<int>(sizeof kBook12)},
    {kBook13, static_cast<int>(sizeof kBook13)},
    {kBook14, static_cast<int>(sizeof kBook14)},
    {kBook15, static_cast<int>(sizeof kBook15)},
    {kBook16, static_cast<int>(sizeof kBook16)},
    {kBook17, static_cast<int>(sizeof kBook17)},
    {kBook18, static_cast<int>(sizeof kBook18)},
    {kBook19, static_cast<int>(sizeof kBook19)},
    {kBook20, static_cast<int>(sizeof kBook20)},
    {kBook21, static_cast<int>(sizeof kBook21)},
    {kBook22, static_cast<int>(sizeof kBook22)},
    {kBook23, static_cast<int>(sizeof kBook23)},
    {kBook24, static_cast<int>(sizeof kBook24)},
    {kBook25, static_cast<int>(sizeof kBook25)},
    {kBook26, static_cast<int>(sizeof kBook26)},
    {kBook27, static_cast<int>(sizeof kBook27)},
    {kBook28, static_cast<int>(sizeof kBook28)},
    {kBook29, static_cast<int>(sizeof kBook29)},
    {kBook30, static_cast<int>(sizeof kBook30)},
    {kBook31, static_cast<int>(sizeof kBook31)},
    {kBook32, static_cast<int>(sizeof kBook32)},
    {kBook33, static_cast<int>(sizeof kBook33)},
    {kBook34, static_cast<int>(sizeof kBook34)},
    {kBook35, static_cast<int>(sizeof kBook35)},
    {kBook36, static_cast<int>(sizeof kBook36)},
    {kBook37, static_cast<int>(sizeof kBook37)},
    {kBook38, static_cast<int>(sizeof kBook38)},
    {kBook39, static_cast<int>(sizeof kBook39)},
    {kBook40, static_cast<int>(sizeof kBook40)},
    {kBook41, static_cast<int>(sizeof kBook41)},
    {kBook42, static_cast<int>(sizeof kBook42)},
    {kBook43, static_cast<int>(sizeof kBook43)},
    {kBook44, static_cast<int>(sizeof kBook44)},
    {kBook45, static_cast<int>(sizeof kBook45)},
    {kBook46, static_cast<int>(sizeof kBook46)},
    {kBook47, static_cast<int>(sizeof kBook47)},
    {kBook48, static_cast<int>(sizeof kBook48)},
    {kBook49, static_cast<int>(sizeof kBook49)},
    {kBook50, static_cast<int>(sizeof kBook50)},
    {kBook51, static_cast<int>(sizeof kBook51)},
    {kBook52, static_cast<int>(sizeof kBook52)},
    {kBook53, static_cast<int>(sizeof kBook53)},
    {kBook54, static_cast<int>(sizeof kBook54)},
    {kBook55, static_cast<int>(sizeof kBook55)},
    {kBook56, static_cast<int>(sizeof kBook56)},
    {kBook57, static_cast<int>(sizeof kBook57)},
    {kBook58, static_cast<int>(sizeof kBook58)},
    {kBook59, static_cast<int>(sizeof kBook59)},
    {kBook60, static_cast<int>(sizeof kBook60)},
    {kBook61, static_cast<int>(sizeof kBook61)},
    {kBook62, static_cast<int>(sizeof kBook62)},
    {kBook63, static_cast<int>(sizeof kBook63)},
    {kBook64, static_cast<int>(sizeof kBook64)},
    {kBook65, static_cast<int>(sizeof kBook65)},
    {kBook66, static_cast<int>(sizeof kBook66)},
};

}  // namespace

const TVersification& StandardVersification() {
    static const TVersification v = [] {
        TVersification result;
        for (int b = 0; b < 66; ++b) {
            TVersification::Book book;
            book.Name = kBookNames[b];
            book.Abbreviation = kBookAbbreviations[b];
            book.VersesPerChapter.assign(kChapters[b].verses, kChapters[b].verses + kChapters[b].chapters);
            result.Books.push_back(std::move(book));
        }
        return result;
    }();
    return v;
}

int TVersification::ChapterLength(int book, int chapter) const {
    if (book < 1 || book > static_cast<int>(Books.size())) return 0;
    const std::vector<int>& chapters = Books[static_cast<size_t>(book - 1)].VersesPerChapter;
    if (chapter < 1 || chapter > static_cast<int>(chapters.size())) return 0;
    return chapters[static_cast<size_t>(chapter - 1)];
}

int TVersification::VerseCount() const {
    int n = 0;
    for (const Book& b : Books)
        for (int v : b.VersesPerChapter) n += v;
    return n;
}

}  // namespace kvx
