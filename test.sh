#!/usr/bin/env bash
# Installs what is missing, builds and runs every test:
#   1. the normal build (build/) and its CTest suite,
#   2. the same suite under AddressSanitizer + UBSan (build-asan/),
#   3. each libFuzzer target for a bounded time (build-fuzz/),
#   4. the benchmarks, reported to build/bench-results.txt (never asserted).
# Every build treats compiler warnings as errors; the normal build is a
# Release build, whose -O3 lets GCC 12 see (and warn of) the most.
# Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(nproc)

tools/install-deps.sh test

# mdb-reader (npm) cross-checks the Jet files our writer makes.
if command -v npm >/dev/null && [ -f tests/node/package.json ]; then
  (cd tests/node && npm ci --no-audit --no-fund --loglevel=error) \
    || echo "warning: npm install of mdb-reader failed; its cross-check is skipped"
fi

export QT_QPA_PLATFORM=offscreen

echo "== build =="
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DLOUT_WERROR=ON -DLOUT_BUILD_GUI=ON -DLOUT_BUILD_TESTS=ON \
  -DLOUT_BUILD_BENCH=ON >/dev/null
cmake --build build -j"$jobs"
echo "== tests =="
ctest --test-dir build --output-on-failure --no-tests=error -j"$jobs"

if [ "${LOUT_SKIP_SANITIZERS:-0}" != 1 ]; then
  # What the screen reader hears does not change under the sanitizers; Orca
  # is heard once, in the normal build.
  echo "== tests under AddressSanitizer and UBSan =="
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DLOUT_SANITIZE=ON -DLOUT_WERROR=ON -DLOUT_BUILD_GUI=ON \
    -DLOUT_BUILD_TESTS=ON -DLOUT_BUILD_BENCH=OFF >/dev/null
  cmake --build build-asan -j"$jobs"
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure --no-tests=error -j"$jobs" -E window_heard_by_orca
fi

if [ "${LOUT_SKIP_FUZZ:-0}" != 1 ] && [ -d fuzz ]; then
  echo "== fuzzing =="
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOUT_WERROR=ON -DLOUT_BUILD_GUI=OFF \
    -DLOUT_BUILD_TESTS=OFF -DLOUT_BUILD_BENCH=OFF -DLOUT_BUILD_FUZZ=ON >/dev/null
  cmake --build build-fuzz -j"$jobs"
  fuzz/run-fuzzers.sh build-fuzz "${LOUT_FUZZ_SECONDS:-60}"
fi

if [ "${LOUT_SKIP_BENCH:-0}" != 1 ] && [ -x bench/run-benchmarks.sh ]; then
  echo "== benchmarks (reported, not asserted) =="
  bench/run-benchmarks.sh build > build/bench-results.txt 2>&1 || echo "warning: a benchmark failed to run"
  cat build/bench-results.txt
fi
echo "test.sh: all tests passed"
