#!/usr/bin/env bash
# Installs what is needed, builds, and starts the configurator from its runtime folder.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps
cmake -S . -B build >/dev/null
cmake --build build -j "$(nproc)"
exec ./build/bin/velor580 "$@"
