// Test fixtures: temporary folders and small modules made with the project's own writers.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "engine/bible_module_writer.h"

namespace kvx::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// A Bible source over the standard 66-book, 31102-verse versification with the
// default library's book names and abbreviations. Every verse has the text
// "Text of <abbreviation> <chapter>:<verse>." unless the test changes it.
TBibleModuleSource StandardBibleSource(const std::string& abbreviation = "KJV");

// The same over a tiny versification: two books ("First", "Second"; abbreviations
// "Fi", "Se") of two chapters with three and two verses each (10 verses).
TBibleModuleSource TinyBibleSource(const std::string& abbreviation = "TNY");

// Writes the module to dir/<abbreviation>.zb5bible and returns the path.
std::string WriteBible(const TempDir& dir, const TBibleModuleSource& source);

// The default library made by `kvx build-library`: $KVX_LIBRARY, else the folder of the
// running program (<build>/bin), whichever first holds every one of `files` (paths inside
// the library such as "Modules/KJV.zb5bible"). Ends with '/'; empty when neither does.
std::string DefaultLibraryFolder(std::initializer_list<std::string_view> files);

// The whole file as bytes, and back.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

}  // namespace kvx::test
