#!/usr/bin/env bash
# Builds Tallybird (warnings are errors here) and runs every test, then a
# short run of the benchmark, the Debian package, the distribution's checks of
# it (lintian), and the checks of the datafile layer (the kill test, the fuzz
# targets and every logic test once more under AddressSanitizer and
# UndefinedBehaviorSanitizer). Each step says how long it took.
set -euo pipefail
cd "$(dirname "$0")/.."

step_start=$SECONDS
took() {
    echo "test.sh: $1 took $((SECONDS - step_start)) s"
    step_start=$SECONDS
}

bash scripts/install-deps.sh
cmake -S . -B build -DTALLYBIRD_WERROR=ON
cmake --build build -j2
took "build"

QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2 --timeout 900 -LE kill
took "tests"

if [ -x build/tallybird-bench ]; then
    QT_QPA_PLATFORM=offscreen build/tallybird-bench --smoke
fi
took "benchmark smoke run"

bash scripts/package.sh
took "package"

# 100 kills of a child that writes, appends, deletes, rings and completes sales.
build/tests/tb_killtest --kills "${TALLYBIRD_KILLS:-100}"
took "kill test"

# The fuzz targets, a fixed number of runs each from the seed corpus; what
# they find beyond the seeds goes to a scratch corpus, never to the seeds.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTALLYBIRD_FUZZ=ON -DTALLYBIRD_BENCH=OFF \
    -DTALLYBIRD_WERROR=ON
cmake --build build-fuzz -j2 --target fuzz_record fuzz_datafile fuzz_import
took "fuzz build"
rm -rf build-fuzz/corpus && mkdir -p build-fuzz/corpus/record build-fuzz/corpus/datafile \
    build-fuzz/corpus/import
# The datafile and import targets write files and sync them: on a tmpfs when there is one.
fuzz_tmp=$(mktemp -d -p "$([ -d /dev/shm ] && [ -w /dev/shm ] && echo /dev/shm || echo /tmp)")
build-fuzz/tests/fuzz/fuzz_record -seed=1 -runs="${TALLYBIRD_FUZZ_RECORD_RUNS:-400000}" \
    -print_final_stats=1 build-fuzz/corpus/record tests/data/fuzz/record
TMPDIR=$fuzz_tmp build-fuzz/tests/fuzz/fuzz_datafile -seed=1 \
    -runs="${TALLYBIRD_FUZZ_DATAFILE_RUNS:-10000}" -max_len=4096 -print_final_stats=1 \
    build-fuzz/corpus/datafile tests/data/fuzz/datafile
TMPDIR=$fuzz_tmp build-fuzz/tests/fuzz/fuzz_import -seed=1 \
    -runs="${TALLYBIRD_FUZZ_IMPORT_RUNS:-20000}" -max_len=2048 -print_final_stats=1 \
    build-fuzz/corpus/import tests/data/fuzz/import
rm -rf "$fuzz_tmp"
took "fuzzing"

# The logic tests (every folder's core test executable, the tool's tests and
# the kill test) once more with AddressSanitizer and UndefinedBehaviorSanitizer.
# TALLYBIRD_SANITIZE_ALL=1 takes the window tests as well (about twice the time).
cmake -S . -B build-asan -DTALLYBIRD_SANITIZE=ON -DTALLYBIRD_BENCH=OFF -DTALLYBIRD_WERROR=ON
core_tests=(tst_datafile tst_browse tst_cashier tst_report tst_sale tst_settings tst_tools)
if [ "${TALLYBIRD_SANITIZE_ALL:-0}" = 1 ]; then
    cmake --build build-asan -j2
    selection=()
else
    cmake --build build-asan -j2 --target "${core_tests[@]}" tallybird-data tb_killtest
    selection=(-R "^($(IFS='|'; echo "${core_tests[*]}")|kill)\$")
fi
took "sanitizer build"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 TALLYBIRD_KILLS=30 \
    QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure -j2 --timeout 900 \
    "${selection[@]}"
took "tests under the sanitizers"
