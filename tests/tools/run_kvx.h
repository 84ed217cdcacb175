// Runs the kvx program of this build and captures what it prints.
#pragma once

#include <string>
#include <vector>

namespace kvx::test {

struct KvxResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Arguments are passed as they stand (no shell); stdin gets `input`.
KvxResult RunKvx(const std::vector<std::string>& args, const std::string& input = {});

}  // namespace kvx::test
