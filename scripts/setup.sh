#!/usr/bin/env bash
# Installs what the build needs on a Debian machine (as root, or with sudo).
# The render tests read pictures back: poppler-utils' pdftotext for their
# text, and DejaVu Sans, the font every picture falls back to, for pixels.
set -euo pipefail
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
PACKAGES="cmake ninja-build g++ clang libclang-rt-dev libxerces-c-dev libicu-dev libboost-dev
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libcli11-dev
  pkg-config libcairo2-dev libpango1.0-dev fonts-dejavu-core libmujs-dev tmux
  poppler-utils"
missing=""
for p in $PACKAGES; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
if [ -n "$missing" ]; then
  $SUDO apt-get update -qq
  # shellcheck disable=SC2086
  $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
