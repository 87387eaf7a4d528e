#!/usr/bin/env bash
# Builds Tallybird and starts it on the demo datafile (or on the datafile
# given as the argument).
#   bash scripts/run.sh [DATAFILE]
set -euo pipefail
given=""
if [ $# -gt 0 ]; then
    given=$(realpath -m -- "$1")
fi
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/install-deps.sh
cmake -S . -B build
cmake --build build -j2 --target tallybird tallybird-data

datafile=demo.tb2
if [ -n "$given" ]; then
    datafile=$given
elif [ ! -e build/demo.tb2 ]; then
    build/tallybird-data demo build/demo.tb2
fi

# Started from build/, which holds the demo datafile and, beside the program,
# splash.bmp and Tallybird.htm.
cd "$root/build"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run: no display found; starting Tallybird on a virtual display (xvfb-run)." >&2
    exec xvfb-run -a ./tallybird "$datafile"
fi
exec ./tallybird "$datafile"
