// The files of the installation and of the user that start-up looks for, and the
// messages it gives when the installation is incomplete.
#pragma once

#include <string>
#include <vector>

namespace kvx {

inline constexpr const char* kParagraphMapFile = "pmap.dat";
inline constexpr const char* kStrongsDataFile = "stgdat.zb4";
inline constexpr const char* kReferenceBibleFile = "Modules/KJV.zb5bible";
inline constexpr const char* kModulesFolder = "Modules/";
inline constexpr const char* kUserBooksFolder = "User/";
inline constexpr const char* kDevotionIndexFile = "devotion.dys";
inline constexpr const char* kImagesFolder = "Images/";
inline constexpr const char* kLastLayoutFile = "LastLayout";
inline constexpr const char* kDContentFile = "dcontent";
inline constexpr const char* kUserModuleFolderName = "Karvelindorax User Modules/";

// The three files nothing works without, in the order they are checked.
inline constexpr const char* kRequiredFiles[] = {kParagraphMapFile, kStrongsDataFile, kReferenceBibleFile};

// Full paths of the required files missing from the program folder, in that order.
std::vector<std::string> MissingRequiredFiles(const std::string& programFolder);
// The message that lists them; empty when none is missing.
std::string MissingFilesMessage(const std::vector<std::string>& missing);

// Messages of the start-up sequence.
inline constexpr const char* kLayoutErrorMessage =
    "Sorry, a layout operation has resulted in an error in Karvelindorax initialization.\n"
    "Please click OK and then restart Karvelindorax.";
inline constexpr const char* kParagraphMapMessage = "pmap.dat file not found. Reinstallation may be necessary.";
inline constexpr const char* kStrongsDataMissingSuffix = "stgdat.zb4 not found. Can not continue loading.";
inline constexpr const char* kNoKJVMessage =
    "KJV Bible Module unable to load or not found.\nKarvelindorax requires the KJV Module to function.";

}  // namespace kvx
