#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs a build into a temporary prefix, then configures and builds
# examples/minimal-host against the installed package alone and runs it
# offscreen: a header left out, a wrong plug-in path or a broken package
# file fails here. Usage: check-install.sh BUILD_DIR [CXX_FLAGS]
# (CXX_FLAGS: what the example is compiled with, e.g. the sanitizers the
# plug-in was built with, whose runtime has to come first).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
flags=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
launcher=
command -v ccache >/dev/null && launcher=-DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake -S "$root/examples/minimal-host" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_CXX_FLAGS="$flags" $launcher >/dev/null
cmake --build "$work/build" >/dev/null
out=$(QT_QPA_PLATFORM=offscreen "$work/build/minimal-host" kiwi cherry --quit 2>"$work/stderr") || {
  cat "$work/stderr" >&2
  exit 1
}
echo "$out"
# The saved set comes back checked and the handler sees it, in the frame's
# order of checking.
[ "$out" = "checked: kiwi cherry" ] || [ "$out" = "checked: cherry kiwi" ] || {
  echo "unexpected output from the example host" >&2
  exit 1
}
