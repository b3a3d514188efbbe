#!/usr/bin/env bash
# Builds the fuzz targets (preset fuzz, clang with ASan and UBSan) and runs one
# of them for a bounded time:
#
#   scripts/fuzz.sh TARGET SECONDS [MAX_LEN] [--update-corpus] [-- LIBFUZZER_FLAGS...]
#
# TARGET is fuzz_text, fuzz_password or fuzz_cycle (or text, password, cycle).
# The run starts from the committed seeds in fuzz/corpus/TARGET, copied to a
# temporary working corpus, so the committed one stays as it is; with
# --update-corpus the inputs that add coverage are merged back into it.
# MAX_LEN is the largest input in bytes (default 4096). Inputs that fail are
# saved under BUILD/findings/. Prints the executions and the coverage, and
# exits non-zero when the run found anything. ZELVANE_FUZZ_BUILD chooses the
# build directory (default build/fuzz).
set -uo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

usage() {
    echo "usage: scripts/fuzz.sh TARGET SECONDS [MAX_LEN] [--update-corpus] [-- LIBFUZZER_FLAGS...]" >&2
    exit 2
}

[ $# -ge 2 ] || usage
target=$1
seconds=$2
shift 2
case $target in fuzz_*) ;; *) target=fuzz_$target ;; esac
case $target in fuzz_text | fuzz_password | fuzz_cycle) ;; *) usage ;; esac
[[ $seconds =~ ^[0-9]+$ ]] || usage

max_len=4096
if [ $# -gt 0 ] && [[ $1 =~ ^[0-9]+$ ]]; then
    max_len=$1
    shift
fi
update_corpus=
if [ $# -gt 0 ] && [ "$1" = --update-corpus ]; then
    update_corpus=1
    shift
fi
if [ $# -gt 0 ] && [ "$1" = -- ]; then shift; fi
extra_flags=("$@")

build=${ZELVANE_FUZZ_BUILD:-build/fuzz}
seeds=fuzz/corpus/$target
findings=$build/findings
log_dir=$build/logs

echo "fuzz: building $target in $build"
if ! cmake --preset fuzz -B "$build" >/dev/null ||
    ! cmake --build "$build" -j2 --target fuzz_text fuzz_password fuzz_cycle >/dev/null; then
    echo "fuzz: the build failed; run 'cmake --build $build --target $target' to see why" >&2
    exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/zelvane-$target.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$findings" "$log_dir"
if [ -d "$seeds" ]; then cp -- "$seeds"/* "$work/corpus/" 2>/dev/null; fi
log=$log_dir/$target-$(date +%Y%m%d-%H%M%S).log

echo "fuzz: $target for $seconds s, inputs up to $max_len bytes, seeds from $seeds ($(find "$work/corpus" -type f | wc -l) files)"
# -timeout: one input taking seconds means a tick that grows faster than
# linearly, which is a finding too. Leak checks are on by default.
"$build/fuzz/$target" "$work/corpus" \
    -max_total_time="$seconds" -max_len="$max_len" -timeout=25 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/$target-" "${extra_flags[@]}" \
    >"$log" 2>&1
status=$?

final=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1)
[ -n "$final" ] || final=$(grep -E '^#[0-9]+[[:space:]]+(pulse|NEW|REDUCE|INITED)' "$log" | tail -n 1)
runs=$(grep -E '^stat::number_of_executed_units:' "$log" | awk '{print $2}')
cov=$(sed -nE 's/.*cov: ([0-9]+).*/\1/p' <<<"$final")
ft=$(sed -nE 's/.*ft: ([0-9]+).*/\1/p' <<<"$final")
corp=$(sed -nE 's/.*corp: ([0-9]+).*/\1/p' <<<"$final")
echo "fuzz: $target: ${runs:-?} executions in $seconds s, cov ${cov:-?}, ft ${ft:-?}, corpus ${corp:-?} inputs"
echo "fuzz: libFuzzer's last line: ${final:-none}"
echo "fuzz: full log in $log"

if [ "$status" -ne 0 ]; then
    echo "fuzz: $target FOUND A PROBLEM (exit $status):" >&2
    grep -E 'PROPERTY FAILED|^  [a-z]+ = |ERROR: (AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|libFuzzer)|runtime error|Test unit written' "$log" | head -n 20 >&2
    echo "fuzz: reproduce with: $build/fuzz/$target <the file written above>" >&2
    exit "$status"
fi

if [ -n "$update_corpus" ]; then
    mkdir -p "$seeds"
    before=$(find "$seeds" -type f | wc -l)
    "$build/fuzz/$target" -merge=1 -max_len="$max_len" "$seeds" "$work/corpus" >>"$log" 2>&1
    echo "fuzz: $seeds: $before -> $(find "$seeds" -type f | wc -l) files"
fi
echo "fuzz: $target: no findings"
