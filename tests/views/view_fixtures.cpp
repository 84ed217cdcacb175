// The view tests' library and recording main window.
#include "tests/views/view_fixtures.h"

#include <filesystem>
#include <stdexcept>

#include "app/settings.h"
#include "engine/bible_module_writer.h"
#include "modules/resource_builder.h"
#include "modules/resource_format.h"
#include "modules/strongs_data_writer.h"
#include "platform/exception.h"
#include "platform/file_util.h"
#include "tests/app/app_fixtures.h"
#include "tests/support/fixtures.h"

namespace kvx::test {

namespace {

void Build(const TZBBibleModule& reference, const std::string& folder, bool commentary, uint32_t seed,
           const std::string& code, const std::string& abbreviation, const std::string& name,
           const TResourceEntryList& entries) {
    BuildResourceModule(nullptr, nullptr, commentary, nullptr, reference, folder, seed, true, "", code, abbreviation,
                        name, entries);
}

TResourceEntrySource Entry(const std::string& title, const std::string& text) {
    return {title, std::vector<std::string>{text}};
}

class TViewLibrary {
public:
    TViewLibrary() {
        const std::string folder = dir_.Path() + "/";
        TBibleModuleSource kjv = StandardBibleSource("KJV");
        kjv.ModuleName = "King James Version";
        kjv.HasStrongs = kjv.HasSuppliedWords = kjv.HasFootnotes = true;
        auto set = [&kjv](int verse, std::string text) { kjv.Verses[static_cast<size_t>(verse - 1)] = std::move(text); };
        set(Verse(kGenesis, 1, 1), "In the beginning\x02" "00001 God\x02" "00002 created the heaven and the earth.");
        set(Verse(kGenesis, 1, 2), "And the earth was without form; and darkness [was] upon the face of the deep.");
        set(Verse(kGenesis, 1, 6), "Let there be a firmament {Heb. expansion} in the midst of the waters.");
        set(Verse(kGenesis, 2, 4), "In the day that the LORD God made the earth and the heavens,");
        set(Verse(kPsalms, 3, 1), "<<A Psalm of David.>> LORD, how are they increased that trouble me!");
        for (int v = 1; v <= 27; ++v)
            set(Verse(kPsalms, 119, v), Format("Blessed [are] the undefiled{note %d} in the way.", v));
        set(Verse(kJohn, 3, 16), "For God\x03" "00001 so loved\x03" "00002 the world.");
        set(Verse(kJohn, 3, 17), "For God sent\x03" "1x345 not his Son\x02" "09999 into the world.");
        reference_ = WriteBible(dir_, kjv);
        WriteBible(dir_, StandardBibleSource("ABC"));
        TBibleModuleSource utf = StandardBibleSource("UTF");
        utf.IsUTF8 = true;
        utf.Verses[static_cast<size_t>(Verse(kJohn, 1, 1) - 1)] = "\xe1\xbc\x90\xce\xbd \xe1\xbc\x80\xcf\x81\xcf\x87\xe1\xbf\x87";
        WriteBible(dir_, utf);

        const TZBBibleModule reference(reference_);
        Build(reference, folder, true, kBuilderSeed, "TSK", "TSK", "Treasury of Scripture Knowledge",
              {Entry("Ge 1:1", "The beginning."), Entry("Joh 3:16", "God's love.")});
        Build(reference, folder, true, kUserModuleSeed, "USERMOD", "MINE", "My Notes", {Entry("Ge 1:2", "My note.")});
        Build(reference, folder, false, kBuilderSeed, "EAS", "Easton", "Easton's Bible Dictionary",
              {Entry("Creation", "See <scripref>Ge 1:1</scripref>."), Entry("Heaven", "See <scripref>Ge 1:1</scripref>."),
               Entry("Light", "See <scripref>Ge 1:3</scripref>.")});
        Build(reference, folder, false, kBuilderSeed, "StrHeb", "hebrew", "Strong's Hebrew Lexicon",
              {Entry("H1", "father"), Entry("H2", "father (Aramaic)")});
        Build(reference, folder, false, kBuilderSeed, "StrGrk", "Greek", "Strong's Greek Lexicon",
              {Entry("G1", "Alpha"), Entry("G2", "Aaron")});
        Build(reference, folder, false, kBuilderSeed, "W-AJ", "WebAJ", "Webster A-J", {Entry("abide", "To stay.")});
        Build(reference, folder, false, kBuilderSeed, "W-KZ", "WebKZ", "Webster K-Z",
              {Entry("light", "Brightness."), Entry("world", "The earth.")});

        WriteStrongsData(folder + "stgdat.zb4", {{"\xd7\x90\xd7\x91", "'ab"}, {"\xd7\x90\xd7\x91", "'ab"}},
                         {{"\xce\xb1", "a"}, {"\xe1\xbc\x88\xce\xb1\xcf\x81\xcf\x8e\xce\xbd", "Aaron"}});
        std::string map(static_cast<size_t>(kStandardVerseCount), '\0');
        for (int v : {Verse(kGenesis, 1, 1), Verse(kGenesis, 1, 3), Verse(kPsalms, 119, 1), Verse(kPsalms, 119, 9),
                      Verse(kJohn, 3, 16)})
            map[static_cast<size_t>(v - 1)] = 1;
        WriteBytes(folder + "pmap.dat", map);

        Load(library_, folder, folder);
    }

