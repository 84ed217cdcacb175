// The lexicons, commentaries and books of the default library and how each is made:
// Strong's Hebrew and Greek dictionaries (as lexicon books and as the Strong's data
// file), Matthew Henry's Concise Commentary, the Treasury of David, the Scofield
// notes and Nave's Topical Bible. Every module is written by the program's own
// resource module builder, against the library's King James Version.
#include <algorithm>
#include <filesystem>
#include <map>

#include "engine/module_hash.h"
#include "modules/resource_builder.h"
#include "modules/strongs_data_writer.h"
#include "platform/exception.h"
#include "tools/library_builder/build_context.h"
#include "tools/library_builder/commentary_conversion.h"
#include "tools/library_builder/lexicon_conversion.h"
#include "tools/library_builder/library_builder.h"
#include "tools/library_builder/module_info.h"
#include "tools/library_builder/sword_verse_index.h"
#include "tools/library_builder/topical_conversion.h"

namespace kvx::library {
namespace {

namespace fs = std::filesystem;

struct TResourceProfile {
    TSwordSource Source;
    std::string Abbreviation;  // also the stem of the file name
    std::string ModuleCode;
    std::string Name;
};

struct TLexiconProfile {
    TResourceProfile Module;
    TStrongsLanguage Language;
};

const TLexiconProfile& HebrewLexicon() {
    static const TLexiconProfile profile{
        {{"StrongsHebrew", "sword-dict-strongs-hebrew"}, "StrHeb", "StrHeb", "Strong's Hebrew Dictionary"},
        TStrongsLanguage::Hebrew};
    return profile;
}

const TLexiconProfile& GreekLexicon() {
    static const TLexiconProfile profile{
        {{"StrongsGreek", "sword-dict-strongs-greek"}, "StrGrk", "StrGrk", "Strong's Greek Dictionary"},
        TStrongsLanguage::Greek};
    return profile;
}

struct TCommentaryProfile {
    TResourceProfile Module;
    TCommentRanges Ranges;
    // The source writes its references loosely ("ge 1:5 ge 1:14") instead of in OSIS.
    bool LooseReferences = false;
};

const std::vector<TCommentaryProfile>& Commentaries() {
    static const std::vector<TCommentaryProfile> profiles{
        {{{"MHCC", "sword-comm-mhcc"}, "MHCC", "MHCC", "Matthew Henry's Concise Commentary"},
         TCommentRanges::ChapterComments},
        {{{"TDavid", "sword-comm-tdavid"}, "TDavid", "TDavid", "Treasury of David"}, TCommentRanges::ChapterComments},
        {{{"Scofield", "sword-comm-scofield"}, "Scofield", "Scofld", "Scofield Reference Notes (1917)"},
         TCommentRanges::AsIndexed, true},
    };
    return profiles;
}

const TResourceProfile& TopicalBible() {
    static const TResourceProfile profile{{"Nave", "sword-dict-naves"}, "Nave", "Nave", "Nave's Topical Bible"};
    return profile;
}

std::string OutputFile(const TResourceProfile& profile, bool commentary) {
    return ResourceModuleFileName(kModulesFolder, profile.Abbreviation, commentary);
}

// The builder's passes on the build's live line.
class TStatusProgress : public TBuildProgress {
public:
    explicit TStatusProgress(TBuildContext& context) : context_(context) {}
    void SetPassText(const std::string& text) override { pass_ = text; }
    void SetDetailText(const std::string&) override {}
    void SetRange(int min, int max) override {
        min_ = min;
        max_ = max > min ? max : min + 1;
    }
    void SetPosition(int pos) override {
        context_.Status(pass_, static_cast<size_t>(std::max(0, pos - min_)), static_cast<size_t>(max_ - min_));
    }

private:
    TBuildContext& context_;
    std::string pass_;
    int min_ = 0, max_ = 1;
};

void WriteModule(TBuildContext& context, const std::string& path, const TResourceProfile& profile, bool commentary,
                 const std::string& infoText, const TResourceEntryList& entries) {
    const std::string folder = fs::path(path).parent_path().string();
    if (ResourceModuleFileName(folder, profile.Abbreviation, commentary) != path)
        throw Exception(Format("The module %s would not be written to %s.", profile.Abbreviation.c_str(), path.c_str()));
    TStatusProgress progress(context);
    BuildResourceModule(nullptr, nullptr, commentary, &progress, context.ReferenceBible(), folder, kBuilderSeed, true,
                        infoText, profile.ModuleCode, profile.Abbreviation, profile.Name, entries);
}

TLibraryTarget StrongsDataTarget() {
    return {kStrongsDataFile, {HebrewLexicon().Module.Source, GreekLexicon().Module.Source},
            [](TBuildContext& context, const std::string& path) {
                const TLexiconConversion& hebrew =
                    context.Lexicon(HebrewLexicon().Module.Source.Module, TStrongsLanguage::Hebrew);
                const TLexiconConversion& greek = context.Lexicon(GreekLexicon().Module.Source.Module, TStrongsLanguage::Greek);
                context.Status("writing");
                WriteStrongsData(path, hebrew.Words, greek.Words);
                int hebrewWords = 0, greekWords = 0;
                for (const TStrongsEntry& e : hebrew.Words) hebrewWords += !e.Word.empty();
                for (const TStrongsEntry& e : greek.Words) greekWords += !e.Word.empty();
                return Format("%d Hebrew and %d Greek words", hebrewWords, greekWords);
            }};
}

TLibraryTarget LexiconTarget(const TLexiconProfile& profile) {
    return {OutputFile(profile.Module, false), {profile.Module.Source, kKjvSource},
            [&profile](TBuildContext& context, const std::string& path) {
                const TLexiconConversion& lexicon = context.Lexicon(profile.Module.Source.Module, profile.Language);
                TResourceEntryList entries;
                for (size_t i = 0; i < lexicon.Articles.size(); ++i)
                    entries.push_back({lexicon.Titles[i], lexicon.Articles[i]});
                std::string note = "Entry n &minus; 1 holds number n; numbers the dictionary does not use have a short "
                                   "article saying so.";
                if (profile.Language == TStrongsLanguage::Hebrew)
                    note += " The text is read as UTF-8, which the module's configuration does not say.";
                else
                    note += " Cross-references to Hebrew numbers, which the module files under Greek ones, lead to the "
                            "Hebrew numbers they show.";
                if (lexicon.Duplicates > 0) note += " A number given twice is taken once.";
                WriteModule(context, path, profile.Module, false,
                            ModuleInfoText(context, profile.Module.Source, profile.Module.Name,
                                           profile.Module.Abbreviation, note),
                            entries);
                std::string summary = Format("%zu articles, %d numbers not used", lexicon.Articles.size(), lexicon.NotUsed);
                if (lexicon.Duplicates > 0) summary += Format(", %d keys given twice", lexicon.Duplicates);
                if (lexicon.Ignored > 0) summary += Format(", %d keys of no number left out", lexicon.Ignored);
                return summary;
            }};
}

TLibraryTarget CommentaryTarget(const TCommentaryProfile& profile) {
    return {OutputFile(profile.Module, true), {profile.Module.Source, kKjvSource},
            [&profile](TBuildContext& context, const std::string& path) {
                const TSwordModuleInfo& module = context.Module(profile.Module.Source.Module);
                const TSwordVerseIndex index = ReadSwordVerseIndex(module.DataPath);
                // A configuration that names the wrong driver for the stored index
                // makes every read fail: mod2imp gets one naming the right one.
                std::map<std::string, std::string> corrections;
                const std::string driver = module.Get("ModDrv");
                if (index.Found() && (driver == "zCom" || driver == "zCom4") && driver != index.Driver())
                    corrections["ModDrv"] = index.Driver();
                const std::vector<TImpEntry>& exported = context.Export(module.Name, corrections);

                const TZBBibleModule& bible = context.ReferenceBible();
                TOsisHtmlOptions html;
                html.Bible = &bible;
                html.Reference = [&](const TOsisToken& tag, const std::string& content) {
                    return CommentaryReference(tag, content, module.Name, profile.Module.Abbreviation,
                                               profile.LooseReferences, bible);
                };
                const TCommentaryConversion conversion =
                    ConvertSwordCommentary(exported, index, profile.Ranges, html,
                                           [&](size_t done, size_t total) { context.Status("converting", done, total); });
                TResourceEntryList entries;
                int ranges = 0;
                for (const TCommentaryEntry& entry : conversion.Entries) {
                    entries.push_back({bible.VerseReference(entry.First), entry.Lines});
                    ranges += entry.Last > entry.First;
                }

                std::string note = index.Found() ? "Each comment begins with the verses it covers, as the module's "
                                                   "verse index links them."
                                                 : "Each comment begins with the verses it covers, up to the next "
                                                   "comment.";
                if (!corrections.empty())
                    note += " The module's configuration names the driver " + driver + " for data stored for " +
                            index.Driver() + "; it was read with " + index.Driver() + ".";
                WriteModule(context, path, profile.Module, true,
                            ModuleInfoText(context, profile.Module.Source, profile.Module.Name,
                                           profile.Module.Abbreviation, note),
                            entries);
                std::string summary = Format("%zu comments (%d on more than one verse), %d references",
                                             conversion.Entries.size(), ranges, conversion.References);
                if (conversion.UnreadReferences > 0)
                    summary += Format(", %d references to no verse left as text", conversion.UnreadReferences);
                if (conversion.KeysOutside > 0) summary += Format(", %d keys outside the Bible left out", conversion.KeysOutside);
                if (!corrections.empty()) summary += ", read with driver " + index.Driver();
                return summary;
            }};
}

TLibraryTarget TopicalBibleTarget() {
    const TResourceProfile& profile = TopicalBible();
    return {OutputFile(profile, false), {profile.Source, kKjvSource},
            [&profile](TBuildContext& context, const std::string& path) {
                const std::vector<TImpEntry>& exported = context.Export(profile.Source.Module);
                context.Status("converting");
                const TTopicalConversion conversion =
                    ConvertSwordTopics(exported, profile.Source.Module, profile.Abbreviation, context.ReferenceBible());
                WriteModule(context, path, profile, false,
                            ModuleInfoText(context, profile.Source, profile.Name, profile.Abbreviation,
                                           "See-also references to topics the book does not have are left as text."),
                            conversion.Entries);
                std::string summary = Format("%zu topics, %d references, %d see-also links", conversion.Entries.size(),
                                             conversion.References, conversion.Links + conversion.LinksToOtherNumber);
                if (conversion.LinksToOtherNumber > 0)
                    summary += Format(" (%d to the singular or plural)", conversion.LinksToOtherNumber);
                if (conversion.LinksDropped > 0) summary += Format(", %d to no topic left as text", conversion.LinksDropped);
                if (conversion.UnreadReferences > 0)
                    summary += Format(", %d references to no verse left as text", conversion.UnreadReferences);
                if (conversion.TopicsJoined > 0) summary += Format(", %d topics given twice joined", conversion.TopicsJoined);
                return summary;
            }};
}

}  // namespace

std::vector<TLibraryTarget> ResourceLibraryTargets() {
    std::vector<TLibraryTarget> targets{StrongsDataTarget(), LexiconTarget(HebrewLexicon()), LexiconTarget(GreekLexicon())};
    for (const TCommentaryProfile& profile : Commentaries()) targets.push_back(CommentaryTarget(profile));
    targets.push_back(TopicalBibleTarget());
    return targets;
}

}  // namespace kvx::library
