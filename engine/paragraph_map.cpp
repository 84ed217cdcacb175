// Loading the paragraph map.
#include "engine/paragraph_map.h"

#include <algorithm>

#include "platform/exception.h"
#include "platform/file_util.h"

namespace kvx {

void TParagraphMap::Load(const std::string& fileName) {
    std::string data = ReadWholeFile(fileName);
    if (data.size() < starts_.size())
        throw Exception(Format("%s is too short: %zu bytes instead of %zu.", fileName.c_str(), data.size(), starts_.size()));
    std::fill(starts_.begin(), starts_.end(), 0);
    std::copy_n(data.begin(), std::min(data.size(), starts_.size()), starts_.begin());
}

}  // namespace kvx