    // As the program loads its library: data files from one folder, modules from another.
    static void Load(TModuleLibrary& library, const std::string& folder, const std::string& modules) {
        library.LoadParagraphMap(folder + "pmap.dat");
        library.OpenStrongsData(folder + "stgdat.zb4");
        library.LoadBibleFolder(modules);
        if (!library.ChooseKJVBible()) throw std::runtime_error("no KJV in " + modules);
        library.OrderBibles();
        library.LoadBookFolder(modules);
        library.OrderBooks();
        library.FindSpecialModules();
        library.LoadCommentaryFolder(modules);
        library.OrderCommentaries();
        library.CollectUserCommentaries();
    }

    TModuleLibrary& Library() { return library_; }
    std::string Folder() const { return dir_.Path() + "/"; }

private:
    TempDir dir_;
    std::string reference_;
    TModuleLibrary library_;
};

TViewLibrary& Shared() {
    static TViewLibrary library;
    return library;
}

std::string Name(const TZBDictionaryModule& module) { return module.Abbreviation(); }

}  // namespace

int Verse(int book, int chapter, int verse) {
    const TVersification& v = StandardVersification();
    int number = 0;
    for (int b = 1; b < book; ++b)
        for (int count : v.Books[static_cast<size_t>(b - 1)].VersesPerChapter) number += count;
    const auto& chapters = v.Books[static_cast<size_t>(book - 1)].VersesPerChapter;
    for (int c = 1; c < chapter; ++c) number += chapters[static_cast<size_t>(c - 1)];
    return number + verse;
}

TModuleLibrary& ViewLibrary() { return Shared().Library(); }

std::string ViewLibraryFolder() { return Shared().Folder(); }

TZBBibleModule& LibraryBible(const std::string& abbreviation) {
    for (const auto& bible : ViewLibrary().BibleModules())
        if (bible->Abbreviation() == abbreviation) return *bible;
    throw std::runtime_error("no Bible " + abbreviation);
}

TZBDictionaryModule& LibraryBook(const std::string& abbreviation) {
    for (const auto& book : ViewLibrary().BookModules())
        if (book->Abbreviation() == abbreviation) return *book;
    throw std::runtime_error("no book " + abbreviation);
}

TModuleLibrary* DefaultLibrary() {
    static std::unique_ptr<TModuleLibrary> library = [] {
        std::unique_ptr<TModuleLibrary> loaded;
        const std::string folder = DefaultLibraryFolder({"Modules/KJV.zb5bible", "pmap.dat", "stgdat.zb4"});
        if (folder.empty()) return loaded;
        loaded = std::make_unique<TModuleLibrary>();
        TViewLibrary::Load(*loaded, folder, folder + "Modules/");
        return loaded;
    }();
    return library.get();
}

void ResetSettings() {
    Settings() = TSettings{};
    InitSettingsDefaults(Settings(), nullptr);
}

std::string ArtefactFolder() {
    const std::string folder = std::string(KVX_ARTEFACT_DIR) + "/";
    std::filesystem::create_directories(folder);
    return folder;
}

void TRecordingHost::ShowBibleVerse(int verse, bool selectLabel) {
    Calls.push_back(Format("verse %d %s", verse, selectLabel ? "select" : "-"));
}

void TRecordingHost::ShowModuleInformation(const TZBBibleModule& bible) { Calls.push_back("info " + bible.Abbreviation()); }

void TRecordingHost::ShowCommentaryEntry(int index, int entry) { Calls.push_back(Format("commentary %d %d", index, entry)); }

void TRecordingHost::ShowBookEntry(TZBDictionaryModule& book, int entry, int highlightVerse) {
    Calls.push_back(Format("book %s %d %d", Name(book).c_str(), entry, highlightVerse));
}

void TRecordingHost::ShowBookReferences(const TBookReferences& references) {
    std::string entries;
    for (uint16_t e : references.Entries) entries += (entries.empty() ? "" : ",") + std::to_string(e);
    Calls.push_back(Format("references %s %d %s", Name(*references.Book).c_str(), references.Verse, entries.c_str()));
    LastReferences = references;
}

void TRecordingHost::EditUserCommentary(int index, int entry) { Calls.push_back(Format("edit %d %d", index, entry)); }

std::vector<std::string> TRecordingHost::Requests() const {
    std::vector<std::string> requests;
    for (const std::string& call : Calls)
        if (call != "panel" && call.rfind("status ", 0) != 0) requests.push_back(call);
    return requests;
}

}  // namespace kvx::test
