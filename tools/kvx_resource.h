// The resource-module side of commands that serve Bibles too: kvx info and kvx
// search hand a resource module file here (tools/kvx_resource.cpp).
#pragma once

#include <string>

#include "modules/resource_module.h"
#include "tools/kvx_cli.h"

namespace kvx::cli {

// kvx info FILE for a resource module.
int ResourceInfo(const Args& args);
// kvx search FILE QUERY for a resource module.
int ResourceSearch(const Args& args);

}  // namespace kvx::cli
