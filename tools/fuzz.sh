#!/bin/sh
# SPDX-License-Identifier: MIT
# Fuzzes the parsers a host or a settings file feeds: builds the targets of
# tests/fuzz with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for RUNS executions (default
# 1,000,000) from its corpus in the tree. New inputs that reach new code
# are merged into that corpus; a crash, hang or leak stops the script with
# the input that caused it left in build-fuzz/.
set -e
cd "$(dirname "$0")/.."
runs=${RUNS:-1000000}
export DEBIAN_FRONTEND=noninteractive
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  apt-get update -qq
  apt-get install -y -qq $missing
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSELECTFRAME_FUZZ=ON
targets="commatext favorites layout conversion checkedset"
# The fuzz targets only: the plug-in module does not link against clang's
# sanitizer runtime, and nothing here needs it.
cmake --build build-fuzz -j2 --target $(for t in $targets; do printf 'fuzz_%s ' "$t"; done)
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in $targets; do
  corpus=tests/fuzz/corpus/$target
  found=build-fuzz/found-$target
  rm -rf "$found" && mkdir -p "$found"
  echo "== $target: $runs runs"
  (cd build-fuzz && "./tests/fuzz/fuzz_$target" -runs="$runs" -timeout=10 -max_len=4096 \
      "../$found" "../$corpus")
  # Keep only what adds coverage, so the corpus stays small.
  "build-fuzz/tests/fuzz/fuzz_$target" -merge=1 "$corpus" "$found" >/dev/null 2>&1
done
echo "Every target ran $runs times without a crash, hang or leak."
