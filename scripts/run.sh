#!/usr/bin/env bash
# Builds everything, builds the default library the first time (and whenever its
# sources or the builder changed), then starts the program on it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install_deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build

# The program folder is build/bin: the library goes next to the programs.
build/bin/kvx build-library build/bin

if [ -x build/bin/karvelindorax ]; then
  exec build/bin/karvelindorax "$@"
fi
# Until the desktop program exists, show the library from the command line.
build/bin/kvx info build/bin/Modules/KJV.zb5bible
build/bin/kvx verse build/bin/Modules/KJV.zb5bible 1 --strongs
