// Module information texts.
#include "tools/library_builder/module_info.h"

#include "platform/ansi_text.h"
#include "tools/library_builder/build_context.h"
#include "tools/library_builder/osis_html.h"

namespace kvx::library {

std::string AboutToHtml(const std::string& about) {
    std::string html = "<p>";
    size_t i = 0;
    while (i < about.size()) {
        if (about[i] != '\\') {
            const size_t next = about.find('\\', i);
            html += EscapeHtml(about.substr(i, next == std::string::npos ? std::string::npos : next - i));
            i = next == std::string::npos ? about.size() : next;
            continue;
        }
        size_t j = i + 1;
        while (j < about.size() && about[j] == '\\') ++j;  // "\\par" is written for "\par" too
        size_t word = j;
        while (j < about.size() && about[j] >= 'a' && about[j] <= 'z') ++j;
        const std::string control = about.substr(word, j - word);
        if (control.empty()) {
            html += EscapeHtml(about.substr(i, j - i));
        } else if (control == "par") {
            if (html.size() > 3 && html.compare(html.size() - 3, 3, "<p>") != 0) html += "</p>\n<p>";
        }
        if (j < about.size() && about[j] == ' ' && !control.empty()) ++j;  // the blank that ends a control word
        i = j;
    }
    if (html.size() >= 3 && html.compare(html.size() - 3, 3, "<p>") == 0) html.resize(html.size() - 3);
    else html += "</p>\n";
    return html;
}

std::string ModuleInfoText(TBuildContext& context, const TSwordSource& source, const std::string& name,
                           const std::string& abbreviation, const std::string& note) {
    const TSwordModuleInfo& module = context.Module(source.Module);
    std::string html = "<p><b>" + EscapeHtml(name) + "</b> (" + EscapeHtml(abbreviation) + ")</p>\n";
    const std::string version = module.Get("Version");
    const std::string date = module.Get("SwordVersionDate");
    html += "<p>Converted by Karvelindorax from the SWORD module " + EscapeHtml(module.Name);
    if (!version.empty()) html += ", version " + EscapeHtml(version);
    if (!date.empty()) html += " of " + EscapeHtml(date);
    html += ", in the Debian package " + EscapeHtml(source.Package) + ".";
    if (!note.empty()) html += " " + note;
    html += "</p>\n";
    const std::string about = module.Get("About");
    if (!about.empty()) html += AboutToHtml(about);
    std::string copyright = context.CopyrightStatement(source.Package);
    if (copyright.empty()) {
        // Without the package's copyright file, its configuration's statement.
        for (const char* key : {"Copyright", "CopyrightNotes", "DistributionLicense"}) {
            const std::string value = module.Get(key);
            if (!value.empty()) copyright += std::string(key) + ": " + value + "\n";
        }
    }
    if (!copyright.empty()) html += "<p><b>Copyright</b></p>\n<pre>" + EscapeHtml(copyright) + "</pre>\n";
    return Utf8ToAnsi(html, true);
}

}  // namespace kvx::library
