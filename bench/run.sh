#!/usr/bin/env bash
# Builds the benchmarks (Release) and prints one table: for messages of 10 KB, 1 MB and 10 MB in
# the form the control writes, the time, speed and memory of the compile, of stream-out and
# stream-in through the control, of a one-pass copy of the bytes, of "unrtf --html" on the same
# file, and of "parlino --compile" of the 1 MB message end to end; then the longest pause
# between keystroke and repaint while typing in the 10 KB and 1 MB messages with spelling
# checked as you type and without (bench_spell).
#   bench/run.sh [-o FILE]     also writes the table to FILE (e.g. docs/bench-table.md)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-bench"
out=""
[ "${1:-}" = "-o" ] && out="$2"
jobs="${PARL_JOBS:-2}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPARL_BUILD_TESTS=OFF \
    -DPARL_BUILD_BENCH=ON >/dev/null
ninja -C "$build" -j "$jobs" bench_phases bench_spell parlino >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work"
chmod 700 "$work"
phases="$build/bench/bench_phases"

# One table row: phase, input bytes, seconds, extra KB, peak KB.
row() {
    awk -v p="$1" -v b="$2" -v s="$3" -v x="$4" -v k="$5" 'BEGIN {
        printf "| %-24s | %10.2f | %9.2f | %9.1f | %10.1f | %9.1f | %8.2f |\n",
            p, b / 1e6, s * 1000, (s > 0 ? b / 1e6 / s : 0), x / 1024, k / 1024, x * 1024 / b }'
}
# Seconds and peak KB of a whole command, from /usr/bin/time.
timed() {
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>"$work/stderr" || {
        cat "$work/stderr" >&2
        return 1
    }
    cat "$work/time"
}

{
    echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
    echo "Run: $(date -u '+%Y-%m-%d %H:%M UTC'), Release build, best of 3 runs in-process;"
    echo "extra = memory the phase took beyond what the process held before it (input, control);"
    echo "peak = the whole process. Commands (unrtf, parlino) are timed whole, once, by /usr/bin/time"
    echo "(10 ms resolution): their extra is their whole peak."
    echo
    echo "| Phase                    | Input (MB) | Time (ms) |      MB/s | Extra (MB) | Peak (MB) | Extra/in |"
    echo "|--------------------------|-----------:|----------:|----------:|-----------:|----------:|---------:|"
} | tee "$work/table"

for size in 10240 1048576 10485760; do
    file="$work/message-$size.rtf"
    "$phases" generate "$size" "$file"
    bytes=$(stat -c %s "$file")
    for phase in compile streamout streamin copy; do
        read -r s x k < <("$phases" "$phase" "$file" 3)
        row "$phase" "$bytes" "$s" "$x" "$k" | tee -a "$work/table"
    done
    read -r s k < <(timed unrtf --html "$file")
    row "unrtf --html" "$bytes" "$s" "$k" "$k" | tee -a "$work/table"
    if [ "$size" -eq 1048576 ]; then
        # Opened as a project through the control, compiled, written: what a user waits for.
        read -r s k < <(timed "$build/parlino" --compile "$file" -o "$work/page.htm")
        row "parlino --compile" "$bytes" "$s" "$k" "$k" | tee -a "$work/table"
        read -r s k < <(timed "$build/parlino" --compile "$file" --raw -o "$work/page.htm")
        row "parlino --compile --raw" "$bytes" "$s" "$k" "$k" | tee -a "$work/table"
    fi
done

# Typing with spelling checked as you type: the longest pause between keystroke and repaint.
if "$build/bench/bench_spell" >"$work/spell" 2>"$work/stderr"; then
    { echo; cat "$work/spell"; } | tee -a "$work/table"
else
    cat "$work/stderr" >&2
fi

[ -n "$out" ] && cp "$work/table" "$out"
exit 0
