#!/usr/bin/env bash
# Installs the Debian packages Plaklabels needs.
set -euo pipefail

packages=(cmake g++ make pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev libcups2-dev libcsv-dev libuchardet-dev
          libzip-dev libpugixml-dev libicu-dev
          fonts-liberation2)
# "--package" adds what building the Debian package takes; "--test" that and what the tests use.
if [ "${1:-}" = "--package" ] || [ "${1:-}" = "--test" ]; then
    packages+=(qt6-svg-dev dpkg-dev file)
fi
if [ "${1:-}" = "--test" ]; then
    packages+=(poppler-utils qpdf cups printer-driver-cups-pdf clang-14 libclang-rt-14-dev desktop-file-utils appstream lintian
               xvfb xdotool x11-utils)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

command="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Run as root:" >&2
    echo "  apt-get update && $command" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
$command
