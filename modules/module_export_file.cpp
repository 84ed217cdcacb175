// Reading user-module export files.
#include "modules/module_export_file.h"

#include "platform/ansi_text.h"
#include "platform/exception.h"
#include "platform/file_util.h"

namespace kvx {
namespace {

constexpr std::string_view kTitleLine = "; TITLE: ";
constexpr std::string_view kAbbreviationLine = "; ABBREVIATION: ";
constexpr std::string_view kCommentaryLine = "; User commentary module export";
constexpr std::string_view kBookLine = "; User book module export";
constexpr std::string_view kHeading = "$$";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Lines end in CR LF, LF or CR alone; a last line without an ending still counts.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

TModuleExportFile ParseModuleExportText(std::string_view text, const std::string& name) {
    std::string converted;
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        converted = Utf8ToAnsi(text.substr(kUtf8Bom.size()));
        text = converted;
    }
    TModuleExportFile file;
    bool haveTitle = false, haveAbbreviation = false;
    const std::vector<std::string_view> lines = SplitLines(text);
    for (size_t n = 0; n < lines.size(); ++n) {
        const std::string_view line = lines[n];
        if (line.substr(0, kHeading.size()) == kHeading) {
            std::string_view title = line.substr(kHeading.size());
            if (!title.empty() && title.front() == ' ') title.remove_prefix(1);
            file.Entries.push_back({std::string(title), std::vector<std::string>()});
            continue;
        }
        if (!file.Entries.empty()) {
            file.Entries.back().Lines->emplace_back(line);
            continue;
        }
        // The header: comment lines and blank lines until the first heading.
        if (line.substr(0, kTitleLine.size()) == kTitleLine) {
            file.Title = TrimBlanks(line.substr(kTitleLine.size()));
            haveTitle = true;
        } else if (line.substr(0, kAbbreviationLine.size()) == kAbbreviationLine) {
            file.Abbreviation = TrimBlanks(line.substr(kAbbreviationLine.size()));
            haveAbbreviation = true;
        } else if (line.substr(0, kCommentaryLine.size()) == kCommentaryLine) {
            file.Kind = TExportFileKind::Commentary;
        } else if (line.substr(0, kBookLine.size()) == kBookLine) {
            file.Kind = TExportFileKind::Book;
        } else if (!TrimBlanks(line).empty() && line.front() != ';') {
            // Text that belongs to no entry would be lost without a word.
            throw Exception(Format("%s is not a module export file: text stands before the first \"$$ \" heading "
                                   "(line %zu).",
                                   name.c_str(), n + 1));
        }
    }
    if (!haveTitle)
        throw Exception(Format("%s is not a module export file: the \"; TITLE: \" line is missing.", name.c_str()));
    if (!haveAbbreviation)
        throw Exception(
            Format("%s is not a module export file: the \"; ABBREVIATION: \" line is missing.", name.c_str()));
    return file;
}

TModuleExportFile ReadModuleExportFile(const std::string& fileName) {
    if (!FileExists(fileName)) throw Exception(Format("%s does not exist.", fileName.c_str()));
    return ParseModuleExportText(ReadWholeFile(fileName), fileName);
}

}  // namespace kvx
