// Writes "stgdat.zb4" for the default library.
#pragma once

#include <string>
#include <vector>

namespace kvx {

struct TStrongsEntry {
    std::string Word;             // UTF-8 Hebrew or Greek
    std::string Transliteration;  // Latin letters
};

// hebrew[n-1] belongs to H n and greek[n-1] to G n; missing numbers stay empty and
// extra ones are refused.
std::string BuildStrongsData(const std::vector<TStrongsEntry>& hebrew, const std::vector<TStrongsEntry>& greek);
void WriteStrongsData(const std::string& fileName, const std::vector<TStrongsEntry>& hebrew,
                      const std::vector<TStrongsEntry>& greek);

}  // namespace kvx
