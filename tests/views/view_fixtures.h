// Fixtures of the view tests: a small library made with the project's own writers
// and loaded the way the program loads its library, a main window stand-in that
// records what the panes ask of it, and the default library when it is built.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/module_library.h"
#include "platform/qt/message_service.h"
#include "views/view_host.h"

namespace kvx::test {

// The verse number of a reference in the standard versification (book 1-66).
int Verse(int book, int chapter, int verse);

inline constexpr int kGenesis = 1, kPsalms = 19, kProverbs = 20, kJohn = 43, kRevelation = 66;

// The library, built once per test program:
// Bibles (display order) "KJV" (Strong's numbers, supplied words, footnotes), its
//   twin "KJVSL", "ABC" (plain), "UTF" (UTF-8 Greek in John 1:1).
//   KJV texts: Ge 1:1 "In the beginning<H1> God<H2> created the heaven and the earth.",
//   Ge 1:2 with the supplied word "[was]", Ge 1:6 with the footnote "{Heb. expansion}"
//   after a space, Ge 2:4 "the LORD God", Ps 3:1 with the small-print title
//   "<<A Psalm of David.>>", Ps 119:1-27 a footnote each, Joh 3:16 "For God<G1> so
//   loved<G2> the world", Joh 3:17 a marker with "1x345" and one with H9999; every
//   other verse "Text of <abbreviation> <chapter>:<verse>.".
// Commentaries: "MINE" (user module, a note on Ge 1:2), "TSK" (Ge 1:1 and Joh 3:16).
// Books: "Easton" ("Creation" and "Heaven" cite Ge 1:1, "Light" Ge 1:3), the
//   lexicons "hebrew" (StrHeb: H1, H2) and "Greek" (StrGrk: G1, G2), and the
//   dictionary volumes "WebAJ" (W-AJ: "abide") and "WebKZ" (W-KZ: "light", "world").
// Strong's data: H1, H2, G1, G2. Paragraph starts: Ge 1:1, Ge 1:3, Ps 119:1, Ps 119:9,
// Joh 3:16.
TModuleLibrary& ViewLibrary();
// The folder of its files: the modules, "pmap.dat" and "stgdat.zb4".
std::string ViewLibraryFolder();
TZBBibleModule& LibraryBible(const std::string& abbreviation);
TZBDictionaryModule& LibraryBook(const std::string& abbreviation);

// The default library built by `kvx build-library`, loaded once; null when it is not built.
TModuleLibrary* DefaultLibrary();

// Resets the settings store to the built-in defaults.
void ResetSettings();

// Where the tests leave the pictures they take.
std::string ArtefactFolder();

// A main window that records every request of the panes, one line each:
// "panel", "verse V select|-", "bible I", "info ABBREV", "commentary I E",
// "book ABBREV E V", "references ABBREV V E1,E2,...", "edit I E", "tag V", "word W",
// "status TEXT".
class TRecordingHost : public TViewHost {
public:
    TMessageService& Messages() override { return Scripted; }
    void ShowStatus(const std::string& text) override { Calls.push_back("status " + text); }
    void ShowBiblePanel() override { Calls.push_back("panel"); }
    void ShowBibleVerse(int verse, bool selectLabel) override;
    void ShowBible(int index) override { Calls.push_back("bible " + std::to_string(index)); }
    void ShowModuleInformation(const TZBBibleModule& bible) override;
    void ShowCommentaryEntry(int index, int entry) override;
    void ShowBookEntry(TZBDictionaryModule& book, int entry, int highlightVerse) override;
    void ShowBookReferences(const TBookReferences& references) override;
    void EditUserCommentary(int index, int entry) override;
    void VerseTagDoubleClicked(int verse) override { Calls.push_back("tag " + std::to_string(verse)); }
    void BibleWordDoubleClicked(const std::string& word) override { Calls.push_back("word " + word); }

    // The calls other than "panel" and "status", which most tests do not look at.
    std::vector<std::string> Requests() const;

    TScriptedMessageService Scripted;
    std::vector<std::string> Calls;
    TBookReferences LastReferences;
};

}  // namespace kvx::test
