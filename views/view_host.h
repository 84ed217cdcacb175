// What the panes ask of the main window: moving the other panels to a verse or an
// entry, the double-click actions, messages and the status bar. The panes never
// reach into one another; every request across panels goes through here.
#pragma once

#include <string>

#include "engine/verse_types.h"

namespace kvx {

class TMessageService;
class TZBBibleModule;
class TZBDictionaryModule;

// The entries of one book that refer to a verse, for the book-reference list.
struct TBookReferences {
    TZBDictionaryModule* Book = nullptr;
    int Verse = 0;              // verse number
    TEntryIndexArray Entries;   // in the book's order
    std::string Caption;        // "abbreviation: Joh 3:16", Windows-1252
    std::string Title;          // the book's title
    std::string Reference;      // "John 3:16"
};

class TViewHost {
public:
    virtual ~TViewHost() = default;

    virtual TMessageService& Messages() = 0;
    // Texts are UTF-8; an empty text clears the status bar.
    virtual void ShowStatus(const std::string& text) = 0;

    // The Bibles panel made visible.
    virtual void ShowBiblePanel() = 0;
    // The Bible view moved to the verse and its text focused; with selectLabel the
    // verse's reference label is selected as well.
    virtual void ShowBibleVerse(int verse, bool selectLabel) = 0;
    // The Bible of that index of the library shown in the Bibles panel.
    virtual void ShowBible(int index) = 0;
    virtual void ShowModuleInformation(const TZBBibleModule& bible) = 0;

    // Commentary `index` of the library's commentaries (-1: the one shown) at the
    // entry (verse number minus 1), its text focused.
    virtual void ShowCommentaryEntry(int index, int entry) = 0;
    // The book's entry in the book panel, its text focused; highlightVerse (0 for
    // none) is the verse the entry was looked up for.
    virtual void ShowBookEntry(TZBDictionaryModule& book, int entry, int highlightVerse) = 0;
    // The list of a book's entries that refer to one verse, beside the pointer.
    virtual void ShowBookReferences(const TBookReferences& references) = 0;
    // The user commentary (index into the library's user commentaries) at the entry,
    // ready for editing.
    virtual void EditUserCommentary(int index, int entry) = 0;

    virtual void VerseTagDoubleClicked(int verse) = 0;
    // The word as the user selected it, Windows-1252.
    virtual void BibleWordDoubleClicked(const std::string& word) = 0;
};

}  // namespace kvx
