#!/bin/sh
# Installs the Debian packages Kesto needs to build, test and run, when any is missing.
# Works as root or, for a normal user, through sudo.
set -eu

PACKAGES="build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev libqt6sql6-sqlite libgl-dev
  libbenchmark-dev fonts-dejavu-core fonts-liberation
  xvfb xauth imagemagick xdotool python3 openssl desktop-file-utils poppler-utils appstream dpkg-dev file"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=""
elif command -v sudo >/dev/null 2>&1; then
  SUDO="sudo"
else
  echo "These Debian packages are missing:$missing" >&2
  echo "Install them as root (apt-get install$missing) and run this again." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
# shellcheck disable=SC2086
$SUDO apt-get install -y --no-install-recommends $missing
