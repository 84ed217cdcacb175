#!/usr/bin/env bash
# Builds everything twice (normal, and with AddressSanitizer + UBSan) and runs every test.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/install_deps.sh || exit 1

export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/kvx-runtime-$(id -u)}"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build build || exit 1
# The default library, as the program ships it: the tests on real text read it.
build/bin/kvx build-library build/bin || exit 1
export KVX_LIBRARY="$PWD/build/bin"
# The sanitizer build covers the plain C++ core: every reader of outside input lives there.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKVX_SANITIZE=ON -DKVX_GUI=OFF -DKVX_BENCH=OFF >/dev/null || exit 1
cmake --build build-asan || exit 1
# A short run of every fuzz target (clang's libFuzzer) replays the kept crash inputs.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVX_FUZZ=ON \
  -DKVX_SANITIZE=ON -DKVX_GUI=OFF -DKVX_TESTS=OFF -DKVX_BENCH=OFF >/dev/null || exit 1
cmake --build build-fuzz --target fuzzers || exit 1

echo "== fuzz targets, short run =="
ctest --test-dir build-fuzz --output-on-failure -j"$(nproc)"
fuzz=$?

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)" --timeout 900
asan=$?

echo "== tests =="
ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 900
plain=$?

[ $fuzz -eq 0 ] && [ $asan -eq 0 ] && [ $plain -eq 0 ]
