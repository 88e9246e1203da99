#!/bin/sh
# SPDX-License-Identifier: MIT
# Installs what building and testing need on a fresh Debian 12 machine (as root).
set -e
export DEBIAN_FRONTEND=noninteractive
# qt6-tools-dev and qt6-l10n-tools: the CMake macros, lupdate and lrelease of
# the translations; clang-format: tools/format-check.sh.
pkgs="cmake ninja-build g++ ccache qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-tools-dev qt6-l10n-tools clang-format libgl-dev fonts-dejavu-core"
missing=""
for p in $pkgs; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  apt-get update -qq
  apt-get install -y -qq $missing
fi
