#!/usr/bin/env bash
# Installs what is needed, builds with warnings as errors and runs every test through ctest.
#
#   ./test.sh                           the werror preset: build/, warnings as errors
#   ./test.sh asan                      build-asan/ under AddressSanitizer and UBSan
#   ./test.sh werror -LE 'pty|timing'   the quick run: options after the preset go to ctest
#
# The presets (dev, werror, asan) are in CMakePresets.json.
set -euo pipefail
cd "$(dirname "$0")"
preset="${1:-werror}"
if [ $# -gt 0 ]; then shift; fi
./scripts/install-deps
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
ctest --preset "$preset" -j "$(nproc)" "$@"
