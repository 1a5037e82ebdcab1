#!/usr/bin/env bash
# Installs every package Tabulo needs to build and test, from Debian 12's archive.
# Idempotent: does nothing when all of them are present.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    libicu-dev libarchive-dev
    googletest libgtest-dev
    python3
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
