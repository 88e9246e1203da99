#!/bin/sh
# SPDX-License-Identifier: MIT
# clang-tidy with the checks of .clang-tidy (bugprone-*, performance-*) over
# every source of src/, from the compile commands of a build of its own
# (build-lint). Prints each finding and fails on any. Takes a few minutes on
# two cores; run it before a change of src/ is merged.
set -e
cd "$(dirname "$0")/.."
export DEBIAN_FRONTEND=noninteractive
dpkg-query -W -f='${Status}' clang-tidy 2>/dev/null | grep -q "install ok installed" ||
  { apt-get update -qq && apt-get install -y -qq clang-tidy; }
cmake -S . -B build-lint -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
# The form headers the control's sources include are generated.
cmake --build build-lint --target selectframe_core_autogen >/dev/null
log=build-lint/clang-tidy.log
run-clang-tidy -p build-lint -j 2 -quiet "$PWD/src/" >"$log" 2>&1 || true
findings=$(sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E '(warning|error):' | sort -u)
if [ -n "$findings" ]; then
  echo "$findings"
  exit 1
fi
echo "clang-tidy: no findings in src/"
