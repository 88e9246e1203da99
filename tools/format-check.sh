#!/bin/sh
# SPDX-License-Identifier: MIT
# Checks that every C++ source of the tree is formatted as .clang-format
# says, with the clang-format of Debian 12 (14; other versions place a few
# things differently). A dry run: lists each difference and fails on any.
# With --fix it formats the files in place instead.
set -e
cd "$(dirname "$0")/.."
files=$(git ls-files '*.h' '*.cpp')
if [ "$1" = "--fix" ]; then
  echo "$files" | xargs clang-format -i
else
  echo "$files" | xargs clang-format --dry-run --Werror
fi
