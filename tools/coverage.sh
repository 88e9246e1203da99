#!/bin/sh
# SPDX-License-Identifier: MIT
# Line and branch coverage of src/ by the test suites: a --coverage Debug build
# of its own (build-coverage), every suite run, and gcovr's summary. Installs
# gcovr from Debian's packages when it is missing. Reports per file land in
# build-coverage/coverage-lines.txt and coverage-branches.txt; arguments are
# passed on to ctest (e.g. -R tst_customtree to run some suites only).
set -e
cd "$(dirname "$0")/.."
tools/bootstrap.sh
if ! command -v gcovr >/dev/null 2>&1; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq gcovr
fi
export QT_QPA_PLATFORM=offscreen
out=build-coverage
cmake -S . -B $out -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSELECTFRAME_SANITIZE=OFF \
  -DCMAKE_CXX_FLAGS="--coverage -fprofile-update=atomic" -DCMAKE_EXE_LINKER_FLAGS=--coverage \
  -DCMAKE_SHARED_LINKER_FLAGS=--coverage -DCMAKE_MODULE_LINKER_FLAGS=--coverage >/dev/null
cmake --build $out -j2
# Counts of an earlier run would add to this one's.
find $out -name '*.gcda' -delete
status=0
ctest --test-dir $out -j2 --output-on-failure "$@" || status=$?
# Exceptions and branches the compiler can prove dead are not the code's own.
gcovr --root . --filter 'src/' --exclude-unreachable-branches --exclude-throw-branches \
  --exclude-directories "$out/CMakeFiles" --object-directory $out --json $out/coverage.json
gcovr --add-tracefile $out/coverage.json --txt $out/coverage-lines.txt
gcovr --add-tracefile $out/coverage.json --branches --txt $out/coverage-branches.txt
gcovr --add-tracefile $out/coverage.json --print-summary --output /dev/null
[ $status -eq 0 ] || echo "some suites failed: coverage is of what ran" >&2
exit $status
