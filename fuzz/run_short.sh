#!/usr/bin/env bash
# One fuzz target as a test: replay the kept crash inputs, then fuzz for a few seconds
# from the seeds in a scratch corpus (the seeds themselves stay as they are).
set -euo pipefail
fuzzer=$1 seeds=$2 regressions=$3 seconds=$4
if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions" 2>/dev/null)" ]; then
  "$fuzzer" -runs=0 "$regressions"/*
fi
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
"$fuzzer" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$corpus/" "$corpus" "$seeds" 2>&1 | tail -n 60
exit "${PIPESTATUS[0]}"
