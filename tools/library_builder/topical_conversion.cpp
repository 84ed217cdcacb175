// Topics of a SWORD topical dictionary to book entries.
#include "tools/library_builder/topical_conversion.h"

#include <map>
#include <set>

#include "platform/ansi_text.h"
#include "tools/library_builder/osis_html.h"
#include "tools/library_builder/osis_references.h"

namespace kvx::library {

TTopicalConversion ConvertSwordTopics(const std::vector<TImpEntry>& entries, const std::string& sourceModule,
                                      const std::string& abbreviation, const TZBBibleModule& bible) {
    TTopicalConversion result;
    std::set<std::string> topics;
    for (const TImpEntry& entry : entries) topics.insert(entry.Key);

    // The topic a see-also target names: itself, or the same word in the other number.
    auto findTopic = [&](const std::string& target, bool& sameName) -> std::string {
        sameName = topics.count(target) != 0;
        if (sameName) return target;
        std::vector<std::string> forms{target + "S"};
        if (target.size() > 1 && target.back() == 'S') forms.push_back(target.substr(0, target.size() - 1));
        if (target.size() > 2 && target.ends_with("ES")) forms.push_back(target.substr(0, target.size() - 2));
        for (const std::string& form : forms)
            if (topics.count(form)) return form;
        return {};
    };

    const std::string prefix = sourceModule + ":";
    TOsisHtmlOptions options;
    options.Bible = &bible;
    options.Reference = [&](const TOsisToken& tag, const std::string& content) {
        TOsisReferenceResult out;
        const std::string osisRef = tag.Attribute("osisRef");
        if (!osisRef.empty()) {
            out.Verses = OsisReferenceRanges(osisRef);
            return out;
        }
        const std::string target = tag.Attribute("target");
        if (target.rfind(prefix, 0) != 0) return out;
        bool sameName = false;
        const std::string topic = findTopic(target.substr(prefix.size()), sameName);
        const std::string item = ResourceLinkItem(Utf8ToAnsi(topic, true));
        if (topic.empty() || item.empty()) {
            ++result.LinksDropped;
            return out;
        }
        ++(sameName ? result.Links : result.LinksToOtherNumber);
        out.Html = "<a href=\"zbbook:" + ResourceLinkItem(abbreviation) + "|" + item + "\">" +
                   (content.empty() ? EscapeHtml(topic) : content) + "</a>";
        return out;
    };

    std::map<std::string, size_t> byTitle;
    for (const TImpEntry& entry : entries) {
        TOsisHtmlWriter writer(options);
        writer.Markup(entry.Text);
        std::vector<std::string> lines = writer.Finish();
        result.References += writer.ReferencedRanges();
        result.UnreadReferences += writer.UnreadReferences();
        // Two topics of one name ("SIN", the desert and the transgression) are one
        // entry, the second after a rule: a title leads to one entry only.
        auto [it, added] = byTitle.emplace(entry.Key, result.Entries.size());
        if (!added) {
            ++result.TopicsJoined;
            auto& into = result.Entries[it->second].Lines;
            if (lines.empty()) continue;
            if (!into) into.emplace();
            if (!into->empty()) into->push_back("<hr>");
            into->insert(into->end(), lines.begin(), lines.end());
            continue;
        }
        TResourceEntrySource source;
        source.Title = Utf8ToAnsi(entry.Key, true);
        if (!lines.empty()) source.Lines = std::move(lines);
        result.Entries.push_back(std::move(source));
    }
    return result;
}

}  // namespace kvx::library
