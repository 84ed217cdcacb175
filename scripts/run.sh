#!/usr/bin/env bash
# Builds everything, builds the default library when it is missing or out of date,
# then starts the desktop program on it. Arguments go to karvelindorax (for example
# --screenshot FILE.png to run without a display).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install_deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build

# The program folder is build/bin: the library goes next to the programs.
build/bin/kvx build-library build/bin

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ] && [[ " $* " != *" --screenshot"* ]]; then
  cat >&2 <<'MESSAGE'
run.sh: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).
To run Karvelindorax without a display, let it save a picture of its window:
  scripts/run.sh --screenshot karvelindorax.png
or start it on a virtual display:
  xvfb-run -a scripts/run.sh
MESSAGE
  exit 1
fi
exec build/bin/karvelindorax "$@"
