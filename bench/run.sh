#!/usr/bin/env bash
# Builds the benchmarks (Release) and prints two tables. The first, in-process: for messages of
# 10 KB, 1 MB and 10 MB in the form the control writes, the time, speed and memory of the compile,
# of stream-out and stream-in through the control, of a one-pass copy of the bytes and of
# "unrtf --html" on the same file. The second, whole processes as a user runs them (median of 5):
# "parlino --compile" with and without --raw against "unrtf --html" on the same messages, an
# empty message (the program's fixed memory), 1,000 messages of 10 KB in one call against 1,000
# calls of unrtf, and the start of the window until it takes typing against the smallest Qt
# Widgets program (bench/tools/minimal_window.cpp), under Xvfb and openbox when they are there.
# Then opening the 10 MB message and one of 10 photos against a plain QTextEdit that builds the
# same document (bench_phases qtedit).
# Last, keystroke to repaint while typing at the end of messages of 10 KB, 1 MB, 10 MB and of the
# 10 photos, with spelling checked as you type and without and recovery copies kept, against a
# plain QTextEdit holding the same document (bench_spell), on the same screen.
#   bench/run.sh [-o FILE]     also writes the table to FILE (e.g. docs/bench-table.md)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-bench"
out=""
[ "${1:-}" = "-o" ] && out="$2"
jobs="${PARL_JOBS:-2}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPARL_BUILD_TESTS=OFF \
    -DPARL_BUILD_BENCH=ON >/dev/null
ninja -C "$build" -j "$jobs" bench_phases parlino parlino-qt process_timer minimal_window \
    bench_spell >/dev/null

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
    echo "Run: $(date -u '+%Y-%m-%d %H:%M UTC'), Release build, load average $(cut -d' ' -f1-3 /proc/loadavg) at the start;"
    echo "in-process phases: best of 3 runs;"
    echo "extra = memory the phase took beyond what the process held before it (input, control);"
    echo "peak = the whole process. unrtf is timed whole, once, by /usr/bin/time (10 ms resolution):"
    echo "its extra is its whole peak."
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
done

# Opening against the yardstick, a plain QTextEdit that builds the same paragraphs and pictures
# through a QTextCursor (qtedit): the 10 MB message and 10 KB of text with 10 photos.
"$phases" photos 10 "$work/photos.rtf"
for file in "$work/message-10485760.rtf" "$work/photos.rtf"; do
    bytes=$(stat -c %s "$file")
    for phase in streamin qtedit; do
        read -r s x k < <("$phases" "$phase" "$file" 3)
        label="$phase"
        [ "$file" = "$work/photos.rtf" ] && label="$phase, 10 photos"
        row "$label" "$bytes" "$s" "$x" "$k" | tee -a "$work/table"
    done
done

# Whole processes: median milliseconds and peak KB of 5 runs, by bench/tools/process_timer.
timer="$build/bench/process_timer"
whole() { # label, input bytes, baseline ms (0: none), command...
    local label="$1" bytes="$2" base="$3"
    shift 3
    read -r ms kb < <("$timer" 5 -- "$@")
    awk -v p="$label" -v b="$bytes" -v s="$ms" -v k="$kb" -v u="$base" 'BEGIN {
        printf "| %-36s | %10.2f | %10.1f | %9.1f | %10s |\n", p, b / 1e6, s, k / 1024,
            (u > 0 ? sprintf("%.1f", u / s) : "") }'
    echo "$ms" >"$work/last"
}
{
    echo
    echo "Whole processes, as a user runs them: median of 5 runs from start to exit; peak = the"
    echo "largest of the process. Pages are written to a file and saved durably (flushed to the"
    echo "disk); unrtf writes to /dev/null. Speed-up = the unrtf time over this time."
    echo
    echo "| Command                              | Input (MB) |  Time (ms) | Peak (MB) |   Speed-up |"
    echo "|--------------------------------------|-----------:|-----------:|----------:|-----------:|"
} | tee -a "$work/table"
: >"$work/empty.rtf"
whole "parlino --compile --raw, empty" 0 0 \
    "$build/parlino" --compile "$work/empty.rtf" --raw -o "$work/page.htm" | tee -a "$work/table"
