#!/bin/sh
# SPDX-License-Identifier: MIT
# Checks the formatting, then builds and runs every test twice: a plain build, then one under
# AddressSanitizer and UndefinedBehaviorSanitizer where any report fails.
set -e
cd "$(dirname "$0")/.."
tools/bootstrap.sh
tools/format-check.sh
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSELECTFRAME_SANITIZE=ON
cmake --build build-asan -j2
ctest --test-dir build-asan --output-on-failure -j2
