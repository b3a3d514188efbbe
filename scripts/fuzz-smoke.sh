#!/usr/bin/env bash
# A short run of every fuzz target over its committed seed corpus, about a
# minute in all; exits non-zero when any of them finds a problem.
# ZELVANE_FUZZ_SMOKE_SECONDS sets the time per target (default 20).
set -uo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

seconds=${ZELVANE_FUZZ_SMOKE_SECONDS:-20}
failed=()
for target in fuzz_text fuzz_password fuzz_cycle; do
    scripts/fuzz.sh "$target" "$seconds" || failed+=("$target")
done

if [ "${#failed[@]}" -ne 0 ]; then
    echo "fuzz-smoke: FAILED: ${failed[*]}" >&2
    exit 1
fi
echo "fuzz-smoke: every target ran ${seconds} s without findings"
