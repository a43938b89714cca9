#!/usr/bin/env bash
# Runs every benchmark binary of a build briefly and prints the figures.
# Usage: bench/run-benchmarks.sh BUILD_DIR
set -uo pipefail
build=${1:-build}
status=0
for bin in $(find "$build" -maxdepth 1 -type f -name 'bench_*' -perm -u+x | sort); do
  echo "-- $(basename "$bin")"
  QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$bin" --benchmark_min_time=0.2 || status=1
done
exit $status
