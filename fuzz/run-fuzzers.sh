#!/usr/bin/env bash
# Runs every libFuzzer binary of a fuzz build for a bounded time.
# Usage: fuzz/run-fuzzers.sh BUILD_DIR SECONDS_EACH
# A crash or hang is copied into fuzz/regressions/NAME/ (so the ordinary test
# suite replays it from then on) and fails the run.
set -uo pipefail
build=${1:?build dir}; seconds=${2:-60}
src=$(cd "$(dirname "$0")" && pwd)
status=0
mapfile -t targets < <(find "$build" -type f -name 'fuzz_*' -perm -u+x | sort)
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets in $build" >&2; exit 1; }
for bin in "${targets[@]}"; do
  name=$(basename "$bin"); name=${name#fuzz_}
  work="$build/fuzz-work/$name"; artifacts="$build/fuzz-artifacts/$name"
  mkdir -p "$work" "$artifacts" "$src/regressions/$name"
  seeds=()
  [ -d "$src/corpus/$name" ] && seeds+=("$src/corpus/$name")
  # Further seed folders, one per line relative to the project root.
  if [ -f "$src/corpus/$name.seeds" ]; then
    while read -r extra; do [ -n "$extra" ] && seeds+=("$src/../$extra"); done < "$src/corpus/$name.seeds"
  fi
  echo "-- fuzz_$name for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 \
  "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$work" "${seeds[@]}" > "$build/fuzz-$name.log" 2>&1
  rc=$?
  grep -E 'stat::number_of_executed_units|stat::new_units_added' "$build/fuzz-$name.log" | sed 's/^/   /'
  found=$(find "$artifacts" -type f | head -n 50)
  if [ $rc -ne 0 ] || [ -n "$found" ]; then
    echo "fuzz_$name FAILED (exit $rc); inputs kept in fuzz/regressions/$name:" >&2
    tail -n 40 "$build/fuzz-$name.log" >&2
    for f in $found; do cp "$f" "$src/regressions/$name/"; echo "   $(basename "$f")" >&2; done
    status=1
  fi
done
exit $status