for size in 10240 1048576 10485760; do
    file="$work/message-$size.rtf"
    bytes=$(stat -c %s "$file")
    whole "unrtf --html" "$bytes" 0 unrtf --html "$file" | tee -a "$work/table"
    unrtf_ms=$(cat "$work/last")
    whole "parlino --compile --raw" "$bytes" "$unrtf_ms" \
        "$build/parlino" --compile "$file" --raw -o "$work/page.htm" | tee -a "$work/table"
    whole "parlino --compile (project)" "$bytes" "$unrtf_ms" \
        "$build/parlino" --compile "$file" -o "$work/page.htm" | tee -a "$work/table"
done

# The batch: 1,000 messages of 10 KB, one call against 1,000 calls; one run each.
mkdir -p "$work/batch" "$work/pages"
batch_bytes=$(($(stat -c %s "$work/message-10240.rtf") * 1000))
for i in $(seq 1 1000); do cp "$work/message-10240.rtf" "$work/batch/m$i.rtf"; done
read -r loop_ms loop_kb < <("$timer" 1 -- bash -c \
    'for f in "$1"/*.rtf; do unrtf --html "$f" >/dev/null || exit 1; done' - "$work/batch")
awk -v b="$batch_bytes" -v s="$loop_ms" -v k="$loop_kb" 'BEGIN {
    printf "| %-36s | %10.2f | %10.1f | %9.1f | %10s |\n", "1,000 x unrtf --html, 10 KB each",
        b / 1e6, s, k / 1024, "" }' | tee -a "$work/table"
read -r batch_ms batch_kb < <("$timer" 1 -- "$build/parlino" --compile --raw -d "$work/pages" \
    "$work"/batch/*.rtf)
awk -v b="$batch_bytes" -v s="$batch_ms" -v k="$batch_kb" -v u="$loop_ms" 'BEGIN {
    printf "| %-36s | %10.2f | %10.1f | %9.1f | %10.1f |\n", "parlino --compile --raw, 1,000 files",
        b / 1e6, s, k / 1024, u / s }' | tee -a "$work/table"

# The window: from start until typing reaches the editor. A character file is in place so that
# no notice stands in the way.
home="$work/home"
mkdir -p "$home/.local/share/Parlino/Characters"
echo genie >"$home/.local/share/Parlino/Characters/genie.acs"
screen="offscreen platform"
xvfb_pid=""
openbox_pid=""
if command -v Xvfb >/dev/null && command -v openbox >/dev/null; then
    display=":$((90 + RANDOM % 100))"
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    sleep 1
    DISPLAY="$display" openbox >/dev/null 2>&1 &
    openbox_pid=$!
    sleep 1
    screen="X server Xvfb with the window manager openbox"
    unset QT_QPA_PLATFORM
    export DISPLAY="$display"
fi
read -r min_ms min_kb < <(HOME="$home" "$timer" --ready 5 -- "$build/bench/minimal_window")
read -r win_ms win_kb < <(HOME="$home" "$timer" --ready 5 -- "$build/parlino")
# Typing, on the same screen: keystroke to repaint in the editor as the program sets it up and
# in a plain QTextEdit holding the same document.
spell_ok=1
HOME="$home" "$build/bench/bench_spell" 200 10 1024 10240 "$work/photos.rtf" >"$work/spell" \
    2>"$work/stderr" || spell_ok=0
[ -n "$openbox_pid" ] && kill "$openbox_pid"
[ -n "$xvfb_pid" ] && kill "$xvfb_pid"
awk -v s="$min_ms" -v k="$min_kb" -v w="$screen" 'BEGIN {
    printf "| %-36s | %10s | %10.1f | %9.1f | %10s |\n", "window takes typing: minimal Qt", "",
        s, k / 1024, "" }' | tee -a "$work/table"
awk -v s="$win_ms" -v k="$win_kb" -v m="$min_ms" 'BEGIN {
    printf "| %-36s | %10s | %10.1f | %9.1f | %9.2fx |\n", "window takes typing: parlino", "",
        s, k / 1024, s / m }' | tee -a "$work/table"
echo "Window rows: from start until typing reaches the editor (window shown, exposed, active and the" |
    tee -a "$work/table"
echo "editor holding the focus), on the $screen; their last column is parlino's time over the" |
    tee -a "$work/table"
echo "minimal program's." |
    tee -a "$work/table"

# Typing: keystroke to repaint with spelling on and off and copies kept, against plain Qt.
if [ "$spell_ok" = 1 ]; then
    { echo; echo "Typing, on the $screen:"; cat "$work/spell"; } | tee -a "$work/table"
else
    cat "$work/stderr" >&2
fi

[ -n "$out" ] && cp "$work/table" "$out"
exit 0
