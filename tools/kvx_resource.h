// The resource-module side of commands that serve Bibles too: kvx info and kvx
// search hand a resource module file here (tools/kvx_resource.cpp).
#pragma once

#include <string>

#include "tools/kvx_cli.h"

namespace kvx::cli {

// True for a .zb5cmty or .zb5book file, or any file with a resource module's magic.
bool IsResourceArgument(const std::string& path);

// kvx info FILE for a resource module.
int ResourceInfo(const Args& args);
// kvx search FILE QUERY for a resource module.
int ResourceSearch(const Args& args);

}  // namespace kvx::cli
