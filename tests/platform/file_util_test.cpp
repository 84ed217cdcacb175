#include "platform/file_util.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/exception.h"
#include "tests/support/fixtures.h"

namespace kvx {
namespace {

namespace fs = std::filesystem;

size_t FilesIn(const std::string& dir) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator{}));
}

TEST(FileUtil, AtomicWriteReplacesTheFileAndLeavesNoTemporary) {
    test::TempDir dir;
    std::string path = dir.File("settings");
    WriteFileAtomically(path, "old");
    WriteFileAtomically(path, "new contents");
    EXPECT_EQ(ReadWholeFile(path), "new contents");
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(FileUtil, FailedWriteKeepsTheOldFileAndReports) {
    test::TempDir dir;
    // A folder in the way makes the final rename fail after the data was written.
    std::string blocked = dir.File("blocked");
    fs::create_directory(blocked);
    fs::create_directory(blocked + "/child");
    EXPECT_THROW(WriteFileAtomically(blocked, "data"), Exception);
    EXPECT_TRUE(fs::is_directory(blocked + "/child"));
    EXPECT_EQ(FilesIn(dir.Path()), 1u);

    EXPECT_THROW(WriteFileAtomically(dir.File("missing/folder/file"), "data"), Exception);
}

TEST(FileUtil, ReadingAMissingFileNamesItAndErrno) {
    test::TempDir dir;
    try {
        ReadWholeFile(dir.File("nope"));
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), "Failed to open " + dir.File("nope") + " (2)");
    }
    EXPECT_FALSE(FileExists(dir.File("nope")));
    EXPECT_FALSE(FileExists(dir.Path()));
}

}  // namespace
}  // namespace kvx
