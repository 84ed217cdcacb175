// The Bible the reference tests read against: the standard 31102-verse versification
// with the default library's book names and abbreviations, written once per program.
#pragma once

#include "engine/bible_module.h"
#include "tests/support/fixtures.h"

namespace kvx::test {

inline const TZBBibleModule& StandardBible() {
    static TempDir dir;
    static const TZBBibleModule bible(WriteBible(dir, StandardBibleSource()));
    return bible;
}

}  // namespace kvx::test
