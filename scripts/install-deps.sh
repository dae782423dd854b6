#!/bin/sh
# Installs every Debian package the build, tests and desktop program need,
# skipping those already present so that repeated runs cost nothing.
set -eu

PACKAGES="
cmake ninja-build g++ make pkg-config
libgtest-dev libgmock-dev libbenchmark-dev
libcli11-dev libsimdjson-dev
libflint-dev libflint-arb-dev
qt6-base-dev libqt6opengl6-dev qt6-svg-dev
libgl1-mesa-dev libglu1-mesa-dev freeglut3-dev libx11-dev
xvfb xauth imagemagick librsvg2-bin poppler-utils
pybind11-dev python3-dev python3-jsonschema
"

missing=""
for p in $PACKAGES; do
    if ! dpkg -s "$p" >/dev/null 2>&1; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

echo "Installing missing packages:$missing"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
else
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q || true
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing
