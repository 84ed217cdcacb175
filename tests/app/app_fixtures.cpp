// Installations and users for the program's tests.
#include "tests/app/app_fixtures.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>

#include "engine/bible_module.h"
#include "engine/verse_types.h"
#include "modules/resource_builder.h"
#include "modules/resource_format.h"
#include "modules/strongs_data_writer.h"
#include "platform/file_util.h"

namespace kvx::test {

namespace {

namespace fs = std::filesystem;

struct TResourceSpec {
    std::string Abbreviation, Name, Code;
    bool Commentary;
    uint32_t Seed;
    TResourceEntryList Entries;
};

class TSharedModules {
public:
    TSharedModules() {
        TBibleModuleSource kjv = StandardBibleSource("KJV");
        kjv.ModuleName = "King James Version";
        kjv.HasStrongs = true;
        kjv.Verses[0] = std::string("In the beginning \x02" "07225 God created.");
        Add(WriteBible(dir_, kjv));
        TBibleModuleSource xyz = TinyBibleSource("XYZ");
        xyz.ModuleName = "Xylophone & Zither Version";
        Add(WriteBible(dir_, xyz));
        Add(WriteBible(dir_, TinyBibleSource("ABC")));
        // File names are compared without regard to case, so the lower-case "kjv"
        // needs a name of its own.
        const std::string lower = dir_.File("lowkjv.zb5bible");
        WriteBibleModule(TinyBibleSource("kjv"), lower);
        Add(lower);
        reference_ = std::make_unique<TZBBibleModule>(modules_.at("KJV.zb5bible").Path);

        const std::vector<TResourceSpec> resources = {
            {"Easton", "Easton's Bible Dictionary", "EAS", false, kBuilderSeed,
             {{"Aaron", std::vector<std::string>{"The brother of Moses."}},
              {"Abel", std::vector<std::string>{"Second son of Adam; see <scripref>Ge 4:2</scripref>."}}}},
            {"hebrew", "Strong's Hebrew Lexicon", "StrHeb", false, kBuilderSeed,
             {{"H1", std::vector<std::string>{"father"}}, {"H2", std::vector<std::string>{"father (Aramaic)"}}}},
            {"Greek", "Strong's Greek Lexicon", "StrGrk", false, kBuilderSeed,
             {{"G1", std::vector<std::string>{"Alpha"}}}},
            {"WebAJ", "Webster A-J", "W-AJ", false, kBuilderSeed, {{"Abide", std::vector<std::string>{"To stay."}}}},
            {"dup", "Dup One", "DUP", false, kBuilderSeed, {{"One", std::vector<std::string>{"first"}}}},
            {"TSK", "Treasury of Scripture Knowledge", "TSK", true, kBuilderSeed,
             {{"Ge 1:1", std::vector<std::string>{"The beginning: <scripref>Joh 1:1</scripref>."}}}},
            {"SME", "Morning and Evening", "SME", true, kBuilderSeed,
             {{"Ge 1:2", std::vector<std::string>{"<a name=\"01/01/AM\"></a>A reading."}}}},
            {"MINE", "My Notes", "USERMOD", true, kUserModuleSeed,
             {{"Ge 1:1", std::vector<std::string>{"My own note."}}}},
        };
        for (const TResourceSpec& r : resources) Build(r, dir_.Path());
        // The second "dup" book lives under another file name.
        TempDir other;
        Build({"dup", "Dup Two", "DUP", false, kBuilderSeed, {{"Two", std::vector<std::string>{"second"}}}},
              other.Path());
        const std::string copy = dir_.File("dup2.zb5book");
        WriteBytes(copy, ReadBytes(other.File("dup.zb5book")));
        Add(copy);
    }

    const TSharedModule& Find(const std::string& name) const {
        auto it = modules_.find(name);
        if (it == modules_.end()) throw std::runtime_error("no shared module " + name);
        return it->second;
    }

private:
    void Add(const std::string& path) {
        const std::string name = fs::path(path).filename().string();
        modules_[name] = {name, path};
    }
    void Build(const TResourceSpec& r, const std::string& folder) {
        BuildResourceModule(nullptr, nullptr, r.Commentary, nullptr, *reference_, folder, r.Seed, true, "",
                            r.Code, r.Abbreviation, r.Name, r.Entries);
        if (folder == dir_.Path()) Add(ResourceModuleFileName(folder, r.Abbreviation, r.Commentary));
    }

    TempDir dir_;
    std::unique_ptr<TZBBibleModule> reference_;
    std::map<std::string, TSharedModule> modules_;
};

const TSharedModules& Shared() {
    static TSharedModules shared;
    return shared;
}

}  // namespace

const TSharedModule& SharedModule(const std::string& fileName) { return Shared().Find(fileName); }

const std::string& SharedKJV() { return SharedModule("KJV.zb5bible").Path; }

std::string ParagraphMapBytes() {
    std::string bytes(static_cast<size_t>(kStandardVerseCount), '\0');
    for (size_t v = 0; v < bytes.size(); v += 10) bytes[v] = 1;
    return bytes;
}

TInstallation::TInstallation() {
    for (const char* folder : {"/program/Modules", "/program/User", "/config", "/documents"})
        fs::create_directories(root_.Path() + folder);
}

std::string TInstallation::FolderPath(const std::string& folder) const {
    return folder == "documents" ? UserModuleFolder() : ProgramFolder() + folder;
}

TInstallation& TInstallation::Complete() {
    Write("pmap.dat", ParagraphMapBytes());
    WriteStrongsData(ProgramFolder() + "stgdat.zb4", {{"\xd7\x90\xd7\x91", "'ab"}}, {{"\xce\xb1", "a"}});
    return Add("KJV.zb5bible");
}

TInstallation& TInstallation::Add(const std::string& fileName, const std::string& folder) {
    const std::string target = FolderPath(folder);
    fs::create_directories(target);
    fs::create_symlink(SharedModule(fileName).Path, target + fileName);
    return *this;
}

TInstallation& TInstallation::Full() {
    Complete();
    for (const char* bible : {"XYZ.zb5bible", "ABC.zb5bible"}) Add(bible);
    for (const char* book : {"Easton.zb5book", "hebrew.zb5book", "Greek.zb5book", "dup.zb5book"}) Add(book);
    Add("WebAJ.zb5book", "User/");
    Add("dup2.zb5book", "User/");
    for (const char* commentary : {"TSK.zb5cmty", "SME.zb5cmty"}) Add(commentary);
    return Add("MINE.zb5cmty", "documents");
}

void TInstallation::Write(const std::string& relative, const std::string& bytes) const {
    const fs::path path = ProgramFolder() + relative;
    fs::create_directories(path.parent_path());
    WriteBytes(path.string(), bytes);
}

void TInstallation::AddDamaged(const std::string& fileName, const std::string& folder) const {
    std::string bytes = ReadBytes(SharedModule(fileName).Path);
    // The module name sits in the hashed header: the hash no longer matches.
    bytes[210] = static_cast<char>(bytes[210] ^ 0x55);
    const std::string target = FolderPath(folder);
    fs::create_directories(target);
    WriteBytes(target + fileName, bytes);
}

}  // namespace kvx::test
