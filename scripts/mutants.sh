#!/usr/bin/env bash
# Mutation run over the logic tests: applies each single-line change of a
# list, one at a time, to the source tree, rebuilds the one test executable
# that covers it, runs it, and puts the file back. A change that no test
# notices has survived: some fault of that kind would land unnoticed.
#
#   scripts/mutants.sh BUILD_DIR [LIST] [FILTER]
#
# BUILD_DIR: a build directory configured from this source tree. LIST: the
# changes, scripts/mutants.txt unless given. FILTER: only the changes whose
# line in the list contains this text. Slow: every change rebuilds a test.
# Not part of CI. Exit status 0 when every change was caught.
#
# Each line of the list reads
#   TARGET FILE [@N] FROM => TO
# FROM is a piece of one line of FILE, taken literally; it must be on exactly
# one line, unless @N picks the Nth line that holds it. That piece becomes
# TO (empty: the piece goes). Blank lines and lines starting with # are skipped.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${1:?usage: mutants.sh BUILD_DIR [LIST] [FILTER]}
build=$(cd "$build" && pwd) || exit 2
list=${2:-$here/mutants.txt}
filter=${3:-}
jobs=${MUTANTS_JOBS:-2}

state=$build/mutants
backup=$state/original
mkdir -p "$backup"

# A run that was stopped hard leaves its original behind: put it back first.
restore() {
    local saved
    while IFS= read -r -d '' saved; do
        # A fresh time stamp, so that the build compiles it again.
        cp "$saved" "$root/${saved#"$backup"/}" && rm -f "$saved"
    done < <(find "$backup" -type f -print0)
}
restore
trap 'restore; exit 130' INT TERM
trap restore EXIT

build_target() {
    cmake --build "$build" -j"$jobs" --target "$1" >"$state/build.log" 2>&1
}

# A changed program may loop or print without end: its run is cut off at ten
# times the unchanged run, and its output at a megabyte.
declare -A limit
run_target() {
    (
        cd "$build" || exit 1
        env QT_QPA_PLATFORM=offscreen QTEST_DISABLE_STACK_DUMP=1 QTEST_FUNCTION_TIMEOUT=60000 \
            LC_ALL=C.UTF-8 TB_SOURCE_DIR="$root" \
            timeout -s KILL "${limit[$1]:-600}" "tests/$1" 2>&1 | head -c 1000000 >"$state/test.log"
        exit "${PIPESTATUS[0]}"
    ) 2>/dev/null
}

# Replaces FROM by TO on the chosen line; prints that line's number, or fails.
mutate() {
    local file=$1 nth=$2 from=$3 to=$4
    FROM=$from TO=$to NTH=$nth perl -e '
        my ($path) = @ARGV;
        open(my $in, "<", $path) or die "$path: $!\n";
        my @lines = <$in>;
        close $in;
        my @at = grep { index($lines[$_], $ENV{FROM}) >= 0 } 0 .. $#lines;
        my $nth = $ENV{NTH};
        die scalar(@at) . " lines hold it\n" if $nth eq "" && @at != 1;
        $nth = 1 if $nth eq "";
        die "no line $nth holds it\n" if $nth > @at;
        my $n = $at[$nth - 1];
        my $i = index($lines[$n], $ENV{FROM});
        substr($lines[$n], $i, length $ENV{FROM}) = $ENV{TO};
        open(my $out, ">", $path) or die "$path: $!\n";
        print $out @lines;
        close $out;
        print $n + 1, "\n";
    ' "$root/$file"
}

# The tests must pass on the unchanged tree, or every change looks caught.
mapfile -t targets < <(grep -vE '^[[:space:]]*(#|$)' "$list" | grep -F -- "$filter" | awk '{print $1}' | sort -u)
for t in "${targets[@]}"; do
    build_target "$t" || { echo "mutants: $t does not build; see $state/build.log" >&2; exit 2; }
    started=$SECONDS
    run_target "$t" || { echo "mutants: $t fails unchanged; see $state/test.log" >&2; exit 2; }
    limit[$t]=$((10 * (SECONDS - started) + 30))
done

shape='^[[:space:]]*([^[:space:]]+)[[:space:]]+([^[:space:]]+)[[:space:]]+(@([0-9]+)[[:space:]]+)?(.*[^[:space:]])[[:space:]]+=>(.*)$'
killed=0 survived=0 broken=0
survivors=()
number=0
while IFS= read -r entry || [[ -n $entry ]]; do
    number=$((number + 1))
    [[ $entry =~ ^[[:space:]]*(#|$) ]] && continue
    [[ -n $filter && $entry != *"$filter"* ]] && continue
    if [[ ! $entry =~ $shape ]]; then
        echo "$list:$number: not TARGET FILE [@N] FROM => TO" >&2
        exit 2
    fi
    target=${BASH_REMATCH[1]} file=${BASH_REMATCH[2]} nth=${BASH_REMATCH[4]}
    from=${BASH_REMATCH[5]} to=${BASH_REMATCH[6]}
    to=${to#"${to%%[![:space:]]*}"}

    mkdir -p "$(dirname "$backup/$file")"
    cp -p "$root/$file" "$backup/$file"
    if ! line=$(mutate "$file" "$nth" "$from" "$to" 2>"$state/mutate.log"); then
        echo "$list:$number: $file: $(cat "$state/mutate.log")" >&2
        restore
        exit 2
    fi
    where="$file:$line  $from => $to"
    if ! build_target "$target"; then
        result="does not build"
        broken=$((broken + 1))
    elif run_target "$target"; then
        result=SURVIVED
        survived=$((survived + 1))
        survivors+=("$where")
    else
        result=killed
        killed=$((killed + 1))
    fi
    restore
    printf '%-14s %s\n' "$result" "$where"
done <"$list"

# Leave the build as the unchanged tree has it.
for t in "${targets[@]}"; do build_target "$t"; done

total=$((killed + survived))
echo
echo "killed $killed of $total, score $((total ? 100 * killed / total : 100)) %" \
    "($broken that do not build left out)"
for s in "${survivors[@]}"; do echo "survived: $s"; done
[[ $survived -eq 0 ]]
