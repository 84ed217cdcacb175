// Loading the paragraph map.
#include "engine/paragraph_map.h"

#include <algorithm>

#include "platform/file_util.h"

namespace kvx {

void TParagraphMap::Load(const std::string& fileName) {
    std::string data = ReadWholeFile(fileName);
    std::fill(starts_.begin(), starts_.end(), 0);
    std::copy_n(data.begin(), std::min(data.size(), starts_.size()), starts_.begin());
}

}  // namespace kvx
