// kvx as a user runs it: output on stdout, errors on stderr, exit status.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "engine/bible_format.h"
#include "engine/module_hash.h"
#include "tests/support/fixtures.h"
#include "tests/tools/run_kvx.h"

namespace kvx {
namespace {

namespace bf = bible_format;

TEST(KvxBible, InfoAndVerse) {
    test::TempDir dir;
    TBibleModuleSource source = test::TinyBibleSource();
    source.HasStrongs = true;
    source.Verses[0] = "In the beginning\x02" "07225 God\x02" "00430 \x93said\x94{note}";
    std::string path = test::WriteBible(dir, source);

    test::KvxResult info = test::RunKvx({"info", path});
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.out,
              "name: TNY Test Bible\nabbreviation: TNY\nbooks: 2\nverses: 10\nstrongs: yes\nfootnotes: no\n"
              "supplied: no\nutf8: no\norigin: builder\n");

    EXPECT_EQ(test::RunKvx({"verse", path, "1"}).out, "Fi 1:1\tIn the beginning God \u201Csaid\u201D{note}\n");
    EXPECT_EQ(test::RunKvx({"verse", path, "1", "--strongs"}).out,
              "Fi 1:1\tIn the beginning<H07225> God<H00430> \u201Csaid\u201D{note}\n");
    test::KvxResult bad = test::RunKvx({"verse", path, "11"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "GetVerseText verse number (11) out of range.\n");
}

TEST(KvxBible, DamagedModulesGiveTheirErrorAndStatusOne) {
    test::TempDir dir;
    std::string path = test::WriteBible(dir, test::TinyBibleSource());
    const std::string good = test::ReadBytes(path);
    auto put32 = [](std::string& b, size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
    };
    auto rehash = [&](std::string& b) {
        put32(b, bf::kHash, SeededAdler32(kBuilderSeed, reinterpret_cast<const uint8_t*>(b.data()), bf::kHashed));
    };
    std::string magic = good, hash = good, offset = good;
    magic[bf::kMagic + 6] = 'X';
    hash[bf::kModuleName + 1] ^= 1;
    put32(offset, bf::kVerseTableOffset, 0x00FFFFFF);
    rehash(offset);

    struct Case {
        std::string name, bytes, error;
    } cases[] = {
        {"magic", magic, "Invalid Bible module file header (ZB5BIX).\n"},
        {"hash", hash, "Module file has invalid or corrupt hash.\n"},
        {"truncated", good.substr(0, 400), "Module file is corrupt: the header lies outside the file (%s).\n"},
        {"body", good.substr(0, good.size() - 40), "Module file is corrupt: the "},
        {"offset", offset, "Module file is corrupt: the verse table lies outside the file (%s).\n"},
        {"empty", "", "File mapping failed on %s (22)\n"},
    };
    for (const Case& c : cases) {
        std::string file = dir.File(c.name + ".zb5bible");
        test::WriteBytes(file, c.bytes);
        test::KvxResult r = test::RunKvx({"info", file});
        EXPECT_EQ(r.status, 1) << c.name;
        EXPECT_EQ(r.out, "") << c.name;
        std::string expected = c.error;
        size_t at = expected.find("%s");
        if (at != std::string::npos) expected.replace(at, 2, file);
        EXPECT_EQ(r.err.substr(0, expected.size()), expected) << c.name;
    }
    test::KvxResult missing = test::RunKvx({"info", dir.File("missing.zb5bible")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, dir.File("missing.zb5bible") + " does not exist.\n");
}

TEST(KvxBible, UsageErrors) {
    EXPECT_EQ(test::RunKvx({"info"}).status, 2);
    EXPECT_EQ(test::RunKvx({"no-such-command"}).status, 2);
}

}  // namespace
}  // namespace kvx
