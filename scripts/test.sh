#!/usr/bin/env bash
# Builds Tallybird and runs every test, then a short run of the benchmark, then
# builds the Debian package.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build
cmake --build build -j2

QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2 --timeout 900

if [ -x build/tallybird-bench ]; then
    QT_QPA_PLATFORM=offscreen build/tallybird-bench --smoke
fi

bash scripts/package.sh
