// Fixtures of the program's tests: an installation (program folder) and a user
// (configuration and documents folders) in a temporary folder, filled with modules
// made by the project's own writers.
#pragma once

#include <string>
#include <vector>

#include "tests/support/fixtures.h"

namespace kvx::test {

// Module files written once per test program and linked into each installation.
// Bibles: "KJV" (standard versification, with Strong's numbers), "XYZ", "ABC" and a
// lower-case "kjv" in "lowkjv.zb5bible" (tiny). Books (abbreviation, module code): "Easton" (EAS),
// "hebrew" (StrHeb), "Greek" (StrGrk), "WebAJ" (W-AJ), "dup" twice with different
// titles ("Dup One", "Dup Two"). Commentaries: "TSK" with a comment on Genesis 1:1,
// "SME"; a user commentary "MINE" (user seed).
struct TSharedModule {
    std::string Name;  // file name
    std::string Path;  // full path
};
const TSharedModule& SharedModule(const std::string& fileName);
// The shared reference Bible's path (the KJV above).
const std::string& SharedKJV();

class TInstallation {
public:
    // An empty installation; Complete() fills it with the required files.
    TInstallation();

    // pmap.dat, stgdat.zb4 and Modules/KJV.zb5bible.
    TInstallation& Complete();
    // Links a shared module into a folder of the installation ("Modules/", "User/") or
    // of the user ("documents": the user module folder).
    TInstallation& Add(const std::string& fileName, const std::string& folder = "Modules/");
    // Every shared module but "kjv" in its usual place.
    TInstallation& Full();
    // Writes bytes into a file of the program folder.
    void Write(const std::string& relative, const std::string& bytes) const;
    // A copy of a shared module, damaged in its header, under the given name.
    void AddDamaged(const std::string& fileName, const std::string& folder = "Modules/") const;

    std::string ProgramFolder() const { return root_.Path() + "/program/"; }
    std::string ConfigFolder() const { return root_.Path() + "/config/"; }
    std::string DocumentsFolder() const { return root_.Path() + "/documents/"; }
    std::string SettingsFolder() const { return ConfigFolder() + "Karvelindorax 5/"; }
    std::string SettingsFile() const { return SettingsFolder() + "settings"; }
    std::string UserModuleFolder() const { return DocumentsFolder() + "Karvelindorax User Modules/"; }
    std::string FolderPath(const std::string& folder) const;

private:
    TempDir root_;
};

// The standard paragraph map: 31102 bytes, paragraph starts at verse 1 and every tenth.
std::string ParagraphMapBytes();


}  // namespace kvx::test
