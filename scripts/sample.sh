#!/usr/bin/env bash
# Builds the program and runs the main job on the bundled sample.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build xref xref_plugin
XREF_PREFS_DIR=${XREF_PREFS_DIR:-build/prefs} build/xref sample --out build/sample
