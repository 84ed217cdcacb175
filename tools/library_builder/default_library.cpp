// The Bible files of the default library and how each is made: the King James
// Version with Strong's numbers, the World English Bible, and the paragraph map taken
// from the King James text's paragraph signs. The lexicons, commentaries and books
// follow them (resource_library.cpp).
#include <string>

#include "engine/bible_module_writer.h"
#include "engine/module_hash.h"
#include "engine/verse_types.h"
#include "engine/versification.h"
#include "platform/exception.h"
#include "platform/file_util.h"
#include "tools/library_builder/build_context.h"
#include "tools/library_builder/library_builder.h"
#include "tools/library_builder/module_info.h"

namespace kvx::library {
namespace {

struct TBibleProfile {
    TSwordSource Source;
    std::string Output;
    std::string Abbreviation;
    std::string Name;
    TOsisVerseOptions Options;
    // The reference Bible must have every verse: a source that does not is broken.
    bool RequiresEveryVerse = false;
};

const TBibleProfile& KjvProfile() {
    static const TBibleProfile profile{
        kKjvSource, kReferenceBibleFile, "KJV", "King James Version",
        TOsisVerseOptions{.Strongs = true, .SuppliedWords = true, .Footnotes = true}, true};
    return profile;
}

// The text is the source's with its mark-up taken out, so it keeps its name.
const TBibleProfile& WebProfile() {
    static const TBibleProfile profile{
        {"engWEB2015eb", "sword-text-web"}, "Modules/WEB.zb5bible", "WEB", "World English Bible",
        TOsisVerseOptions{.Strongs = false, .SuppliedWords = false, .Footnotes = true}, false};
    return profile;
}

TLibraryTarget BibleModuleTarget(const TBibleProfile& profile) {
    return {profile.Output, {profile.Source}, [&profile](TBuildContext& context, const std::string& path) {
                const TBibleConversion& bible = context.Bible(profile.Source.Module, profile.Options);
                if (profile.RequiresEveryVerse && bible.VersesWithText != kStandardVerseCount)
                    throw Exception(Format("The SWORD module %s gave text for %d of the %d verses.",
                                           profile.Source.Module.c_str(), bible.VersesWithText, kStandardVerseCount));
                TBibleModuleSource source;
                source.ModuleName = profile.Name;
                source.Abbreviation = profile.Abbreviation;
                source.Versification = StandardVersification();
                source.Verses = bible.Verses;
                source.HasStrongs = profile.Options.Strongs;
                source.HasSuppliedWords = profile.Options.SuppliedWords;
                source.HasFootnotes = profile.Options.Footnotes;
                source.InfoText = ModuleInfoText(
                    context, profile.Source, profile.Name, profile.Abbreviation,
                    bible.KeysOfOtherBooks > 0 ? "It holds the 66 books of the Protestant canon; the module's other books are left out." : "");
                source.Seed = kBuilderSeed;
                context.Status("writing");
                WriteBibleModule(source, path);
                std::string summary = Format("%d verses with text", bible.VersesWithText);
                if (bible.KeysOfOtherBooks > 0) summary += Format(", %d keys of other books left out", bible.KeysOfOtherBooks);
                if (bible.KeysMerged > 0) summary += Format(", %d verses joined to the one before", bible.KeysMerged);
                return summary;
            }};
}

TLibraryTarget ParagraphMapTarget() {
    return {kParagraphMapFile, {KjvProfile().Source}, [](TBuildContext& context, const std::string& path) {
                const TBibleConversion& kjv = context.Bible(KjvProfile().Source.Module, KjvProfile().Options);
                std::string bytes = ParagraphMapBytes(kjv);
                WriteFileAtomically(path, bytes);
                int starts = 0;
                for (char b : bytes) starts += b != 0;
                return Format("%d paragraph starts", starts);
            }};
}

}  // namespace

std::vector<TLibraryTarget> BibleLibraryTargets() {
    return {BibleModuleTarget(KjvProfile()), ParagraphMapTarget(), BibleModuleTarget(WebProfile())};
}

std::vector<TLibraryTarget> DefaultLibraryTargets() {
    std::vector<TLibraryTarget> targets = BibleLibraryTargets();
    for (TLibraryTarget& target : ResourceLibraryTargets()) targets.push_back(std::move(target));
    return targets;
}

}  // namespace kvx::library
