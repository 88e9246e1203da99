#!/bin/sh
# SPDX-License-Identifier: MIT
# Puts the project's SPDX license line at the head of every source file that
# has none yet (after a shell script's #! line); files that have one are
# left alone, so running it again changes nothing. data/ keeps the license
# of its own.
# It marks itself too: all of it is read before it runs (main), and it exits
# on the line that calls it.
set -e
main() {
cd "$(dirname "$0")/.."
id="SPDX-License-Identifier: MIT"
git ls-files '*.h' '*.cpp' '*.cmake' '*.cmake.in' 'CMakeLists.txt' '*/CMakeLists.txt' '*.sh' | grep -v '^data/' |
while read -r file; do
  head -n 3 "$file" | grep -q 'SPDX-License-Identifier' && continue
  case "$file" in
    *.h|*.cpp) line="// $id" ;;
    *) line="# $id" ;;
  esac
  tmp=$(mktemp)
  if head -n 1 "$file" | grep -q '^#!'; then
    { head -n 1 "$file"; echo "$line"; tail -n +2 "$file"; } >"$tmp"
  else
    { echo "$line"; cat "$file"; } >"$tmp"
  fi
  # Keeps the file's mode (scripts stay executable).
  cat "$tmp" >"$file"
  rm -f "$tmp"
done
}
main "$@"; exit $?
