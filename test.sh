#!/usr/bin/env bash
# Installs what is needed, builds with warnings as errors and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -DVELOR_WERROR=ON ${VELOR_CMAKE_ARGS:-} >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"
cd "$BUILD_DIR"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
