#!/bin/sh
# Quick start: installs what is missing, builds, and runs the whole test suite.
# KESTO_SANITIZE=1 also runs the suite in the AddressSanitizer + UBSan build.
set -eu
cd "$(dirname "$0")/.."
./scripts/deps.sh
./scripts/build.sh default
ctest --preset default -j"$(nproc)"
if [ "${KESTO_SANITIZE:-0}" = "1" ]; then
  ./scripts/build.sh sanitize
  ctest --preset sanitize -j"$(nproc)"
fi
