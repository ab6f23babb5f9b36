#!/bin/sh
# Configures and builds Kesto into build/ (or the preset given as $1).
set -eu
cd "$(dirname "$0")/.."
preset="${1:-default}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
