#!/bin/sh
# SPDX-License-Identifier: MIT
# Fails when a source file includes a folder above its own. The folders of
# src/ from the top down; a folder may include only the ones below it
# (platform/ and intf/ share the bottom, each on its own).
set -e
cd "$(dirname "$0")/../src"
rank() {
  case "$1" in
    host) echo 6 ;; favorites) echo 5 ;; frame) echo 4 ;; trees) echo 3 ;;
    hub) echo 2 ;; model) echo 1 ;; platform|intf) echo 0 ;; *) echo -1 ;;
  esac
}
bad=0
for file in $(find . -name '*.h' -o -name '*.cpp' | sed 's#^\./##'); do
  own=${file%%/*}
  ownRank=$(rank "$own")
  for target in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^/"]*\)\/.*".*/\1/p' "$file" | sort -u); do
    [ "$target" = "$own" ] && continue
    targetRank=$(rank "$target")
    [ "$targetRank" -lt 0 ] && continue
    if [ "$targetRank" -ge "$ownRank" ]; then
      echo "src/$file includes $target/, which is not below $own/"
      bad=1
    fi
  done
done
exit $bad
