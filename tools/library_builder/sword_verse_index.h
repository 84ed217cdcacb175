// The verse index of a SWORD commentary ("ot.bzv"/"nt.bzv", or ".czv"): one record
// per key of the King James versification (module and testament headings, each
// book's and chapter's introduction, then the verses), each naming where the key's
// text is stored. A comment that covers several verses is stored once, and the
// verses after its first carry the same record: that is where mod2imp, which prints
// the comment once at its first verse, loses the ranges this index still has.
#pragma once

#include <string>
#include <vector>

namespace kvx::library {

struct TSwordVerseIndex {
    // 10 for the zCom driver (u32 block, u32 offset, u16 size), 12 for zCom4 (u32
    // size); 0 when the module has no readable index.
    int RecordSize = 0;
    // Per verse number (index v-1): the last verse of the comment that begins at v;
    // 0 where no comment begins.
    std::vector<int> RangeEnd;

    bool Found() const { return RecordSize != 0; }
    // The SWORD driver that reads records of this size ("zCom", "zCom4"); empty
    // when unknown.
    std::string Driver() const;
};

// Reads the index files in the module's data folder. A file whose size fits no
// record size of the standard versification's key count, or a missing testament,
// gives an index that is not found.
TSwordVerseIndex ReadSwordVerseIndex(const std::string& dataFolder);

}  // namespace kvx::library
