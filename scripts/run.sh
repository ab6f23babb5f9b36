#!/bin/sh
# Quick start: installs what is missing, builds, and launches Kesto.
set -eu
cd "$(dirname "$0")/.."
./scripts/deps.sh
./scripts/build.sh default
exec ./build/kesto "$@"
