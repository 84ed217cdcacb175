// The files of the default library and how each is made: the King James Version
// with Strong's numbers, the World English Bible, and the paragraph map taken from
// the King James text's paragraph signs.
#include <string>

#include "engine/bible_module_writer.h"
#include "engine/module_hash.h"
#include "engine/verse_types.h"
#include "engine/versification.h"
#include "platform/ansi_text.h"
#include "platform/exception.h"
#include "platform/file_util.h"
#include "tools/library_builder/build_context.h"
#include "tools/library_builder/library_builder.h"

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
        {"engKJV2006eb", "sword-text-kjv"}, "Modules/KJV.zb5bible", "KJV", "King James Version",
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

std::string EscapeHtml(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else out += c;
    }
    return out;
}

// The module's information text: where it comes from and the package's own
// statement of its copyright status, which must travel with the text.
std::string InfoText(TBuildContext& context, const TBibleProfile& profile, const TBibleConversion& bible) {
    const TSwordModuleInfo& module = context.Module(profile.Source.Module);
    std::string html = "<p><b>" + EscapeHtml(profile.Name) + "</b> (" + EscapeHtml(profile.Abbreviation) + ")</p>\n";
    std::string version = module.Get("Version");
    std::string date = module.Get("SwordVersionDate");
    html += "<p>Converted by Karvelindorax from the SWORD module " + EscapeHtml(module.Name);
    if (!version.empty()) html += ", version " + EscapeHtml(version);
    if (!date.empty()) html += " of " + EscapeHtml(date);
    html += ", in the Debian package " + EscapeHtml(profile.Source.Package) + ".";
    if (bible.KeysOfOtherBooks > 0) html += " It holds the 66 books of the Protestant canon; the module's other books are left out.";
    html += "</p>\n";
    std::string about = module.Get("About");
    if (!about.empty()) html += "<p>" + EscapeHtml(about) + "</p>\n";
    std::string copyright = context.CopyrightStatement(profile.Source.Package);
    if (copyright.empty()) {
        // Without the package's copyright file, its configuration's statement.
        for (const char* key : {"Copyright", "CopyrightNotes", "DistributionLicense"}) {
            std::string value = module.Get(key);
            if (!value.empty()) copyright += std::string(key) + ": " + value + "\n";
        }
    }
    if (!copyright.empty()) html += "<p><b>Copyright</b></p>\n<pre>" + EscapeHtml(copyright) + "</pre>\n";
    return Utf8ToAnsi(html, true);
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
                source.InfoText = InfoText(context, profile, bible);
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
    return {"pmap.dat", {KjvProfile().Source}, [](TBuildContext& context, const std::string& path) {
                const TBibleConversion& kjv = context.Bible(KjvProfile().Source.Module, KjvProfile().Options);
                std::string bytes = ParagraphMapBytes(kjv);
                WriteFileAtomically(path, bytes);
                int starts = 0;
                for (char b : bytes) starts += b != 0;
                return Format("%d paragraph starts", starts);
            }};
}

}  // namespace

std::vector<TLibraryTarget> DefaultLibraryTargets() {
    return {BibleModuleTarget(KjvProfile()), ParagraphMapTarget(), BibleModuleTarget(WebProfile())};
}

}  // namespace kvx::library
