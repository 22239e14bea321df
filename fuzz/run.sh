#!/usr/bin/env bash
# Replays the committed corpus of each fuzz target, then fuzzes it for a while.
#   fuzz/run.sh BUILD_DIR SECONDS [TARGET...]      (targets default to every fuzz_* built)
# New inputs go to a scratch corpus under BUILD_DIR/fuzz-work/<target>; crashes, timeouts and
# leaks are written to BUILD_DIR/fuzz-artifacts/ and make the script fail.
#
# No input may take more than a second per megabyte: inputs are at most 256 KB (a quarter of a
# second), and the limit of three seconds allows for the sanitizers (about four times slower) and
# for a machine shared with other work; one second gave false alarms on a loaded machine. The
# reader's target also holds each input to a limit that grows with its size (a second plus
# eight a megabyte, PARL_FUZZ_MS_PER_MB), which a file run by hand meets too. Inputs that take
# more than a second without failing are kept as slow-unit-* beside the artifacts and listed
# at the end.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "$1" && pwd)"
seconds="$2"
shift 2
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for t in "$build"/fuzz/fuzz_*; do
        [ -f "$t" ] && [ -x "$t" ] && targets+=("$(basename "$t")")
    done
fi

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan_suppressions.txt"
common=(-dict="$root/fuzz/rtf.dict" -timeout=3 -max_len=262144 -rss_limit_mb=2048 -detect_leaks=1 -print_final_stats=1 -report_slow_units=1)

for target in "${targets[@]}"; do
    corpus="$root/fuzz/corpus/${target#fuzz_}"
    work="$build/fuzz-work/$target"
    artifacts="$build/fuzz-artifacts/"
    mkdir -p "$work" "$artifacts"
    echo "== $target: replaying $(ls "$corpus" | wc -l) committed inputs"
    "$build/fuzz/$target" "${common[@]}" -artifact_prefix="$artifacts" -runs=0 "$corpus"
    if [ "$seconds" -gt 0 ]; then
        echo "== $target: fuzzing for $seconds s"
        "$build/fuzz/$target" "${common[@]}" -artifact_prefix="$artifacts" \
            -max_total_time="$seconds" "$work" "$corpus"
    fi
done

slow=("$build"/fuzz-artifacts/slow-unit-*)
if [ -e "${slow[0]}" ]; then
    echo "== slow inputs (over a second, under the limit): ${#slow[@]}"
    ls -l "${slow[@]}"
fi
