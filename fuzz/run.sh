#!/bin/sh
# Builds the format-language fuzzer with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs it for N seconds (default 60) from the
# seed corpus. A finding fails the run and leaves its input in the build
# folder. Usage: fuzz/run.sh [SECONDS]
set -eu
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${XREF_FUZZ_BUILD:-$root/build-fuzz}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DXREF_FUZZ=ON -DXREF_SANITIZE=ON -DXREF_BENCH=OFF >/dev/null
ninja -C "$build" FormatFuzz document_file_fuzzer xref

# New inputs go to a scratch corpus (the first folder); the seeds in the
# repository stay as they are.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build"/FormatFuzz -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
  -dict="$root/fuzz/format.dict" -print_final_stats=1 -artifact_prefix="$build/" \
  "$work" "$root/fuzz/corpus"

# The document reader, seeded with a real document file.
mkdir -p "$work/docs" "$work/docseed"
XREF_PREFS_DIR="$work" "$build"/xref sample --output "$work/docseed" >/dev/null
"$build"/document_file_fuzzer -max_total_time=$((seconds / 2 + 1)) -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$build/" "$work/docs" "$work/docseed"
