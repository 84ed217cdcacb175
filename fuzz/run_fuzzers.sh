#!/usr/bin/env bash
# The long fuzz campaign: every target for a while (default 600 s) from its seeds, one
# after the other. Corpora grow in build-fuzz/corpus/<target>; crashes land in
# build-fuzz/crashes/<target>/ and belong in fuzz/regressions/<target>/ once fixed.
#   fuzz/run_fuzzers.sh [SECONDS] [TARGET...]
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
build=build-fuzz
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(bible_module resource_module strongs_data settings parse_refs query verse_links entry_text)
fi
for t in "${targets[@]}"; do
  mkdir -p "$build/corpus/$t" "$build/crashes/$t"
  echo "== $t: ${seconds}s =="
  "$build/bin/${t}_fuzzer" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/crashes/$t/" "$build/corpus/$t" "$build/fuzz-seeds/$t" 2>&1 |
    grep -E '^#[0-9]+.*(DONE|INITED)|stat::|ERROR|SUMMARY|Test unit written' | tail -n 20
done
