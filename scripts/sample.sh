#!/usr/bin/env bash
# Builds the program and runs the main job on the bundled sample.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build xref xref_plugin
export XREF_PREFS_DIR=${XREF_PREFS_DIR:-build/prefs}
build/xref sample --out build/sample
# The sample's pages as the user sees them, source markers shown.
build/xref render build/sample/sample.xrefdoc -o build/sample/sample.pdf --show-hidden
build/xref render build/sample/sample.xrefdoc -o build/sample/sample.png --all --show-hidden --scale 2
