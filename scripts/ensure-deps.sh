#!/usr/bin/env bash
# Installs the Debian packages the build needs when they are missing (Debian 12; as root or through sudo).
set -euo pipefail

packages=(cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev qt6-webengine-dev qt6-httpserver-dev qt6-websockets-dev)
if [ "${1:-}" = "--screenshots" ]; then
    packages+=(xvfb xauth imagemagick xdotool)
fi
# clang with libFuzzer and the sanitizer runtimes, for ./fuzz.sh.
if [ "${1:-}" = "--fuzz" ]; then
    packages+=(clang libclang-rt-dev llvm)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Please run as root or install sudo" >&2; exit 1; }
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
