#!/usr/bin/env bash
# Installs the Debian packages Tallybird needs to build, test and run; does
# nothing when they are all present.
set -euo pipefail

packages=(
    build-essential
    cmake
    qt6-base-dev
    qt6-base-dev-tools
    libcups2-dev
    cups
    printer-driver-cups-pdf
    libgl-dev
    libbenchmark-dev
    libsqlite3-dev
    xvfb
    xdotool
    poppler-utils
    xauth
    fonts-dejavu-core
    desktop-file-utils
    appstream
    shared-mime-info
    dpkg-dev
    lintian
    file
    clang
    libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
        as_root=(sudo)
    else
        echo "install-deps: missing packages: ${missing[*]}; run this script as root" >&2
        exit 1
    fi
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# Another program (an unattended upgrade, a software centre) may hold apt's
# locks for a while: wait for it rather than fail.
wait_for_lock=(-o DPkg::Lock::Timeout=600)
"${as_root[@]}" apt-get "${wait_for_lock[@]}" update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "${wait_for_lock[@]}" install -y \
    --no-install-recommends "${missing[@]}"
