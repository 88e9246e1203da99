#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs the demo host on the bundled search-engine list. Without a display it
# renders the window offscreen to a PNG and says where.
set -e
cd "$(dirname "$0")/.."
demo=build/demo/selectframe-demo
if [ ! -x "$demo" ]; then
  echo "No demo host at $demo: build first (cmake --build build)." >&2
  exit 1
fi
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ]; then
  QT_QPA_PLATFORM=offscreen "$demo" --screenshot build/demo-screenshot.png "$@"
  echo "No display: wrote build/demo-screenshot.png"
else
  "$demo" "$@"
fi
