#include "engine/file_mapper.h"

#include <gtest/gtest.h>

#include "platform/exception.h"
#include "tests/support/fixtures.h"

namespace kvx {
namespace {

std::string MessageOf(const std::string& path) {
    try {
        TMappedFile file(path);
    } catch (const Exception& e) {
        return e.what();
    }
    return "no error";
}

TEST(MappedFile, MissingAndEmptyFilesCarryTheSystemCode) {
    test::TempDir dir;
    EXPECT_EQ(MessageOf(dir.File("missing")), "Failed to open " + dir.File("missing") + " (2)");
    test::WriteBytes(dir.File("empty"), "");
    EXPECT_EQ(MessageOf(dir.File("empty")), "File mapping failed on " + dir.File("empty") + " (22)");
}

TEST(MappedFile, RegionsOutsideTheFileAreRefused) {
    test::TempDir dir;
    test::WriteBytes(dir.File("f"), "0123456789");
    TMappedFile file(dir.File("f"));
    EXPECT_EQ(file.Size(), 10u);
    EXPECT_EQ(file.Region(2, 3, "x")[0], '2');
    EXPECT_NE(file.Region(10, 0, "x"), nullptr);
    EXPECT_THROW(file.Region(8, 3, "x"), Exception);
    EXPECT_THROW(file.Region(0xFFFFFFFFull, 2, "x"), Exception);
    // An offset and a length whose sum wraps around must not pass.
    EXPECT_THROW(file.Region(4, UINT64_MAX - 1, "x"), Exception);
    try {
        file.Region(11, 0, "verse table");
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Module file is corrupt: the verse table lies outside the file (" + dir.File("f") + ").");
    }
}

}  // namespace
}  // namespace kvx
