#!/usr/bin/env bash
# Installs the Debian 12 packages Zelvane is built, run and tested with.
# Run as root. Does nothing (and needs no network) when all are installed.
set -euo pipefail

PACKAGES=(
    # native build, unit tests, benchmarks, fuzzing
    g++ cmake make googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    # Windows cross build
    g++-mingw-w64-x86-64-posix mingw-w64-tools
    # running and driving the Windows program
    wine wine64 xvfb x11-utils xclip xdotool imagemagick fonts-wqy-microhei
    # icon drawing, packaging, measuring
    python3 python3-pil zip hyperfine procps
)

missing_packages() {
    local package status
    for package in "${PACKAGES[@]}"; do
        status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
        [ "$status" = installed ] || echo "$package"
    done
}

mapfile -t missing < <(missing_packages)
if [ "${#missing[@]}" -eq 0 ]; then
    echo "install-deps: all ${#PACKAGES[@]} packages are installed"
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages: ${missing[*]}" >&2
    echo "install-deps: run this script as root to install them" >&2
    exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y "${missing[@]}"
